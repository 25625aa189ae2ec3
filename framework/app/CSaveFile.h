// A file that replaces its target all at once. Writes go to a new temporary
// file in the target's folder (so the final rename stays on one file system);
// Commit forces the data to disk and renames the temporary file over the
// target. Until then the target is untouched, and a CSaveFile that is
// discarded or destroyed without Commit removes its temporary file.
#pragma once

#include <afx.h>

class AFX_API CSaveFile : public CFile
{
public:
    CSaveFile();
    ~CSaveFile() override;

    // Creates the temporary file for lpszTargetPath (a symbolic link is
    // followed, so the file it points to is the one replaced). FALSE with
    // the cause in pError when the folder does not take a new file.
    BOOL OpenTarget(LPCSTR lpszTargetPath, CFileException* pError = nullptr);
    // Syncs, closes and renames over the target; throws CFileException.
    void Commit();
    // Closes and removes the temporary file; the target stays as it was.
    void Discard();

    const CString& GetTargetPath() const { return m_strTargetPath; }
    const CString& GetTempPath() const { return m_strTempPath; }

private:
    CString m_strTargetPath;
    CString m_strTempPath; // empty once committed or discarded
};
