#include "KvReader.h"

#include "KvError.h"

#include <filesystem>

namespace
{
std::string messageOf(CException* e)
{
    std::string message = e->GetErrorMessage().GetString();
    e->Delete();
    return message;
}
} // namespace

std::unique_ptr<CKurvoDoc> KvReader::read(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw KvError("is a folder, not a chart file");
    CFile file;
    CFileException openError;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &openError))
        throw KvError(std::string("cannot open the file: ") +
                      CFileException::CauseText(openError.m_cause));
    if (file.GetLength() == 0)
        throw KvError("the file is empty");
    auto doc = std::make_unique<CKurvoDoc>();
    readArchive(file, path, *doc);
    return doc;
}

void KvReader::readArchive(CFile& file, const std::string& path, CKurvoDoc& doc)
{
    unsigned long long extra = 0;
    try {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_strFileName = path.c_str();
        doc.Serialize(ar);
        extra = ar.GetBytesLeft();
        ar.Close();
    } catch (CException* e) {
        throw KvError("not a readable chart file: " + messageOf(e));
    }
    if (extra != 0)
        throw KvError("unexpected bytes after the end of the chart (" + std::to_string(extra) +
                      ")");
}
