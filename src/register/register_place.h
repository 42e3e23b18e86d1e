#pragma once
// The register of one program folder: its local file beside the archive
// and the settings of INI/Register.ini; and what every record of this run
// carries besides the gauge (bench, operator, program version, time).

#include "register/register_settings.h"

#include <QString>

struct TRegisterRecord;

struct TRegisterPlace {
    QString LocalFile;
    TRegisterSettings Settings;
};

// `dbPath`: the archive root of the program folder.
TRegisterPlace RegisterPlace(const QString &programFolder, const QString &dbPath);

// The operator's login name.
QString RegisterUserName();

// Commits a new record to the local file: the bench, the operator, the
// program's version and the time (now, from the program's clock) are
// filled in where the record has none. Then the outbox hears of it.
// False, with a Russian `error`, when the file refused it; nothing else
// changes then.
bool AddToRegister(const TRegisterPlace &place, TRegisterRecord &record, QString &error);
