#include "FuzzCorpusRun.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize);

namespace
{

std::vector<std::filesystem::path> FilesOf(const std::filesystem::path& arg)
{
    if (!std::filesystem::is_directory(arg))
        return {arg};
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(arg)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

int RunFile(const std::filesystem::path& path,
            const std::function<FuzzVerdict(const std::vector<uint8_t>&)>& classify)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    const FuzzVerdict verdict = classify(data);
    std::printf("%s: %zu bytes, %s\n", path.filename().c_str(), data.size(),
                verdict.strDetail.c_str());
    LLVMFuzzerTestOneInput(data.data(), data.size());
    const bool bSeed = path.filename().string().rfind("seed-", 0) == 0;
    if (bSeed != verdict.bAccepted) {
        std::fprintf(stderr, "%s: expected it to be %s\n", path.filename().c_str(),
                     bSeed ? "accepted" : "refused");
        return 1;
    }
    return 0;
}

} // namespace

int RunFuzzCorpus(int argc, char** argv,
                  const std::function<FuzzVerdict(const std::vector<uint8_t>&)>& classify)
{
    int nFailures = 0;
    int nRun = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& file : FilesOf(argv[i])) {
            nFailures += RunFile(file, classify);
            ++nRun;
        }
    }
    std::printf("%d inputs, %d not as expected\n", nRun, nFailures);
    return nRun > 0 && nFailures == 0 ? 0 : 1;
}
