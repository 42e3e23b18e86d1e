#pragma once
// Where the archive lives: "INI/bde.ini" in the program folder, section
// "BDE". "dbPath" is the archive root (default, also for an empty value: the
// folder "DATA" in the program folder); "dbAlias" is carried along unchanged
// for the workstations that still use it.

#include <QString>

struct TArchiveSettings
{
    QString dbPath;
    QString dbAlias;
};

// Read at start; a missing or unreadable file gives the defaults.
TArchiveSettings LoadArchiveSettings(const QString &programFolder);
// Written at the end, creating the file (not the "INI" folder) when missing;
// every other line of the file stays. False when it cannot be written.
bool SaveArchiveSettings(const QString &programFolder, const TArchiveSettings &settings);
