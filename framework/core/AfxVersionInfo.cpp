// Reading a module's version record from its ELF file.
//
// The file is never loaded or mapped: the ELF header, the section header
// table, the section-name table and the version section are read piecewise,
// and every offset and size is checked against the file's length before it is
// used, so a truncated or hostile file ends in FALSE with a reason.
//
// ELF64 pieces consulted (little-endian):
//   offset  size  field
//   0       16    e_ident: "\x7F" "ELF", class 2 (64-bit), data 1 (LSB)
//   0x28    8     e_shoff      section header table offset
//   0x3A    2     e_shentsize  size of one section header (64)
//   0x3C    2     e_shnum      number of section headers
//   0x3E    2     e_shstrndx   index of the section-name table
// Each section header: sh_name (offset into the name table), sh_type,
// sh_offset and sh_size locate its bytes; SHT_NOBITS sections have none.
#include "AfxVersionInfo.h"

#include "AfxElfSections.h"

#include <elf.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <sys/stat.h>

namespace
{

// Sizes beyond these are not plausible for a section-name table or a
// version block, and are refused before anything is allocated.
constexpr uint64_t kMaxVersionBytes = 64u << 10;

using ByteReader = AfxElfByteReader;

bool Fail(CString* pError, LPCSTR lpszReason)
{
    if (pError)
        *pError = lpszReason;
    return false;
}

bool RangeInside(uint64_t nOffset, uint64_t nSize, uint64_t nTotal)
{
    return AfxElfRangeInside(nOffset, nSize, nTotal);
}

// Walks the zero-terminated tokens of a version block.
class CTokenCursor
{
public:
    CTokenCursor(const std::string& block) : m_block(block) {}

    // The next token; false when the block ends without its terminating zero.
    bool Next(CString& rToken)
    {
        if (m_nPos >= m_block.size())
            return false;
        size_t nEnd = m_block.find('\0', m_nPos);
        if (nEnd == std::string::npos)
            return false;
        rToken = CString(m_block.data() + m_nPos, int(nEnd - m_nPos));
        m_nPos = nEnd + 1;
        return true;
    }

private:
    const std::string& m_block;
    size_t m_nPos = 0;
};

// Reads one group of pairs up to its empty key.
bool ReadGroup(CTokenCursor& cursor, std::vector<std::pair<CString, CString>>& rPairs)
{
    for (;;) {
        CString strKey, strValue;
        if (!cursor.Next(strKey))
            return false;
        if (strKey.IsEmpty())
            return true;
        if (!cursor.Next(strValue))
            return false;
        rPairs.emplace_back(strKey, strValue);
    }
}

// "1.0.0.1" into four words; each part must be a number that fits a WORD.
bool ParseDottedVersion(const CString& strText, WORD wParts[4])
{
    const char* p = strText;
    for (int i = 0; i < 4; ++i) {
        if (*p < '0' || *p > '9')
            return false;
        char* pEnd = nullptr;
        unsigned long nPart = strtoul(p, &pEnd, 10);
        if (nPart > 0xFFFF)
            return false;
        wParts[i] = WORD(nPart);
        p = pEnd;
        if (i < 3 && *p++ != '.')
            return false;
    }
    return *p == '\0';
}

bool ApplyFixedGroup(const std::vector<std::pair<CString, CString>>& pairs,
                     AFX_FILE_VERSION_INFO& rInfo, CString* pError)
{
    for (const auto& [strKey, strValue] : pairs) {
        if (strKey == "FileVersion") {
            if (!ParseDottedVersion(strValue, rInfo.wFileVersion))
                return Fail(pError, "malformed FileVersion in version record");
        } else if (strKey == "ProductVersion") {
            if (!ParseDottedVersion(strValue, rInfo.wProductVersion))
                return Fail(pError, "malformed ProductVersion in version record");
        } else if (strKey == "FileType") {
            rInfo.strFileType = strValue;
        }
    }
    return true;
}

bool ApplyCopyGroup(const std::vector<std::pair<CString, CString>>& pairs,
                    AFX_FILE_VERSION_INFO& rInfo, CString* pError)
{
    if (pairs.size() < 2 || !(pairs[0].first == ":Language") || !(pairs[1].first == ":Block"))
        return Fail(pError, "language copy without :Language and :Block in version record");
    char* pEnd = nullptr;
    unsigned long nLang = strtoul(pairs[0].second, &pEnd, 10);
    if (pairs[0].second.IsEmpty() || *pEnd != '\0' || nLang > 0xFFFF)
        return Fail(pError, "malformed :Language in version record");
    AFX_VERSION_COPY copy;
    copy.wLanguage = LANGID(nLang);
    copy.strBlock = pairs[1].second;
    copy.strings.assign(pairs.begin() + 2, pairs.end());
    rInfo.copies.push_back(std::move(copy));
    return true;
}

bool ParseVersionBlock(const std::string& block, AFX_FILE_VERSION_INFO& rInfo, CString* pError)
{
    CTokenCursor cursor(block);
    CString strMagic;
    if (!cursor.Next(strMagic) || !(strMagic == KFX_VERSION_MAGIC))
        return Fail(pError, "version section does not start with " KFX_VERSION_MAGIC);

    std::vector<std::pair<CString, CString>> pairs;
    if (!ReadGroup(cursor, pairs))
        return Fail(pError, "version record truncated");
    if (!ApplyFixedGroup(pairs, rInfo, pError))
        return false;
    for (;;) {
        pairs.clear();
        if (!ReadGroup(cursor, pairs))
            return Fail(pError, "version record truncated");
        if (pairs.empty())
            return true;
        if (!ApplyCopyGroup(pairs, rInfo, pError))
            return false;
    }
}

// Finds the version section through the section headers and parses it.
bool ReadVersionFromElf(const ByteReader& read, uint64_t nFileSize, AFX_FILE_VERSION_INFO& rInfo,
                        CString* pError)
{
    AFX_ELF_SECTIONS elf;
    const std::string strRefused = elf.Read(read, nFileSize);
    if (!strRefused.empty())
        return Fail(pError, strRefused.c_str());

    for (const Elf64_Shdr& section : elf.sections) {
        if (strcmp(elf.NameOf(section), KFX_VERSION_SECTION) != 0)
            continue;
        if (section.sh_type == SHT_NOBITS || section.sh_size > kMaxVersionBytes ||
            !RangeInside(section.sh_offset, section.sh_size, nFileSize))
            return Fail(pError, "version section lies outside the file");
        std::string block(size_t(section.sh_size), '\0');
        if (!read(section.sh_offset, block.size(), block.data()))
            return Fail(pError, "cannot read version section");
        AFX_FILE_VERSION_INFO info;
        if (!ParseVersionBlock(block, info, pError))
            return false;
        rInfo = std::move(info);
        return true;
    }
    return Fail(pError, "module has no version record");
}

} // namespace

const AFX_VERSION_COPY* AFX_FILE_VERSION_INFO::FindCopy(LANGID wLanguage) const
{
    for (const AFX_VERSION_COPY& copy : copies) {
        if (copy.wLanguage == wLanguage)
            return &copy;
    }
    return nullptr;
}

BOOL AfxParseFileVersionInfo(const BYTE* pImage, size_t nSize, AFX_FILE_VERSION_INFO& rInfo,
                             CString* pError)
{
    ByteReader read = [&](uint64_t nOffset, size_t nBytes, void* pDest) {
        if (!RangeInside(nOffset, nBytes, nSize))
            return false;
        memcpy(pDest, pImage + nOffset, nBytes);
        return true;
    };
    return ReadVersionFromElf(read, nSize, rInfo, pError) ? TRUE : FALSE;
}

BOOL AfxGetFileVersionInfo(LPCSTR lpszPath, AFX_FILE_VERSION_INFO& rInfo, CString* pError)
{
    int fd = open(lpszPath, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (pError)
            *pError = CString("cannot open ") + lpszPath + ": " + strerror(errno);
        return FALSE;
    }
    struct stat st;
    bool bOk = false;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        Fail(pError, "not a regular file");
    } else {
        ByteReader read = [fd](uint64_t nOffset, size_t nBytes, void* pDest) {
            char* p = static_cast<char*>(pDest);
            while (nBytes > 0) {
                ssize_t n = pread(fd, p, nBytes, off_t(nOffset));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0)
                    return false;
                p += n;
                nOffset += uint64_t(n);
                nBytes -= size_t(n);
            }
            return true;
        };
        bOk = ReadVersionFromElf(read, uint64_t(st.st_size), rInfo, pError);
    }
    close(fd);
    return bOk ? TRUE : FALSE;
}
