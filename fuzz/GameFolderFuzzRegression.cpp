// Runs the game-folder fuzz target over stored inputs with any compiler:
// seeds must load as a game without a problem logged, the others must be
// refused or logged, and the fuzz entry's own checks must hold either way.
#include "FuzzCorpusRun.h"

#include <string>

extern "C" int GameFolderFuzzLoadsCleanly(const uint8_t* pData, size_t nSize, size_t* pnErrors);

int main(int argc, char** argv)
{
    return RunFuzzCorpus(argc, argv, [](const std::vector<uint8_t>& data) {
        size_t nErrors = 0;
        const bool bClean = GameFolderFuzzLoadsCleanly(data.data(), data.size(), &nErrors) != 0;
        return FuzzVerdict{bClean, bClean ? "loads" : std::to_string(nErrors) + " problem(s)"};
    });
}
