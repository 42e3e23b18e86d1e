#include "sim/gauge_arrays.h"

#include "sim/answer_builder.h"
#include "sim/sim_noise.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kFloor = 50;
constexpr double kFloorSpread = 10;
constexpr double kPeak = 10000;
constexpr double kShoulder = 3000;
constexpr double kSignalAmplitude = 2'000'000;
constexpr double kSignalNoise = 20'000;

// Beat cycles per record for the distance; NaN when it cannot be named.
double beatCycles(double distance, double krPer)
{
    if (!(krPer > 0) || !std::isfinite(krPer) || !std::isfinite(distance))
        return std::nan("");
    return (distance / krPer - 1) / 2;
}

} // namespace

int SpectrumLineForDistance(double distance, double krPer)
{
    const double x = beatCycles(distance, krPer);
    if (std::isnan(x))
        return -1;
    // KrPer * (2x + 1) is monotonic in x, so the nearest line is the rounded
    // fractional position, held inside the array.
    if (x <= 0)
        return 0;
    if (x >= SpectrumSize - 1)
        return SpectrumSize - 1;
    return int(std::lround(x));
}

std::vector<float> MakeSpectrum(double distance, double krPer, uint64_t seed)
{
    std::vector<float> out(SpectrumSize);
    for (int i = 0; i < SpectrumSize; ++i)
        out[i] = float(kFloor + kFloorSpread * SimNoise(seed, uint64_t(i)));
    const int line = SpectrumLineForDistance(distance, krPer);
    if (line >= 0) {
        out[line] = float(kPeak);
        if (line > 0)
            out[line - 1] = float(kShoulder);
        if (line + 1 < SpectrumSize)
            out[line + 1] = float(kShoulder);
    }
    return out;
}

std::vector<int32_t> MakeSignal(double distance, double krPer, uint64_t seed)
{
    std::vector<int32_t> out(SignalSize);
    double cycles = beatCycles(distance, krPer);
    if (std::isnan(cycles))
        cycles = 0;
    const uint64_t noiseSeed = SimMix(seed ^ 0x5167A1ull);
    for (int n = 0; n < SignalSize; ++n) {
        const double wave = kSignalAmplitude * std::sin(2 * std::numbers::pi * cycles * n / SignalSize);
        out[n] = int32_t(std::lround(wave + kSignalNoise * SimNoise(noiseSeed, uint64_t(n))));
    }
    return out;
}
