#include "RandomSource.h"

// SplitMix64: tiny, fast and good enough for invented statistics.
uint64_t RandomSource::next()
{
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double RandomSource::unit()
{
    return double(next() >> 11) * 0x1.0p-53;
}

int RandomSource::below(int count)
{
    return int(next() % uint64_t(count));
}
