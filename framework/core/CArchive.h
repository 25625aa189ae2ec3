// The framework's persistent-object archive: little-endian primitives,
// length-prefixed strings and tagged objects with class records and
// back-references, byte-compatible with files of the original platform.
//
// Wire forms (all little-endian):
//   tag        WORD   0x0000 null object; 0x0001..0x7FFE object back-reference;
//                     0x7FFF escape, a DWORD follows (bit 31 set: class reference,
//                     else object reference); 0x8001..0xFFFE class reference
//                     (index = tag & 0x7FFF) followed by an object; 0xFFFF new
//                     class record followed by an object
//   class rec  WORD schema, WORD name length, name bytes (no terminator)
//   CString    BYTE n (n < 255) | FF WORD n (n < 0xFFFE) | FF FFFF DWORD n;
//              FF FEFF marks UTF-16 text and is followed by a full length prefix
//   indices    one counter from 1 shared by classes and objects; an object
//              takes its index before its body is read or written
//
// A reader here trusts no count: every length is checked against the bytes
// left before anything is allocated, indices are checked for range and kind
// (class or object), and nesting of objects is bounded, so a hostile file
// ends in CArchiveException rather than a crash or a huge allocation.
#pragma once

#include "CObject.h"
#include "CString.h"

#include <memory>

class CFile;

class AFX_API CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // Deepest chain of objects read inside one another before the file is
    // taken as malformed.
    static constexpr int nMaxObjectDepth = 512;
    // Longest class name accepted in a class record, as the original.
    static constexpr int nMaxClassNameLength = 63;
    // Indices are handed out below this limit; reaching it is badIndex.
    static constexpr DWORD nMaxMapCount = 0x3FFFFFFE;

    // The archive buffers in memory of its own; lpBuf is accepted for the
    // original's signature and not used. m_strFileName is the file's path.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Flushes a store that was not closed, unless bNoFlushOnDelete was given
    // or an exception is unwinding (a failed store is abandoned, not topped
    // up); never throws.
    ~CArchive();

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }
    void Close();
    void Abort();
    void Flush();

    // Raw bytes. Read returns a short count at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Reads exactly nCount bytes or throws endOfFile.
    void EnsureRead(void* lpBuf, UINT nCount);
    // Bytes that a load can still deliver; lets readers bound counts before
    // they allocate. (An addition of this implementation.)
    unsigned long long GetBytesLeft() const;

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(char ch) { return operator<<(BYTE(ch)); }
    CArchive& operator<<(WORD w);
    CArchive& operator<<(short s) { return operator<<(WORD(s)); }
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(short& s);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);

    // Throws CNotSupportedException for an object of a class that is not
    // serializable.
    void WriteObject(const CObject* pOb);
    // pClassRefRequested: the object read must be of that kind (badClass
    // otherwise); null or RUNTIME_CLASS(CObject) take any class. A new object
    // whose body fails to load is deleted before the exception leaves, so an
    // object owns only what its Serialize had stored in it.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    // As ReadObject, but a back-reference to an object already read is refused
    // with badIndex: for owning containers, where a shared object would end up
    // with two owners. A null object is still returned as null.
    CObject* ReadNewObject(const CRuntimeClass* pClassRefRequested);

    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr,
                             UINT* pSchema = nullptr, DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);

    // Collection counts: WORD, or 0xFFFF followed by a DWORD. ReadCount
    // refuses (endOfFile) a count larger than the bytes left, since every
    // element takes at least one byte.
    void WriteCount(DWORD dwCount);
    DWORD ReadCount();

    // A CString in the length-prefixed archive form (what << and >> use;
    // unlike the original, not lines of text). Reading converts UTF-16 text
    // to the ANSI code page.
    void WriteString(const CString& str);
    void ReadString(CString& str);

    void MapObject(const CObject* pOb);
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    CString m_strFileName;

protected:
    // Next index to hand out. Protected so that a test archive can start it
    // high and reach the big-index forms and the limit on store without
    // writing that many objects; on load it always equals the table size.
    DWORD m_nMapCount = 1;

private:
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    void FillBuffer(UINT nBytesNeeded);
    void CountFileRead(UINT nRead);
    void WriteTag(DWORD nIndex, BOOL bClass);
    void CheckLoading() const;
    void CheckStoring() const;
    DWORD NextIndex();
    // Each fails the archive: endOfFile when fewer than nBytes are left to
    // read, badIndex when the object map has no room for another entry.
    void RequireBytesLeft(unsigned long long nBytes) const;
    void RequireMapRoom() const;
    CObject* ReadObjectImpl(const CRuntimeClass* pClassRefRequested, BOOL bRequireNew);
    [[noreturn]] void Fail(int cause) const;

    struct Maps;
    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nObjectSchema = UINT(-1);
    int m_nDepth = 0;
    std::unique_ptr<BYTE[]> m_buffer;
    UINT m_nBufSize;
    BYTE* m_lpBufCur = nullptr;
    BYTE* m_lpBufMax = nullptr;
    std::unique_ptr<Maps> m_pMaps;
    BOOL m_bClosed = FALSE;
    // On load, the file's bytes past what has been read into the buffer, as
    // last asked of the file; -1 until asked and after a Flush. Counting them
    // down spares GetBytesLeft two system calls per question.
    mutable long long m_nFileBytesLeft = -1;
    int m_nUncaughtExceptions = 0;
};

AFX_API CArchive& operator<<(CArchive& ar, const CString& str);
AFX_API CArchive& operator>>(CArchive& ar, CString& str);
AFX_API CArchive& operator<<(CArchive& ar, const CObject* pOb);
AFX_API CArchive& operator>>(CArchive& ar, CObject*& pOb);
AFX_API CArchive& operator>>(CArchive& ar, const CObject*& pOb);
