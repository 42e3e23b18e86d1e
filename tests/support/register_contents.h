#pragma once
// What the register of a program folder holds: every record with its
// document, newest first.

#include "register/register_place.h"
#include "register/register_store.h"

#include <QList>

#include <gtest/gtest.h>

inline QList<TRegisterRecord> StoredRecords(const QString &dbPath)
{
    TRegisterStore store;
    QString error;
    QList<TRegisterRecord> records;
    if (!store.OpenLocal(RegisterDbFile(dbPath), error)) {
        ADD_FAILURE() << error.toStdString();
        return records;
    }
    for (const TRegisterRecord &listed : store.Find({}, error))
        records.append(*store.Load(listed.Id, error));
    return records;
}
