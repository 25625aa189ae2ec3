// Whole programs run from a benchmark: the built host, or a baseline tool.
#pragma once

#include <string>
#include <vector>

// The folder of the running benchmark program, with its final '/'; the
// build puts the host and the plug-in there too.
std::string ProgramDir();

// Runs a program with its output discarded; its exit code, or -1. With
// pPeakKb, also the child's peak resident set in kilobytes.
int Run(const std::vector<std::string>& arguments, long* pPeakKb = nullptr);
