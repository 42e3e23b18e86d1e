#pragma once
// Which values an accepted answer puts into the archive: per command code
// the archive names, the model's values and the digits of the text file.
// The values are taken in the user-interface thread right after the parse
// (the model is written only there) and archived by the polling thread.

#include <QString>
#include <QStringList>
#include <QVector>

class Ttolm472;

struct TArchivedValue {
    QString name;
    double value = 0;
    int digits = 0;
};

// The values that belong to `code` as the model holds them now; empty for a
// code that archives nothing.
QVector<TArchivedValue> TakeReading(int code, const Ttolm472 &model);
// Every name the readings are archived under, in the order of the commands.
QStringList ArchivedNames();
