// The main of every benchmark program. It runs the registered benchmarks as
// Google Benchmark does, then pairs each measurement with its baseline and
// prints the ratio of their times.
//
// Pairing is by name: a benchmark "Baseline_X/args" is the baseline of every
// benchmark "Y_X/args" (same X, same arguments). A ratio above 1 means the
// measured code is slower than the baseline.
#include "BenchAtEnd.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace
{

constexpr const char* kBaselinePrefix = "Baseline_";

class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_times[run.run_name.str()] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1 &&
                     run.iterations > 0)
                m_times[run.run_name.str()] = run.GetAdjustedRealTime();
        }
    }

    void PrintRatios() const
    {
        std::printf("\nRatio to baseline (time / baseline time):\n");
        for (const auto& [name, time] : m_times) {
            if (name.rfind(kBaselinePrefix, 0) == 0)
                continue;
            const std::string strBaseline = BaselineOf(name);
            const auto it = m_times.find(strBaseline);
            if (it == m_times.end() || it->second <= 0.0) {
                std::printf("  %-50s no baseline (%s)\n", name.c_str(), strBaseline.c_str());
                continue;
            }
            std::printf("  %-50s %8.2f\n", ShortName(name).c_str(), time / it->second);
        }
    }

private:
    // "Y_X/args" -> "Baseline_X/args", and "X/args" -> "Baseline_X/args".
    // Only the function's name is looked at: the arguments carry
    // underscores of their own ("min_time:", "real_time").
    static std::string BaselineOf(const std::string& name)
    {
        const size_t nUnderscore = name.find('_');
        if (nUnderscore == std::string::npos || nUnderscore > name.find('/'))
            return kBaselinePrefix + name;
        return kBaselinePrefix + name.substr(nUnderscore + 1);
    }

    // The name without the arguments that only say how it was timed.
    static std::string ShortName(const std::string& name)
    {
        std::string strShort;
        size_t nStart = 0;
        for (size_t nEnd; nStart <= name.size(); nStart = nEnd + 1) {
            nEnd = std::min(name.find('/', nStart), name.size());
            const std::string strPart = name.substr(nStart, nEnd - nStart);
            if (strPart.rfind("min_time:", 0) == 0 || strPart.rfind("repeats:", 0) == 0)
                continue;
            strShort += (strShort.empty() ? "" : "/") + strPart;
        }
        return strShort;
    }

    std::map<std::string, double> m_times;
};

std::vector<std::function<void()>>& Teardowns()
{
    static std::vector<std::function<void()>> teardowns;
    return teardowns;
}

} // namespace

void BenchAtEnd(std::function<void()> fnTeardown)
{
    Teardowns().push_back(std::move(fnTeardown));
}

// Flags given on the command line come after these and win.
std::vector<char*> WithDefaults(int argc, char** argv)
{
    static char szInterleave[] = "--benchmark_enable_random_interleaving=true";
    static char szAggregates[] = "--benchmark_display_aggregates_only=true";
    std::vector<char*> args{argv[0], szInterleave, szAggregates};
    args.insert(args.end(), argv + 1, argv + argc);
    args.push_back(nullptr);
    return args;
}

int main(int argc, char** argv)
{
    std::vector<char*> args = WithDefaults(argc, argv);
    argc = int(args.size()) - 1;
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    for (auto it = Teardowns().rbegin(); it != Teardowns().rend(); ++it)
        (*it)();
    benchmark::Shutdown();
    return 0;
}
