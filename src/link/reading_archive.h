#pragma once
// Which values an accepted answer puts into the archive: per command code
// the archive names, the values the answer carried and the digits of the
// text file. Taken in the thread that parsed the answer.

#include "device/gauge_answer.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct TArchivedValue {
    QString name;
    double value = 0;
    int digits = 0;
};

// The values of `answer` that belong to its command; empty for a code that
// archives nothing. A value the answer did not carry is left out.
QVector<TArchivedValue> TakeReading(const TGaugeAnswer &answer);
// Whether an accepted answer to `code` brings a reading to archive.
bool ArchivesReading(int code);
// Every name the readings are archived under, in the order of the commands.
QStringList ArchivedNames();
