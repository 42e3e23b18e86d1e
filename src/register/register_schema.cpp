#include "register/register_schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The record table; %ID% and %BLOB% are the dialect's. Times are UTC text
// (sortable) with the bench's offset beside; "passed" is a test run's
// verdict, 1 or 0, and empty for the other kinds.
const char RecordTable[] = "CREATE TABLE register_record (\n"
                           "  id %ID%,\n"
                           "  record_key TEXT NOT NULL UNIQUE,\n"
                           "  bench TEXT NOT NULL,\n"
                           "  bench_seq BIGINT NOT NULL,\n"
                           "  plant INTEGER NOT NULL,\n"
                           "  kind TEXT NOT NULL,\n"
                           "  model TEXT NOT NULL,\n"
                           "  hard_version INTEGER NOT NULL,\n"
                           "  soft_version INTEGER NOT NULL,\n"
                           "  program_type INTEGER NOT NULL,\n"
                           "  user_name TEXT NOT NULL,\n"
                           "  program_version TEXT NOT NULL,\n"
                           "  time_utc TEXT NOT NULL,\n"
                           "  utc_offset INTEGER NOT NULL,\n"
                           "  passed INTEGER,\n"
                           "  summary TEXT NOT NULL,\n"
                           "  details TEXT NOT NULL,\n"
                           "  document_name TEXT NOT NULL,\n"
                           "  document %BLOB%\n"
                           ")";

const QString SchemaTable = QStringLiteral("register_schema");

bool exec(QSqlQuery &query, const QString &statement, QString &error)
{
    if (query.exec(statement))
        return true;
    error = query.lastError().text();
    return false;
}

// The version in the table; 0 when it holds no row.
bool readVersion(QSqlDatabase &db, int &version, QString &error)
{
    QSqlQuery query(db);
    if (!exec(query, QStringLiteral("SELECT MAX(version) FROM register_schema"), error))
        return false;
    version = query.next() ? query.value(0).toInt() : 0;
    return true;
}

bool create(QSqlDatabase &db, TRegisterDialect dialect, QString &error)
{
    if (!db.transaction()) {
        error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    QStringList statements = RegisterSchemaStatements(dialect);
    statements.append(QStringLiteral("INSERT INTO register_schema (version) VALUES (%1)").arg(RegisterSchemaVersion));
    for (const QString &statement : statements)
        if (!exec(query, statement, error)) {
            db.rollback();
            return false;
        }
    if (db.commit())
        return true;
    error = db.lastError().text();
    db.rollback();
    return false;
}

QString where(TRegisterDialect dialect)
{
    return dialect == TRegisterDialect::Local ? QStringLiteral("Файл журнала приборов")
                                              : QStringLiteral("База журнала приборов на сервере");
}

} // namespace

QStringList RegisterSchemaStatements(TRegisterDialect dialect)
{
    const bool local = dialect == TRegisterDialect::Local;
    QString record = QString::fromLatin1(RecordTable);
    record.replace(QStringLiteral("%ID%"),
                   local ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT") : QStringLiteral("BIGSERIAL PRIMARY KEY"));
    record.replace(QStringLiteral("%BLOB%"), local ? QStringLiteral("BLOB") : QStringLiteral("BYTEA"));
    QStringList statements = {
        QStringLiteral("CREATE TABLE register_schema (version INTEGER NOT NULL)"),
        record,
        // The search of the register window and of tolm-cli: by plant
        // number, newest first; and by time alone.
        QStringLiteral("CREATE INDEX register_record_plant ON register_record (plant, time_utc)"),
        QStringLiteral("CREATE INDEX register_record_time ON register_record (time_utc)"),
    };
    if (local)
        statements.append(QStringLiteral("CREATE TABLE register_outbox (record_id INTEGER PRIMARY KEY)"));
    return statements;
}

QString RegisterServerScript()
{
    QStringList lines = {
        QStringLiteral("-- The gauge register of the tolm47x benches (PostgreSQL), version %1.")
            .arg(RegisterSchemaVersion),
        QStringLiteral("-- Run once as the owner of the database; the benches then connect with a"),
        QStringLiteral("-- role that may only insert and select, for example:"),
        QStringLiteral("--   CREATE ROLE bench LOGIN PASSWORD '...';"),
        QStringLiteral("--   GRANT SELECT ON register_schema TO bench;"),
        QStringLiteral("--   GRANT SELECT, INSERT ON register_record TO bench;"),
        QStringLiteral("--   GRANT USAGE ON SEQUENCE register_record_id_seq TO bench;"),
        QStringLiteral("BEGIN;"),
    };
    for (const QString &statement : RegisterSchemaStatements(TRegisterDialect::Server))
        lines.append(statement + QLatin1Char(';'));
    lines.append(QStringLiteral("INSERT INTO register_schema (version) VALUES (%1);").arg(RegisterSchemaVersion));
    lines.append(QStringLiteral("COMMIT;"));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool PrepareRegisterSchema(QSqlDatabase &db, TRegisterDialect dialect, QString &error)
{
    // Reading the list of tables is the first read of the file: a file that
    // is no SQLite database fails here.
    QSqlQuery probe(db);
    const QString listing = dialect == TRegisterDialect::Local
                                ? QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")
                                : QStringLiteral("SELECT tablename FROM pg_tables WHERE schemaname = current_schema()");
    QString reason;
    if (!exec(probe, listing, reason)) {
        error = where(dialect) + QStringLiteral(" не читается (") + reason +
                QStringLiteral("); он оставлен как есть");
        return false;
    }
    QStringList tables;
    while (probe.next())
        tables.append(probe.value(0).toString());
    if (!tables.contains(SchemaTable)) {
        const bool empty = tables.isEmpty() || (dialect == TRegisterDialect::Local &&
                                                tables == QStringList{QStringLiteral("sqlite_sequence")});
        if (!empty) {
            error = where(dialect) + QStringLiteral(" содержит другие таблицы: это не журнал приборов; "
                                                    "он оставлен как есть");
            return false;
        }
        if (create(db, dialect, reason))
            return true;
        error = where(dialect) + QStringLiteral(": не удалось создать таблицы журнала (") + reason +
                (dialect == TRegisterDialect::Server
                     ? QStringLiteral("); администратор создаёт их скриптом register.sql")
                     : QStringLiteral(")"));
        return false;
    }
    int version = 0;
    if (!readVersion(db, version, reason)) {
        error = where(dialect) + QStringLiteral(" не читается (") + reason + QStringLiteral(")");
        return false;
    }
    if (version > RegisterSchemaVersion) {
        error = where(dialect) + QStringLiteral(" создан более новой версией программы (версия таблиц %1, "
                                                "эта программа знает до %2); он оставлен как есть")
                                     .arg(version)
                                     .arg(RegisterSchemaVersion);
        return false;
    }
    if (version < 1) {
        error = where(dialect) + QStringLiteral(" не указывает версию таблиц; он оставлен как есть");
        return false;
    }
    // Version 1 is the first: nothing to migrate yet. A later version adds
    // its steps here, each in its own transaction with the version row.
    return true;
}
