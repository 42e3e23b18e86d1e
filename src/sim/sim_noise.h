#pragma once
// Repeatable noise for the simulated instruments: the same seed and the same
// key (a time step, a sample index) always give the same value, whatever was
// asked before, so a reading depends only on the moment it is taken.

#include <cstdint>

// SplitMix64 finaliser: a well-mixed 64-bit value of its input.
uint64_t SimMix(uint64_t x);
// Uniform in [-1, 1) for the pair (seed, key).
double SimNoise(uint64_t seed, uint64_t key);

// A small sequential generator for the fault choices; its sequence depends
// only on the seed.
class TSimRandom
{
public:
    explicit TSimRandom(uint64_t seed) : m_state(seed) {}
    uint64_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [0, n); 0 when n is 0.
    uint64_t below(uint64_t n);

private:
    uint64_t m_state;
};
