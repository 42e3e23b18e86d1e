#pragma once
// The devices on the line: entry 0 the gauge, entry 1 the current-loop
// meter (ЛЮМИДОР-906). Each polling pass talks to the next enabled entry.

#include <QString>
#include <cstdint>

struct TListDevice {
    enum : uint8_t { KindTolm = 0, KindLumidor = 1 };
    uint8_t Kind = KindTolm;
    int32_t Number = 0;
    bool Enabled = false;
    QString Name;
};
