#include "sim/sim_noise.h"

uint64_t SimMix(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

double SimNoise(uint64_t seed, uint64_t key)
{
    const uint64_t bits = SimMix(SimMix(seed) ^ key) >> 11; // 53 bits
    return double(bits) / double(uint64_t(1) << 52) - 1.0;
}

uint64_t TSimRandom::next()
{
    m_state += 0x9E3779B97F4A7C15ull;
    return SimMix(m_state);
}

double TSimRandom::unit()
{
    return double(next() >> 11) / double(uint64_t(1) << 53);
}

uint64_t TSimRandom::below(uint64_t n)
{
    return n ? next() % n : 0;
}
