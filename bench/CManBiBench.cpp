// The owning sorted collection as the document uses it: a batch of
// insertions, one Balance, then a search per key. The baseline does the same
// with std::multiset, which rebalances on every insertion.
//
// And the load of a stored selection of 100,000 names in the ascending
// order a save writes, against the same names stored shuffled: an order
// that costs the plain descent nothing extra.
#include "model/CManBi.h"
#include "model/CObString.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
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

// A selection's stored form (count, then the names through the object
// writer) with distinct names, ascending or shuffled.
std::vector<BYTE> StoredNames(int nCount, bool bShuffled)
{
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());
    std::vector<std::unique_ptr<CObString>> names;
    for (int i = 0; i < nCount; ++i) {
        char szName[16];
        std::snprintf(szName, sizeof szName, "Race%07d", i);
        names.push_back(std::make_unique<CObString>(CString(szName)));
    }
    if (bShuffled)
        std::shuffle(names.begin(), names.end(), std::mt19937(4711));
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar << LONG(nCount);
    for (const auto& pName : names)
        ar.WriteObject(pName.get());
    ar.Close();
    return file.Detach();
}

void LoadNames(benchmark::State& state, bool bShuffled)
{
    const std::vector<BYTE> bytes = StoredNames(int(state.range(0)), bShuffled);
    AFX_MAINTAIN_STATE module(AfxGetStaticModuleState());
    for (auto _ : state) {
        CMemFile file(bytes.data(), UINT(bytes.size()));
        CArchive ar(&file, CArchive::load);
        CManBi bi;
        bi.Serialize(ar);
        benchmark::DoNotOptimize(bi.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Ascending_NameLoad(benchmark::State& state)
{
    LoadNames(state, false);
}

void Baseline_NameLoad(benchmark::State& state)
{
    LoadNames(state, true);
}

} // namespace

BENCHMARK(Ascending_NameLoad)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->MinTime(0.1);
BENCHMARK(Baseline_NameLoad)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->MinTime(0.1);
BENCHMARK(CManBi_InsertBalanceFind)->Arg(100)->Arg(1000)->Arg(10000)->Repetitions(7)->MinTime(0.1);
BENCHMARK(Baseline_InsertBalanceFind)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Repetitions(7)
    ->MinTime(0.1);
