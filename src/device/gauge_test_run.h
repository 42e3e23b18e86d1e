#pragma once
// The test-run table of a finished gauge on the bench: up to five points,
// the capture gate around each expected level, and the numbers of the
// bench's instruments the run is recorded with.

#include <QDateTime>
#include <QString>

#include <array>

struct TProgonPoint {
    double Tape = 0;
    double LevelExpected = 0;
    double LevelMeasured = 0;
    double LevelError = 0;
    double CurrentExpected = 0;
    double CurrentMeasured = 0;
    double CurrentError = 0;
    QDateTime Captured; // when the point was last captured; none for a template's
};

struct TGaugeTestRun {
    std::array<TProgonPoint, 5> Points{};
    double Gate = 0;
    QString PPMNumber;
    QString NNZNumber;
};
