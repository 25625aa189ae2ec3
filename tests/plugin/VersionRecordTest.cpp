// The version record read back from the built module's file, and the reader
// refusing damaged files without crashing or allocating by their counts.
#include "PluginTestSupport.h"

#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

namespace
{

using Bytes = std::vector<BYTE>;
using StringPairs = std::vector<std::pair<CString, CString>>;

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(VersionRecord, ReadsTheModulesRecordFromItsFile)
{
    AFX_FILE_VERSION_INFO info;
    CString strError;
    ASSERT_TRUE(AfxGetFileVersionInfo(PluginPath().c_str(), info, &strError))
        << strError.GetString();

    const WORD kVersion[4] = {1, 0, 0, 1};
    EXPECT_TRUE(std::equal(kVersion, kVersion + 4, info.wFileVersion));
    EXPECT_TRUE(std::equal(kVersion, kVersion + 4, info.wProductVersion));
    EXPECT_EQ(info.strFileType, "DLL");

    const StringPairs kStrings = {
        {"CompanyName", ""},
        {"FileDescription", "KURVO7 DLL"},
        {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "KURVO7"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "KURVO7.DLL"},
        {"ProductName", "KURVO7 Dynamic Link Library"},
        {"ProductVersion", "1, 0, 0, 1"},
    };
    ASSERT_EQ(info.copies.size(), 2u);
    for (LANGID wLanguage : {LANGID(1033), LANGID(1049)}) {
        const AFX_VERSION_COPY* pCopy = info.FindCopy(wLanguage);
        ASSERT_NE(pCopy, nullptr) << wLanguage;
        EXPECT_EQ(pCopy->strBlock, "040904B0");
        EXPECT_EQ(pCopy->strings, kStrings);
    }
}

// Section headers of a good image, for damaging one field at a time.
Elf64_Shdr* SectionHeaders(Bytes& image)
{
    auto* eh = reinterpret_cast<Elf64_Ehdr*>(image.data());
    return reinterpret_cast<Elf64_Shdr*>(image.data() + eh->e_shoff);
}

Elf64_Shdr* VersionSection(Bytes& image)
{
    auto* eh = reinterpret_cast<Elf64_Ehdr*>(image.data());
    Elf64_Shdr* sh = SectionHeaders(image);
    const char* names = reinterpret_cast<const char*>(image.data() + sh[eh->e_shstrndx].sh_offset);
    for (int i = 0; i < eh->e_shnum; ++i) {
        if (strcmp(names + sh[i].sh_name, KFX_VERSION_SECTION) == 0)
            return &sh[i];
    }
    return nullptr;
}

struct DamageCase {
    const char* name;
    std::function<void(Bytes&)> damage;
};

class DamagedFile : public testing::TestWithParam<DamageCase>
{
};

TEST_P(DamagedFile, IsRefusedWithAReason)
{
    Bytes image = ReadFile(PluginPath());
    ASSERT_GT(image.size(), sizeof(Elf64_Ehdr));
    ASSERT_NE(VersionSection(image), nullptr);
    GetParam().damage(image);

    AFX_FILE_VERSION_INFO info;
    info.strFileType = "untouched";
    CString strError;
    EXPECT_FALSE(AfxParseFileVersionInfo(image.data(), image.size(), info, &strError));
    EXPECT_FALSE(strError.IsEmpty());
    EXPECT_EQ(info.strFileType, "untouched");
    EXPECT_TRUE(info.copies.empty());
}

auto Truncate(size_t nSize)
{
    return [nSize](Bytes& b) { b.resize(std::min(nSize, b.size())); };
}

// Offsets and sizes chosen to overflow a careless "offset + size <= total".
constexpr uint64_t kHuge = ~uint64_t(0) - 8;

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFile,
    testing::Values(
        DamageCase{"Empty", Truncate(0)}, DamageCase{"HalfAHeader", Truncate(32)},
        DamageCase{"HeaderOnly", Truncate(sizeof(Elf64_Ehdr))},
        DamageCase{"LastByteMissing", [](Bytes& b) { b.pop_back(); }},
        DamageCase{"NotElf", [](Bytes& b) { b[1] = 'X'; }},
        DamageCase{"ThirtyTwoBitClass", [](Bytes& b) { b[EI_CLASS] = ELFCLASS32; }},
        DamageCase{"SectionTableBeyondEnd",
                   [](Bytes& b) { reinterpret_cast<Elf64_Ehdr*>(b.data())->e_shoff = kHuge; }},
        DamageCase{"TooManySections",
                   [](Bytes& b) { reinterpret_cast<Elf64_Ehdr*>(b.data())->e_shnum = 0xFFFF; }},
        DamageCase{"NameTableIndexOutOfRange",
                   [](Bytes& b) {
                       auto* eh = reinterpret_cast<Elf64_Ehdr*>(b.data());
                       eh->e_shstrndx = eh->e_shnum;
                   }},
        DamageCase{"NameTableHuge",
                   [](Bytes& b) {
                       auto* eh = reinterpret_cast<Elf64_Ehdr*>(b.data());
                       SectionHeaders(b)[eh->e_shstrndx].sh_size = kHuge;
                   }},
        DamageCase{"VersionOffsetBeyondEnd",
                   [](Bytes& b) { VersionSection(b)->sh_offset = kHuge; }},
        DamageCase{"VersionSizeHuge", [](Bytes& b) { VersionSection(b)->sh_size = kHuge; }},
        DamageCase{"VersionCutShort", [](Bytes& b) { VersionSection(b)->sh_size -= 1; }},
        DamageCase{"VersionMagicWrong", [](Bytes& b) { b[VersionSection(b)->sh_offset] = 'X'; }},
        DamageCase{"VersionWithoutZeros",
                   [](Bytes& b) {
                       Elf64_Shdr* s = VersionSection(b);
                       std::fill_n(b.begin() + long(s->sh_offset), s->sh_size, 'A');
                   }},
        DamageCase{"NoVersionSection", [](Bytes& b) { VersionSection(b)->sh_name = 0; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VersionRecord, GarbageAndMissingFilesAreRefused)
{
    AFX_FILE_VERSION_INFO info;
    CString strError;
    EXPECT_FALSE(AfxGetFileVersionInfo("/nonexistent/KURVO7.so", info, &strError));
    EXPECT_FALSE(AfxGetFileVersionInfo("/", info, &strError));

    Bytes garbage(4096);
    uint32_t seed = 12345;
    for (BYTE& b : garbage)
        b = BYTE((seed = seed * 1103515245 + 12345) >> 16);
    memcpy(garbage.data(), ELFMAG, SELFMAG);
    garbage[EI_CLASS] = ELFCLASS64;
    garbage[EI_DATA] = ELFDATA2LSB;
    EXPECT_FALSE(AfxParseFileVersionInfo(garbage.data(), garbage.size(), info, &strError));
}

} // namespace
