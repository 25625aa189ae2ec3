// Runs the archive fuzz target over stored inputs, so that the fixtures are
// checked by every compiler's build, not only by the fuzzing one. Inputs
// named seed-* must read to their end; malformed-* and crash-* (inputs that
// once crashed) must end in an archive error. Either way the fuzz entry's
// own checks (round trip, no leftover objects) must hold.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize);
extern "C" int ArchiveFuzzReadsCompletely(const uint8_t* pData, size_t nSize, size_t* pnItems);

namespace
{
int RunFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    size_t nItems = 0;
    bool bComplete = ArchiveFuzzReadsCompletely(data.data(), data.size(), &nItems) != 0;
    std::printf("%s: %zu bytes, %zu items, %s\n", path.filename().c_str(), data.size(), nItems,
                bComplete ? "complete" : "archive error");
    LLVMFuzzerTestOneInput(data.data(), data.size());
    bool bSeed = path.filename().string().rfind("seed-", 0) == 0;
    if (bSeed != bComplete) {
        std::fprintf(stderr, "%s: expected %s\n", path.filename().c_str(),
                     bSeed ? "a complete read" : "an archive error");
        return 1;
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    int nFailures = 0;
    int nRun = 0;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path arg(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg)) {
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            }
        } else {
            files.push_back(arg);
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            nFailures += RunFile(file);
            ++nRun;
        }
    }
    std::printf("%d inputs, %d not as expected\n", nRun, nFailures);
    return nRun > 0 && nFailures == 0 ? 0 : 1;
}
