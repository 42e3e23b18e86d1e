#pragma once
// "INI/fGraph.ini" in the program folder, section "Parameters": the
// preferences every time graph shares. Read when a graph opens, written
// when one closes.

#include <QString>

struct TGraphSettings {
    int StepIndex = 4;   // "dtStepIndex"
    bool Points = false; // "Points"
    bool Scan = false;   // "Scan"
    double YRange = 0;   // "YRange"

    static QString FileName();
    // Missing file or keys: the defaults.
    static TGraphSettings Load(const QString &fileName);
    // Makes the folder and the file when missing.
    bool Save(const QString &fileName) const;
};
