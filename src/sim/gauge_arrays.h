#pragma once
// The two arrays the gauge hands out block by block: the echo spectrum and
// the raw beat signal, both taken at the moment the operator initialises the
// read, so that all blocks of one read belong together.
//
// The spectrum window maps line x to the distance KrPer * (2x + 1); the
// surface echo is the line whose distance is closest to the present one. A
// signal of 1024 samples with a beat of x cycles per record has its spectral
// peak at that line, so the signal is the matching oscillation.

#include <cstdint>
#include <vector>

// The spectrum line of a distance, 0..511; -1 when KrPer is not a positive
// number (no line can be named).
int SpectrumLineForDistance(double distance, double krPer);

// 512 values: a noise floor of about 40-60, the surface echo of 10000 at its
// line with shoulders of 3000 on either side.
std::vector<float> MakeSpectrum(double distance, double krPer, uint64_t seed);

// 1024 samples: the beat oscillation of amplitude 2 000 000 at
// (distance / KrPer - 1) / 2 cycles per record, with noise of about 1 %.
std::vector<int32_t> MakeSignal(double distance, double krPer, uint64_t seed);
