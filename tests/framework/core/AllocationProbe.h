// Records the largest single allocation made through operator new while a
// probe is alive, so tests can show that a reader did not trust a length.
#pragma once

#include <cstddef>

class AllocationProbe
{
public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    size_t LargestAllocation() const;
};
