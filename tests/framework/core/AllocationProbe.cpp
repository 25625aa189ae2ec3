// Replaces the global operator new and delete of the test program (the
// language allows a program to do so) with versions that note sizes.
#include "AllocationProbe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<int> g_nProbes{0};
std::atomic<size_t> g_nLargest{0};

void* Allocate(size_t nSize)
{
    if (g_nProbes.load(std::memory_order_relaxed) > 0) {
        size_t nLargest = g_nLargest.load(std::memory_order_relaxed);
        while (nSize > nLargest && !g_nLargest.compare_exchange_weak(nLargest, nSize)) {
        }
    }
    if (void* p = std::malloc(nSize == 0 ? 1 : nSize))
        return p;
    throw std::bad_alloc();
}
} // namespace

AllocationProbe::AllocationProbe()
{
    g_nLargest = 0;
    ++g_nProbes;
}

AllocationProbe::~AllocationProbe()
{
    --g_nProbes;
}

size_t AllocationProbe::LargestAllocation() const
{
    return g_nLargest.load();
}

void* operator new(size_t nSize)
{
    return Allocate(nSize);
}
void* operator new[](size_t nSize)
{
    return Allocate(nSize);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept
{
    std::free(p);
}
