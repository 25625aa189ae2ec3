// Runs the chart-file fuzz target over stored inputs, so that the fixtures
// are checked by every compiler's build, not only by the fuzzing one: seeds
// must load as a chart, the others must be refused, and the fuzz entry's own
// checks must hold either way.
#include "FuzzCorpusRun.h"

extern "C" int KvDocumentFuzzLoads(const uint8_t* pData, size_t nSize);

int main(int argc, char** argv)
{
    return RunFuzzCorpus(argc, argv, [](const std::vector<uint8_t>& data) {
        const bool bLoads = KvDocumentFuzzLoads(data.data(), data.size()) != 0;
        return FuzzVerdict{bLoads, bLoads ? "loads" : "refused"};
    });
}
