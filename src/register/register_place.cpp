#include "register/register_place.h"

#include "app/build_info.h"
#include "register/register_news.h"
#include "register/register_record.h"
#include "register/register_store.h"
#include "values/clock.h"

#include <QDir>

TRegisterPlace RegisterPlace(const QString &programFolder, const QString &dbPath)
{
    return {RegisterDbFile(dbPath), LoadRegisterSettings(programFolder)};
}

QString RegisterUserName()
{
    for (const char *name : {"USER", "USERNAME", "LOGNAME"}) {
        const QString user = qEnvironmentVariable(name);
        if (!user.isEmpty())
            return user;
    }
    return QDir::home().dirName();
}

bool AddToRegister(const TRegisterPlace &place, TRegisterRecord &record, QString &error)
{
    if (record.Bench.isEmpty())
        record.Bench = place.Settings.Bench;
    if (record.User.isEmpty())
        record.User = RegisterUserName();
    if (record.ProgramVersion.isEmpty())
        record.ProgramVersion = ProgramVersion();
    if (!record.Time.isValid())
        record.Time = Clock().Now();
    // Local time with the bench's offset at that moment.
    record.Time = record.Time.toOffsetFromUtc(record.Time.offsetFromUtc());
    TRegisterStore store;
    if (!store.OpenLocal(place.LocalFile, error) || !store.Add(record, error)) {
        error = QStringLiteral("Запись не внесена в журнал приборов: ") + error;
        return false;
    }
    RegisterNews().RecordAdded();
    return true;
}
