#pragma once
// One description per reading of the gauge and the meter: the name it is
// archived and printed under and the digits of its text. The archive, the
// command-line tool and the model all take their names from here.

#include "device/gauge_answer.h"

struct TReadingDescription {
    TReadingKind Kind;
    const char *Name; // archive and print name
    int Digits;       // after the decimal point in text
};

const TReadingDescription &DescribeReading(TReadingKind kind);
