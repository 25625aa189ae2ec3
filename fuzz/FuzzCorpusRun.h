// The shared driver of the fuzz regression runs: every stored input is fed to
// the fuzz entry and classified. Inputs named seed-* must be accepted;
// malformed-* and crash-* (inputs that once crashed) must be refused.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct FuzzVerdict {
    bool bAccepted = false;
    std::string strDetail; // printed beside the file's name
};

// Runs every file named by argv (files, or folders of files in name order)
// through classify and then through the fuzz entry itself. 0 when there was
// at least one input and every one came out as its name says.
int RunFuzzCorpus(int argc, char** argv,
                  const std::function<FuzzVerdict(const std::vector<uint8_t>&)>& classify);
