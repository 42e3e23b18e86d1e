#pragma once
// The time charts' preferences, section "Parameters" of a file in the
// program's "INI" folder: "fGraph.ini", which every time graph shares, and
// "fMultiGraph.ini" of the multi-graph, which has no "YRange". Read when a
// chart opens, written when one closes.

#include <QString>

#include <optional>

struct TGraphSettings {
    int StepIndex = 4;   // "dtStepIndex"
    bool Points = false; // "Points"
    bool Scan = false;   // "Scan"
    // "YRange": only in the time graphs' file.
    std::optional<double> YRange;

    static QString FileName();
    static QString MultiGraphFileName();
    // Missing file or keys: the defaults; "YRange" (default 0) when asked.
    static TGraphSettings Load(const QString &fileName, bool withYRange = true);
    // Makes the folder and the file when missing; "YRange" when it has one.
    bool Save(const QString &fileName) const;
};
