#include "register/register_store.h"

#include "register/register_settings.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <QUuid>

namespace {

const QString Columns = QStringLiteral(
    "record_key, bench, bench_seq, plant, kind, model, hard_version, soft_version, program_type, user_name, "
    "program_version, time_utc, utc_offset, passed, summary, details, document_name");

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("tolm-register-%1").arg(counter.fetchAndAddRelaxed(1));
}

QSqlDatabase database(const QString &connection)
{
    return QSqlDatabase::database(connection, false);
}

bool failed(const QSqlQuery &query, QString &error)
{
    error = query.lastError().text();
    return false;
}

// A text the record leaves empty is stored empty, not as null.
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

void bindRecord(QSqlQuery &query, const TRegisterRecord &r)
{
    query.addBindValue(text(r.Key));
    query.addBindValue(text(r.Bench));
    query.addBindValue(r.BenchSeq);
    query.addBindValue(r.Plant);
    query.addBindValue(RecordKindName(r.Kind));
    query.addBindValue(text(r.Model));
    query.addBindValue(r.HardVersion);
    query.addBindValue(r.SoftVersion);
    query.addBindValue(r.ProgramType);
    query.addBindValue(text(r.User));
    query.addBindValue(text(r.ProgramVersion));
    query.addBindValue(RecordUtcText(r.Time));
    query.addBindValue(r.Time.offsetFromUtc());
    query.addBindValue(r.Passed ? QVariant(int(*r.Passed)) : QVariant(QMetaType::fromType<int>()));
    query.addBindValue(text(r.Summary));
    query.addBindValue(QString::fromUtf8(QJsonDocument(r.Details).toJson(QJsonDocument::Compact)));
    query.addBindValue(text(r.DocumentName));
    // An empty document is stored as empty, not as null: a bundle keeps its
    // name only.
    query.addBindValue(r.Document.isNull() ? QByteArray("") : r.Document);
}

// The columns of `Columns` after the id, then the document when asked for.
TRegisterRecord recordFrom(const QSqlQuery &query, bool withDocument)
{
    TRegisterRecord r;
    r.Id = query.value(0).toLongLong();
    r.Key = query.value(1).toString();
    r.Bench = query.value(2).toString();
    r.BenchSeq = query.value(3).toLongLong();
    r.Plant = query.value(4).toInt();
    r.Kind = RecordKindFromName(query.value(5).toString()).value_or(TRecordKind::Configuration);
    r.Model = query.value(6).toString();
    r.HardVersion = query.value(7).toInt();
    r.SoftVersion = query.value(8).toInt();
    r.ProgramType = query.value(9).toInt();
    r.User = query.value(10).toString();
    r.ProgramVersion = query.value(11).toString();
    r.Time = RecordTimeFromUtc(query.value(12).toString(), query.value(13).toInt());
    if (!query.value(14).isNull())
        r.Passed = query.value(14).toInt() != 0;
    r.Summary = query.value(15).toString();
    r.Details = QJsonDocument::fromJson(query.value(16).toString().toUtf8()).object();
    r.DocumentName = query.value(17).toString();
    if (withDocument)
        r.Document = query.value(18).toByteArray();
    return r;
}

QString utcBound(const QDate &day)
{
    return RecordUtcText(QDateTime(day, QTime(0, 0)));
}

} // namespace

TRegisterStore::TRegisterStore() : m_connection(newConnectionName()) {}

TRegisterStore::~TRegisterStore()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    database(m_connection).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool TRegisterStore::OpenLocal(const QString &file, QString &error)
{
    m_dialect = TRegisterDialect::Local;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        error = QStringLiteral("Нет драйвера SQLite для Qt: журнал приборов не ведётся");
        return false;
    }
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        error = QStringLiteral("Не удалось создать папку журнала приборов ") +
                QDir::toNativeSeparators(QFileInfo(file).absolutePath());
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(file);
    // The program, tolm-cli and the outbox's thread may write at once.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open()) {
        error = QStringLiteral("Не удалось открыть журнал приборов ") + QDir::toNativeSeparators(file) +
                QStringLiteral(": ") + db.lastError().text();
        return false;
    }
    if (!PrepareRegisterSchema(db, m_dialect, error)) {
        error += QStringLiteral(": ") + QDir::toNativeSeparators(file);
        db.close();
        return false;
    }
    m_open = true;
    return true;
}

bool TRegisterStore::OpenServer(const TRegisterServer &server, int timeoutSeconds, QString &error)
{
    m_dialect = TRegisterDialect::Server;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        error = QStringLiteral("Нет драйвера PostgreSQL для Qt: записи ждут в журнале стенда");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
    db.setHostName(server.Host);
    db.setPort(server.Port);
    db.setDatabaseName(server.Database);
    db.setUserName(server.User);
    // No password here: libpq finds it in ~/.pgpass or PGPASSWORD.
    db.setConnectOptions(QStringLiteral("sslmode=%1;connect_timeout=%2;application_name=tolm47x")
                             .arg(server.SslMode.isEmpty() ? QStringLiteral("prefer") : server.SslMode)
                             .arg(qMax(1, timeoutSeconds)));
    if (!db.open()) {
        error = QStringLiteral("Сервер журнала приборов ") + server.Describe() + QStringLiteral(" недоступен: ") +
                db.lastError().text().trimmed();
        return false;
    }
    if (!PrepareRegisterSchema(db, m_dialect, error)) {
        db.close();
        return false;
    }
    m_open = true;
    return true;
}

bool TRegisterStore::Add(TRegisterRecord &record, QString &error)
{
    QSqlDatabase db = database(m_connection);
    if (record.Key.isEmpty())
        record.Key = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!db.transaction()) {
        error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO register_record (") + Columns +
                  QStringLiteral(", document) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    bindRecord(query, record);
    bool ok = query.exec();
    qint64 id = ok ? query.lastInsertId().toLongLong() : 0;
    // The bench's number of the record is its local id: the order the
    // server receives the bench's records in.
    ok = ok && query.exec(QStringLiteral("UPDATE register_record SET bench_seq = %1 WHERE id = %1").arg(id)) &&
         query.exec(QStringLiteral("INSERT INTO register_outbox (record_id) VALUES (%1)").arg(id));
    if (!ok || !db.commit()) {
        error = ok ? db.lastError().text() : query.lastError().text();
        db.rollback();
        return false;
    }
    record.Id = id;
    record.BenchSeq = id;
    return true;
}

bool TRegisterStore::Deliver(const TRegisterRecord &record, QString &error)
{
    QSqlQuery query(database(m_connection));
    query.prepare(QStringLiteral("INSERT INTO register_record (") + Columns +
                  QStringLiteral(", document) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?) "
                                 "ON CONFLICT (record_key) DO NOTHING"));
    bindRecord(query, record);
    return query.exec() || failed(query, error);
}

QList<TRegisterRecord> TRegisterStore::Find(const TRegisterFilter &filter, QString &error) const
{
    QStringList where;
    QVariantList values;
    if (filter.Plant) {
        where.append(QStringLiteral("plant = ?"));
        values.append(*filter.Plant);
    }
    if (filter.Kind) {
        where.append(QStringLiteral("kind = ?"));
        values.append(RecordKindName(*filter.Kind));
    }
    if (filter.From.isValid()) {
        where.append(QStringLiteral("time_utc >= ?"));
        values.append(utcBound(filter.From));
    }
    if (filter.To.isValid()) {
        where.append(QStringLiteral("time_utc < ?"));
        values.append(utcBound(filter.To.addDays(1)));
    }
    QString sql = QStringLiteral("SELECT id, ") + Columns + QStringLiteral(" FROM register_record");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY time_utc DESC, id DESC");
    if (filter.Limit > 0)
        sql += QStringLiteral(" LIMIT ") + QString::number(filter.Limit);
    QSqlQuery query(database(m_connection));
    query.setForwardOnly(true);
    QList<TRegisterRecord> found;
    if (!query.prepare(sql)) {
        failed(query, error);
        return found;
    }
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        failed(query, error);
        return found;
    }
    while (query.next())
        found.append(recordFrom(query, false));
    return found;
}

std::optional<TRegisterRecord> TRegisterStore::Load(qint64 id, QString &error) const
{
    QSqlQuery query(database(m_connection));
    query.prepare(QStringLiteral("SELECT id, ") + Columns + QStringLiteral(", document FROM register_record WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec()) {
        failed(query, error);
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    return recordFrom(query, true);
}

QList<qint64> TRegisterStore::Outbox(QString &error) const
{
    QSqlQuery query(database(m_connection));
    QList<qint64> ids;
    if (!query.exec(QStringLiteral("SELECT record_id FROM register_outbox ORDER BY record_id"))) {
        failed(query, error);
        return ids;
    }
    while (query.next())
        ids.append(query.value(0).toLongLong());
    return ids;
}

bool TRegisterStore::MarkSent(qint64 id, QString &error)
{
    QSqlQuery query(database(m_connection));
    query.prepare(QStringLiteral("DELETE FROM register_outbox WHERE record_id = ?"));
    query.addBindValue(id);
    return query.exec() || failed(query, error);
}
