// A small seeded generator whose sequence is the same on every platform and
// standard library, so that a seed always gives the same game. (The standard
// distributions are free to differ between libraries.)
#pragma once

#include <cstdint>

class RandomSource
{
public:
    explicit RandomSource(uint64_t seed) : m_state(seed) {}

    uint64_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [low, high).
    double between(double low, double high) { return low + (high - low) * unit(); }
    // Uniform in [0, count); count must be positive.
    int below(int count);
    bool chance(double probability) { return unit() < probability; }

private:
    uint64_t m_state;
};
