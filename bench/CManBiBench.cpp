// The owning sorted collection as the document uses it: a batch of
// insertions, one Balance, then a search per key. The baseline does the same
// with std::multiset, which rebalances on every insertion.
#include "model/CManBi.h"
#include "model/CObString.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> RandomNames(int nCount)
{
    std::mt19937 rng(4711);
    std::vector<std::string> names;
    names.reserve(size_t(nCount));
    for (int i = 0; i < nCount; ++i)
        names.push_back("Race" + std::to_string(rng() % (unsigned(nCount) * 4)));
    return names;
}

void CManBi_InsertBalanceFind(benchmark::State& state)
{
    const std::vector<std::string> names = RandomNames(int(state.range(0)));
    std::vector<std::unique_ptr<CObString>> keys;
    for (const std::string& name : names)
        keys.push_back(std::make_unique<CObString>(CString(name.c_str())));
    for (auto _ : state) {
        CManBi bi;
        for (const std::string& name : names)
            bi.Insert(new CObString(CString(name.c_str())));
        bi.Balance();
        size_t nFound = 0;
        CDimPtr found;
        for (const auto& pKey : keys) {
            found.RemoveAll();
            bi.FindEqual(pKey.get(), found);
            nFound += size_t(found.GetSize());
        }
        benchmark::DoNotOptimize(nFound);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Baseline_InsertBalanceFind(benchmark::State& state)
{
    const std::vector<std::string> names = RandomNames(int(state.range(0)));
    for (auto _ : state) {
        std::multiset<std::string> set;
        for (const std::string& name : names)
            set.insert(name);
        size_t nFound = 0;
        for (const std::string& name : names) {
            const auto range = set.equal_range(name);
            nFound += size_t(std::distance(range.first, range.second));
        }
        benchmark::DoNotOptimize(nFound);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(CManBi_InsertBalanceFind)->Arg(100)->Arg(1000)->Arg(10000)->Repetitions(7)->MinTime(0.1);
BENCHMARK(Baseline_InsertBalanceFind)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Repetitions(7)
    ->MinTime(0.1);
