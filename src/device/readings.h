#pragma once
// One description per reading of the gauge and the meter: the name it is
// archived and printed under, the digits of its archived text, how the
// windows show it (title, hint, unit, range, digits), the command that reads
// it alone and whether the level-all answer carries it, the time graph it
// has and its series in the multi-graph. The model's values, the archive,
// the graphs and the command-line tool all take it from here.

#include "device/gauge_answer.h"

#include <cstdint>
#include <span>
#include <vector>

struct TReadingDescription {
    TReadingKind Kind;
    const char *Name; // archive and print name
    int Digits;       // after the decimal point in archived and printed text
    // How the windows show the value (UTF-8).
    const char *Title;
    const char *Hint;
    const char *Unit;
    double Min;
    double Max;
    int ShownDigits;
    int ReadCode;    // the command that reads it alone
    bool InLevelAll; // the level-all answer carries it too
    int GraphSlot;   // its time graph, 1..7; 0 none
    // Its series in the multi-graph: the place from 1 (0: none), the colour
    // (0xRRGGBB) and whether it is drawn only with the factory command set.
    int MultiGraphPlace;
    uint32_t Color;
    bool MultiGraphFullModeOnly;
};

const TReadingDescription &DescribeReading(TReadingKind kind);
// Every reading, in the order of TReadingKind.
std::span<const TReadingDescription> ReadingDescriptions();
// The reading a time graph of slot 1..7 draws; nullptr for the gain's graph
// (a parameter, archived but no reading) and for any other number.
const TReadingDescription *ReadingOfGraphSlot(int slot);

// The gain rides with the level-all answer and is archived as a reading,
// though the gauge holds it as a parameter: its archive name and graph.
inline constexpr const char *GainArchiveName = "Usil";
inline constexpr int GainGraphSlot = 5;

// The readings an answer to `code` carries, in the order of TReadingKind
// (the level-all answer carries several; the gain is not among them).
std::vector<TReadingKind> ReadingsOfCommand(int code);
// Whether an answer to `code` carries the gain (its own read, the level-all).
bool CarriesGain(int code);
