// Runs the archive fuzz target over stored inputs, so that the fixtures are
// checked by every compiler's build, not only by the fuzzing one: seeds must
// read to their end, the others must end in an archive error, and the fuzz
// entry's own checks (round trip, no leftover objects) must hold either way.
#include "FuzzCorpusRun.h"

#include <string>

extern "C" int ArchiveFuzzReadsCompletely(const uint8_t* pData, size_t nSize, size_t* pnItems);

int main(int argc, char** argv)
{
    return RunFuzzCorpus(argc, argv, [](const std::vector<uint8_t>& data) {
        size_t nItems = 0;
        const bool bComplete = ArchiveFuzzReadsCompletely(data.data(), data.size(), &nItems) != 0;
        return FuzzVerdict{bComplete, std::to_string(nItems) + " items, " +
                                          (bComplete ? "complete" : "archive error")};
    });
}
