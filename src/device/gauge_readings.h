#pragma once
// The latest readings as observable values, each described as its reading
// says: the gauge's level, distance, free space, reserve, beat frequency and
// temperature, and the current the loop meter measured on the gauge's
// 4-20 mA output. Every store notifies, a repeated value too.

#include "device/gauge_answer.h"
#include "values/io_data.h"

struct TGaugeReadings {
    TGaugeReadings();
    TGaugeReadings(const TGaugeReadings &) = delete;
    TGaugeReadings &operator=(const TGaugeReadings &) = delete;

    TIODouble Freq;
    TIODouble Level;
    TIODouble Reserve;
    TIODouble LevelFree;
    TIODouble Distance;
    TIODouble Temp;
    TIODouble CurrentOutput;

    TIODouble &Value(TReadingKind kind);
    const TIODouble &Value(TReadingKind kind) const;
};
