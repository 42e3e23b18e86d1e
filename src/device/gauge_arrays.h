#pragma once
// The gauge's two arrays as the program reads them block by block: the
// spectrum and the raw signal, with the mode the gauge's array read is in
// and the block to read next.

#include <array>
#include <cstdint>

struct TGaugeArrays {
    static constexpr int SpectrumSize = 512;
    static constexpr int SignalSize = 1024;
    static constexpr int BlockSize = 32;

    std::array<double, SpectrumSize> Spectrum{};
    std::array<int32_t, SignalSize> Signal{};

    uint16_t BlockIndex = 0; // 1-based block to read next
    // The gauge's array mode, set by the last control command built (20
    // signal, 30 spectrum, 50/52 training/correction, 0 none). It belongs to
    // the gauge, not to one request: every block read after an init command
    // is read in its mode, whatever other requests went out in between.
    uint8_t ArrayKind = 0;

    void ClearSpectrum() { Spectrum.fill(0); }
    void ClearSignal() { Signal.fill(0); }
    // The largest spectrum value, 0 for none above 0; a NaN from the line
    // never wins.
    double SpectrumMax() const;
};
