// Runs the score-log fuzz target over stored inputs with any compiler: seeds
// must be read with races and without a problem reported, the others must
// report one, and the fuzz entry's own checks (the same game however the log
// is cut, followed or not) must hold either way.
#include "FuzzCorpusRun.h"

#include <string>

extern "C" int ScoreLogFuzzReadsCleanly(const uint8_t* pData, size_t nSize, size_t* pnErrors);

int main(int argc, char** argv)
{
    return RunFuzzCorpus(argc, argv, [](const std::vector<uint8_t>& data) {
        size_t nErrors = 0;
        const bool bClean = ScoreLogFuzzReadsCleanly(data.data(), data.size(), &nErrors) != 0;
        return FuzzVerdict{bClean, bClean ? "reads" : std::to_string(nErrors) + " problem(s)"};
    });
}
