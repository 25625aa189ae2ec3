// Runs the chart-file fuzz target over stored inputs, so that the fixtures
// are checked by every compiler's build, not only by the fuzzing one. Inputs
// named seed-* must load; malformed-* and crash-* (inputs that once crashed)
// must be refused. Either way the fuzz entry's own checks must hold.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize);
extern "C" int KvDocumentFuzzLoads(const uint8_t* pData, size_t nSize);

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
    const bool bLoads = KvDocumentFuzzLoads(data.data(), data.size()) != 0;
    std::printf("%s: %zu bytes, %s\n", path.filename().c_str(), data.size(),
                bLoads ? "loads" : "refused");
    LLVMFuzzerTestOneInput(data.data(), data.size());
    const bool bSeed = path.filename().string().rfind("seed-", 0) == 0;
    if (bSeed != bLoads) {
        std::fprintf(stderr, "%s: expected it to be %s\n", path.filename().c_str(),
                     bSeed ? "loaded" : "refused");
        return 1;
    }
    return 0;
}

std::vector<std::filesystem::path> FilesOf(const std::filesystem::path& arg)
{
    std::vector<std::filesystem::path> files;
    if (!std::filesystem::is_directory(arg))
        return {arg};
    for (const auto& entry : std::filesystem::directory_iterator(arg)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}
} // namespace

int main(int argc, char** argv)
{
    int nFailures = 0;
    int nRun = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& file : FilesOf(argv[i])) {
            nFailures += RunFile(file);
            ++nRun;
        }
    }
    std::printf("%d inputs, %d not as expected\n", nRun, nFailures);
    return nRun > 0 && nFailures == 0 ? 0 : 1;
}
