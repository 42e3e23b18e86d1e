#pragma once
// The register's tables, the same on a bench's local file (SQLite) and on
// the factory's server (PostgreSQL), created and migrated by the program.
// The table register_schema holds the version of the tables: a file or a
// server of a newer program is left as it is and refused with a message,
// and so is a file that is no register at all (a foreign database, a
// damaged file). The local file has one table more, the outbox: the
// records that have not reached the server yet.

#include <QString>
#include <QStringList>

class QSqlDatabase;

enum class TRegisterDialect { Local, Server };

constexpr int RegisterSchemaVersion = 1;

// The statements that make the tables of the newest version, without the
// version row.
QStringList RegisterSchemaStatements(TRegisterDialect dialect);
// share/tolm47x/register.sql: the server's tables for the database
// administrator, with the rights a bench needs.
QString RegisterServerScript();

// Creates the tables in an empty database, migrates an older version, and
// refuses (false, a Russian `error` that says what is wrong and that
// nothing was changed) a newer version, a database of something else, or
// one that cannot be read. On the server a bench's role may lack the right
// to create tables: then the administrator's script must have run.
bool PrepareRegisterSchema(QSqlDatabase &db, TRegisterDialect dialect, QString &error);
