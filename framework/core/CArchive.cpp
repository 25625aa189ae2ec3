// The persistent-object archive.
//
// Contents
//   [Construction and buffering]
//   [Primitives]
//   [Strings and counts]
//   [Objects and classes: store]
//   [Objects and classes: load]
//
// The tag table and string forms are in CArchive.h. On load every index
// read from the file is checked against a table that records, per index,
// whether it names a class or an object; the table grows only by records
// read from the file (two bytes at least each), so it is bounded by the file.
#include "CArchive.h"

#include "AfxCodePage.h"
#include "CException.h"
#include "CFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <string>
#include <unordered_map>
#include <vector>

namespace
{
constexpr WORD wNullTag = 0x0000;
constexpr WORD wBigObjectTag = 0x7FFF;
constexpr WORD wClassTag = 0x8000;
constexpr WORD wNewClassTag = 0xFFFF;
constexpr DWORD dwBigClassTag = 0x80000000;

constexpr BYTE byStringWordLength = 0xFF;
constexpr WORD wStringUnicodeMarker = 0xFFFE;
constexpr WORD wStringDwordLength = 0xFFFF;
constexpr WORD wCountDwordLength = 0xFFFF;

constexpr UINT nMinBufSize = 64;

UINT SchemaOf(const CRuntimeClass* pClass)
{
    return pClass->m_wSchema & ~VERSIONABLE_SCHEMA;
}
} // namespace

struct CArchive::Maps {
    // Store: what has an index already, by address.
    std::unordered_map<const CObject*, DWORD> objects;
    std::unordered_map<const CRuntimeClass*, DWORD> classes;

    // Load: one entry per index handed out, entry 0 standing for null.
    enum class Kind : BYTE { none, classRecord, object };
    struct Entry {
        Kind kind = Kind::none;
        void* p = nullptr;
        UINT nSchema = 0; // for a class: the schema stored in its record
    };
    std::vector<Entry> table{Entry{}};
};

// ---------------------------------------------------------------------------
// [Construction and buffering]

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* /*lpBuf*/)
    : m_pFile(pFile), m_nMode(nMode),
      m_nBufSize(std::max(UINT(std::max(nBufSize, 0)), nMinBufSize)),
      m_pMaps(std::make_unique<Maps>()), m_nUncaughtExceptions(std::uncaught_exceptions())
{
    m_buffer = std::make_unique<BYTE[]>(m_nBufSize);
    m_lpBufCur = m_buffer.get();
    // On store the free room runs to the end of the buffer; on load nothing
    // has been read yet.
    m_lpBufMax = IsStoring() ? m_buffer.get() + m_nBufSize : m_buffer.get();
    if (m_pFile != nullptr)
        m_strFileName = m_pFile->GetFilePath();
}

CArchive::~CArchive()
{
    if (m_bClosed)
        return;
    if (!IsStoring() || (m_nMode & bNoFlushOnDelete) ||
        std::uncaught_exceptions() > m_nUncaughtExceptions) {
        Abort();
        return;
    }
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
        Abort();
    } catch (...) {
        Abort();
    }
}

void CArchive::Fail(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

void CArchive::CheckLoading() const
{
    if (m_bClosed)
        Fail(CArchiveException::genericException);
    if (!IsLoading())
        Fail(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() const
{
    if (m_bClosed)
        Fail(CArchiveException::genericException);
    if (!IsStoring())
        Fail(CArchiveException::readOnly);
}

void CArchive::Close()
{
    if (m_bClosed)
        return;
    if (IsStoring())
        Flush();
    m_bClosed = TRUE;
}

void CArchive::Abort()
{
    m_lpBufCur = m_lpBufMax = m_buffer.get();
    m_bClosed = TRUE;
}

void CArchive::Flush()
{
    if (m_bClosed)
        return;
    BYTE* lpBufStart = m_buffer.get();
    if (IsStoring()) {
        if (m_lpBufCur > lpBufStart)
            m_pFile->Write(lpBufStart, UINT(m_lpBufCur - lpBufStart));
        m_lpBufCur = lpBufStart;
        return;
    }
    // Give back what was read ahead, so the file stands where the reader is.
    UINT nUnread = UINT(m_lpBufMax - m_lpBufCur);
    if (nUnread > 0)
        m_pFile->Seek(-LONG(nUnread), CFile::current);
    m_lpBufCur = m_lpBufMax = lpBufStart;
    m_nFileBytesLeft = -1;
}

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    UINT nUnread = UINT(m_lpBufMax - m_lpBufCur);
    if (nUnread >= nBytesNeeded)
        return;
    BYTE* lpBufStart = m_buffer.get();
    std::memmove(lpBufStart, m_lpBufCur, nUnread);
    m_lpBufCur = lpBufStart;
    m_lpBufMax = lpBufStart + nUnread;
    const UINT nRead = m_pFile->Read(m_lpBufMax, m_nBufSize - nUnread);
    m_lpBufMax += nRead;
    CountFileRead(nRead);
}

void CArchive::CountFileRead(UINT nRead)
{
    if (m_nFileBytesLeft >= 0)
        m_nFileBytesLeft = std::max(m_nFileBytesLeft - (long long)nRead, 0LL);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return 0;
    BYTE* lpDest = static_cast<BYTE*>(lpBuf);
    UINT nDone = std::min(nMax, UINT(m_lpBufMax - m_lpBufCur));
    std::memcpy(lpDest, m_lpBufCur, nDone);
    m_lpBufCur += nDone;
    UINT nRemaining = nMax - nDone;
    if (nRemaining == 0)
        return nDone;
    if (nRemaining >= m_nBufSize) {
        const UINT nRead = m_pFile->Read(lpDest + nDone, nRemaining);
        CountFileRead(nRead);
        return nDone + nRead;
    }
    FillBuffer(nRemaining);
    UINT nMore = std::min(nRemaining, UINT(m_lpBufMax - m_lpBufCur));
    std::memcpy(lpDest + nDone, m_lpBufCur, nMore);
    m_lpBufCur += nMore;
    return nDone + nMore;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        Fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    if (nMax <= UINT(m_lpBufMax - m_lpBufCur)) {
        std::memcpy(m_lpBufCur, lpBuf, nMax);
        m_lpBufCur += nMax;
        return;
    }
    Flush();
    if (nMax >= m_nBufSize) {
        m_pFile->Write(lpBuf, nMax);
        return;
    }
    std::memcpy(m_lpBufCur, lpBuf, nMax);
    m_lpBufCur += nMax;
}

void CArchive::RequireBytesLeft(unsigned long long nBytes) const
{
    // What is already buffered needs no look at the file.
    if (nBytes > UINT(m_lpBufMax - m_lpBufCur) && nBytes > GetBytesLeft())
        Fail(CArchiveException::endOfFile);
}

void CArchive::RequireMapRoom() const
{
    if (m_nMapCount >= nMaxMapCount)
        Fail(CArchiveException::badIndex);
}

unsigned long long CArchive::GetBytesLeft() const
{
    if (!IsLoading() || m_bClosed || m_pFile == nullptr)
        return 0;
    unsigned long long nBuffered = static_cast<unsigned long long>(m_lpBufMax - m_lpBufCur);
    if (m_nFileBytesLeft < 0) {
        DWORD nLength = m_pFile->GetLength();
        DWORD nPosition = m_pFile->GetPosition();
        m_nFileBytesLeft = nLength > nPosition ? nLength - nPosition : 0;
    }
    return nBuffered + static_cast<unsigned long long>(m_nFileBytesLeft);
}

// ---------------------------------------------------------------------------
// [Primitives] Little-endian whatever the machine's order.

namespace
{
template <typename T> void PutLittleEndian(BYTE* p, T value)
{
    for (size_t i = 0; i < sizeof(T); ++i)
        p[i] = BYTE(value >> (8 * i));
}

template <typename T> T GetLittleEndian(const BYTE* p)
{
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value |= T(T(p[i]) << (8 * i));
    return value;
}

template <typename T> void StoreValue(CArchive& ar, T value)
{
    BYTE bytes[sizeof(T)];
    PutLittleEndian(bytes, value);
    ar.Write(bytes, sizeof(T));
}

template <typename T> T LoadValue(CArchive& ar)
{
    BYTE bytes[sizeof(T)];
    ar.EnsureRead(bytes, sizeof(T));
    return GetLittleEndian<T>(bytes);
}
} // namespace

CArchive& CArchive::operator<<(BYTE by)
{
    StoreValue<BYTE>(*this, by);
    return *this;
}

CArchive& CArchive::operator<<(WORD w)
{
    StoreValue<WORD>(*this, w);
    return *this;
}

CArchive& CArchive::operator<<(LONG l)
{
    StoreValue<DWORD>(*this, DWORD(l));
    return *this;
}

CArchive& CArchive::operator<<(DWORD dw)
{
    StoreValue<DWORD>(*this, dw);
    return *this;
}

CArchive& CArchive::operator<<(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof(bits));
    StoreValue<uint32_t>(*this, bits);
    return *this;
}

CArchive& CArchive::operator<<(double d)
{
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof(bits));
    StoreValue<uint64_t>(*this, bits);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& by)
{
    by = LoadValue<BYTE>(*this);
    return *this;
}

CArchive& CArchive::operator>>(char& ch)
{
    ch = char(LoadValue<BYTE>(*this));
    return *this;
}

CArchive& CArchive::operator>>(WORD& w)
{
    w = LoadValue<WORD>(*this);
    return *this;
}

CArchive& CArchive::operator>>(short& s)
{
    s = short(LoadValue<WORD>(*this));
    return *this;
}

CArchive& CArchive::operator>>(LONG& l)
{
    l = LONG(LoadValue<DWORD>(*this));
    return *this;
}

CArchive& CArchive::operator>>(DWORD& dw)
{
    dw = LoadValue<DWORD>(*this);
    return *this;
}

CArchive& CArchive::operator>>(float& f)
{
    uint32_t bits = LoadValue<uint32_t>(*this);
    std::memcpy(&f, &bits, sizeof(f));
    return *this;
}

CArchive& CArchive::operator>>(double& d)
{
    uint64_t bits = LoadValue<uint64_t>(*this);
    std::memcpy(&d, &bits, sizeof(d));
    return *this;
}

// ---------------------------------------------------------------------------
// [Strings and counts]

void CArchive::WriteCount(DWORD dwCount)
{
    if (dwCount < wCountDwordLength) {
        *this << WORD(dwCount);
        return;
    }
    *this << wCountDwordLength << dwCount;
}

DWORD CArchive::ReadCount()
{
    WORD wCount = 0;
    *this >> wCount;
    DWORD dwCount = wCount;
    if (wCount == wCountDwordLength)
        *this >> dwCount;
    RequireBytesLeft(dwCount);
    return dwCount;
}

void CArchive::WriteString(const CString& str)
{
    DWORD nLength = DWORD(str.GetLength());
    if (nLength < byStringWordLength) {
        *this << BYTE(nLength);
    } else if (nLength < wStringUnicodeMarker) {
        *this << byStringWordLength << WORD(nLength);
    } else {
        *this << byStringWordLength << wStringDwordLength << nLength;
    }
    Write(str.GetString(), nLength);
}

namespace
{
// The length prefix of a string; TRUE in rbUnicode when it was preceded by
// the UTF-16 marker. A second marker is not a string.
DWORD ReadStringLength(CArchive& ar, BOOL& rbUnicode)
{
    rbUnicode = FALSE;
    for (;;) {
        BYTE byLength = 0;
        ar >> byLength;
        if (byLength < byStringWordLength)
            return byLength;
        WORD wLength = 0;
        ar >> wLength;
        if (wLength == wStringDwordLength) {
            DWORD dwLength = 0;
            ar >> dwLength;
            return dwLength;
        }
        if (wLength != wStringUnicodeMarker)
            return wLength;
        if (rbUnicode)
            AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        rbUnicode = TRUE;
    }
}
} // namespace

void CArchive::ReadString(CString& str)
{
    CheckLoading();
    BOOL bUnicode = FALSE;
    DWORD nLength = ReadStringLength(*this, bUnicode);
    unsigned long long nBytes = bUnicode ? 2ull * nLength : nLength;
    // Checked before anything is allocated: a length the file cannot hold is
    // a cut-off file, whatever the prefix claims.
    if (nBytes > UINT_MAX || nLength > INT_MAX)
        Fail(CArchiveException::endOfFile);
    RequireBytesLeft(nBytes);
    if (!bUnicode) {
        std::string text(nLength, '\0');
        EnsureRead(text.data(), nLength);
        str = CString(std::string_view(text));
        return;
    }
    std::vector<BYTE> bytes(static_cast<size_t>(nBytes));
    EnsureRead(bytes.data(), UINT(nBytes));
    std::u16string text(nLength, u'\0');
    for (DWORD i = 0; i < nLength; ++i)
        text[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    str = AfxUtf16ToAnsi(text);
}

CArchive& operator<<(CArchive& ar, const CString& str)
{
    ar.WriteString(str);
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& str)
{
    ar.ReadString(str);
    return ar;
}

// ---------------------------------------------------------------------------
// [Objects and classes: store]

DWORD CArchive::NextIndex()
{
    RequireMapRoom();
    return m_nMapCount++;
}

void CArchive::WriteTag(DWORD nIndex, BOOL bClass)
{
    if (nIndex < wBigObjectTag) {
        *this << WORD(bClass ? (wClassTag | nIndex) : nIndex);
        return;
    }
    *this << wBigObjectTag << DWORD(bClass ? (dwBigClassTag | nIndex) : nIndex);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (pClassRef == nullptr || SchemaOf(pClassRef) == 0xFFFF)
        AfxThrowNotSupportedException();
    auto it = m_pMaps->classes.find(pClassRef);
    if (it != m_pMaps->classes.end()) {
        WriteTag(it->second, TRUE);
        return;
    }
    // The limit is checked before anything is written.
    RequireMapRoom();
    *this << wNewClassTag;
    pClassRef->Store(*this);
    m_pMaps->classes[pClassRef] = NextIndex();
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (pOb == nullptr) {
        *this << wNullTag;
        return;
    }
    auto it = m_pMaps->objects.find(pOb);
    if (it != m_pMaps->objects.end()) {
        WriteTag(it->second, FALSE);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // Mapped before the body, so that the body may refer to the object
    // itself (or to an owner of it) as a back-reference.
    m_pMaps->objects[pOb] = NextIndex();
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring()) {
        CheckStoring();
        DWORD nIndex = NextIndex();
        if (pOb != nullptr)
            m_pMaps->objects[pOb] = nIndex;
        return;
    }
    CheckLoading();
    NextIndex();
    m_pMaps->table.push_back(Maps::Entry{Maps::Kind::object, const_cast<CObject*>(pOb), 0});
}

UINT CArchive::GetObjectSchema()
{
    UINT nSchema = m_nObjectSchema;
    m_nObjectSchema = UINT(-1);
    return nSchema;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

// ---------------------------------------------------------------------------
// [Objects and classes: load]

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema,
                                   DWORD* pObTag)
{
    CheckLoading();
    if (pClassRefRequested == RUNTIME_CLASS(CObject))
        pClassRefRequested = nullptr;
    if (pClassRefRequested != nullptr && SchemaOf(pClassRefRequested) == 0xFFFF)
        AfxThrowNotSupportedException();

    WORD wTag = 0;
    *this >> wTag;
    CRuntimeClass* pClass = nullptr;
    UINT nSchema = 0;
    if (wTag == wNewClassTag) {
        // The index is checked for room before the record is read.
        RequireMapRoom();
        pClass = CRuntimeClass::Load(*this, &nSchema);
        NextIndex();
        m_pMaps->table.push_back(Maps::Entry{Maps::Kind::classRecord, pClass, nSchema});
    } else {
        DWORD dwIndex = wTag;
        BOOL bClassRef = (wTag & wClassTag) != 0;
        if (wTag == wBigObjectTag) {
            DWORD dwBigTag = 0;
            *this >> dwBigTag;
            bClassRef = (dwBigTag & dwBigClassTag) != 0;
            dwIndex = dwBigTag & ~dwBigClassTag;
            // The escape never stands for null: 0 is written as a plain tag.
            if (dwIndex == 0)
                Fail(CArchiveException::badIndex);
        } else {
            dwIndex = wTag & ~wClassTag;
        }
        if (!bClassRef) {
            if (pObTag == nullptr)
                Fail(CArchiveException::badIndex);
            *pObTag = dwIndex;
            return nullptr;
        }
        if (dwIndex == 0 || dwIndex >= m_pMaps->table.size() ||
            m_pMaps->table[dwIndex].kind != Maps::Kind::classRecord)
            Fail(CArchiveException::badIndex);
        pClass = static_cast<CRuntimeClass*>(m_pMaps->table[dwIndex].p);
        nSchema = m_pMaps->table[dwIndex].nSchema;
    }

    if ((pClass->m_wSchema & VERSIONABLE_SCHEMA) == 0 && nSchema != SchemaOf(pClass))
        Fail(CArchiveException::badSchema);
    if (pClassRefRequested != nullptr && !pClass->IsDerivedFrom(pClassRefRequested))
        Fail(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    if (pObTag != nullptr)
        *pObTag = 0;
    return pClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    return ReadObjectImpl(pClassRefRequested, FALSE);
}

CObject* CArchive::ReadNewObject(const CRuntimeClass* pClassRefRequested)
{
    return ReadObjectImpl(pClassRefRequested, TRUE);
}

CObject* CArchive::ReadObjectImpl(const CRuntimeClass* pClassRefRequested, BOOL bRequireNew)
{
    CheckLoading();
    if (pClassRefRequested == RUNTIME_CLASS(CObject))
        pClassRefRequested = nullptr;
    UINT nSchema = 0;
    DWORD dwObTag = 0;
    CRuntimeClass* pClass = ReadClass(pClassRefRequested, &nSchema, &dwObTag);

    if (pClass == nullptr) {
        if (dwObTag == 0)
            return nullptr;
        if (bRequireNew)
            Fail(CArchiveException::badIndex);
        if (dwObTag >= m_pMaps->table.size() || m_pMaps->table[dwObTag].kind != Maps::Kind::object)
            Fail(CArchiveException::badIndex);
        CObject* pOb = static_cast<CObject*>(m_pMaps->table[dwObTag].p);
        if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            Fail(CArchiveException::badClass);
        return pOb;
    }

    // Each level of nesting costs stack; a file is not allowed to choose how
    // much.
    if (m_nDepth >= nMaxObjectDepth)
        Fail(CArchiveException::badIndex);
    RequireMapRoom();
    // Owned here until the table holds it, whose growth can fail too.
    std::unique_ptr<CObject> pNew(pClass->CreateObject());
    if (pNew == nullptr)
        Fail(CArchiveException::badClass);
    m_pMaps->table.push_back(Maps::Entry{Maps::Kind::object, pNew.get(), 0});
    CObject* pOb = pNew.release();
    DWORD nIndex = NextIndex();

    ++m_nDepth;
    m_nObjectSchema = nSchema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        --m_nDepth;
        // The object is gone, so must be every way back to it.
        m_pMaps->table[nIndex] = Maps::Entry{};
        delete pOb;
        throw;
    }
    --m_nDepth;
    m_nObjectSchema = UINT(-1);
    return pOb;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}
