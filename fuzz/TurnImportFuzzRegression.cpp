// Runs the turn-import fuzz target over stored inputs with any compiler:
// seeds must be imported, the others refused, and the fuzz entry's own
// checks (nothing changed by a refusal, turns.csv reads back as the game)
// must hold either way.
#include "FuzzCorpusRun.h"

#include <string>

extern "C" int TurnImportFuzzImports(const uint8_t* pData, size_t nSize, size_t* pnErrors);

int main(int argc, char** argv)
{
    return RunFuzzCorpus(argc, argv, [](const std::vector<uint8_t>& data) {
        size_t nErrors = 0;
        const bool bImported = TurnImportFuzzImports(data.data(), data.size(), &nErrors) != 0;
        return FuzzVerdict{bImported, std::string(bImported ? "imported" : "refused") + ", " +
                                          std::to_string(nErrors) + " problem(s)"};
    });
}
