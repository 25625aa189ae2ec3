// Runs the host-reply fuzz target over stored inputs with any compiler:
// seeds must give the plug-in at least one race, the others none, and the
// fuzz entry's own checks (series in shape, the document saves and loads
// back) must hold either way.
#include "FuzzCorpusRun.h"

#include <string>

extern "C" long HostReplyFuzzRaces(const uint8_t* pData, size_t nSize);

int main(int argc, char** argv)
{
    return RunFuzzCorpus(argc, argv, [](const std::vector<uint8_t>& data) {
        const long nRaces = HostReplyFuzzRaces(data.data(), data.size());
        return FuzzVerdict{nRaces > 0, std::to_string(nRaces) + " race(s)"};
    });
}
