#pragma once
// Where the register of a bench lives: "INI/Register.ini" of the program
// folder (Windows-1251, CR LF, as every settings file of the program).
//
//   [Bench]
//   Name=Стенд 3          the bench's name in every record; default: the host name
//   [Server]
//   Host=db.factory.local  empty or missing: no server, the local file only
//   Port=5432
//   Database=tolm
//   User=bench3
//   SslMode=require        libpq's sslmode: disable, allow, prefer, require, ...
//
// The password is never in the file: libpq takes it from the user's
// ~/.pgpass or from PGPASSWORD.

#include <QString>

struct TRegisterServer {
    QString Host;
    int Port = 5432;
    QString Database;
    QString User;
    QString SslMode = QStringLiteral("prefer");
    bool Configured() const { return !Host.trimmed().isEmpty(); }
    // "bench3@db.factory.local:5432/tolm", for messages.
    QString Describe() const;
};

struct TRegisterSettings {
    QString Bench;
    TRegisterServer Server;
};

QString RegisterIniFile(const QString &programFolder);
// A missing or damaged file gives the defaults.
TRegisterSettings LoadRegisterSettings(const QString &programFolder);
// The local register beside the archive: <archive root>/Register.db.
QString RegisterDbFile(const QString &dbPath);
