#pragma once
// Which values an accepted answer puts into the archive: per command code
// the archive names, the values the answer carried and the digits of the
// text file. Taken in the thread that parsed the answer.

#include "device/gauge_answer.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

struct TArchivedValue {
    QString name;
    double value = 0;
    int digits = 0;
};

// One accepted reading of a polling pass.
struct TReading {
    int address = 0; // the gauge that answered; 0 for the current-loop meter
    int code = -1;   // the command that brought it; 101 for the meter's current
    QVector<TArchivedValue> values;
    QDateTime stamp; // as archived
};

// One exchange of a polling pass with a gauge of the line, answered or not:
// what a list of the gauges on the line shows of it.
struct TLineAnswer {
    int address = 0;
    int code = -1;
    QDateTime stamp;
    bool accepted = false;   // the reading came, with the link up
    int linkState = 0;       // as the gauge's link indicator: 0 none yet, 1 up, 2 failing
    uint16_t errorCount = 0; // failures in a row
    QString statusText;      // the last failure's text, "Норма" while none
    QVector<TArchivedValue> values; // of an accepted reading
};

// The values of `answer` that belong to its command; empty for a code that
// archives nothing. A value the answer did not carry is left out.
QVector<TArchivedValue> TakeReading(const TGaugeAnswer &answer);
// Whether an accepted answer to `code` brings a reading to archive.
bool ArchivesReading(int code);
// Every name the readings are archived under, in the order of the commands.
QStringList ArchivedNames();
