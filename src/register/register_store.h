#pragma once
// One connection to a register: the bench's local file or the factory's
// server, with the same tables (register_schema.h). A store is used only in
// the thread that made it (Qt SQL's rule for a connection); every thread
// that needs the register opens a store of its own.
//
// On the local file a new record is committed together with its row in the
// outbox; what is committed stays, whatever happens to the program after.

#include "register/register_record.h"
#include "register/register_schema.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

struct TRegisterServer;

// What a search asks for; every part is optional.
struct TRegisterFilter {
    std::optional<int> Plant;
    std::optional<TRecordKind> Kind;
    QDate From; // local days of the one who searches, both included
    QDate To;
    int Limit = 0; // 0: all
};

class TRegisterStore
{
public:
    TRegisterStore();
    ~TRegisterStore();
    TRegisterStore(const TRegisterStore &) = delete;
    TRegisterStore &operator=(const TRegisterStore &) = delete;

    // The local file, created with its folder when missing. False, with a
    // Russian `error`, for a file that is not a register of this program's
    // version or cannot be opened; the file is left as it was.
    bool OpenLocal(const QString &file, QString &error);
    // The server, through libpq: the password from ~/.pgpass or PGPASSWORD,
    // the TLS demand of `server.SslMode`, at most `timeoutSeconds` to
    // connect.
    bool OpenServer(const TRegisterServer &server, int timeoutSeconds, QString &error);
    bool IsOpen() const { return m_open; }
    TRegisterDialect Dialect() const { return m_dialect; }

    // Local file: a new record and its outbox row in one transaction; the
    // record gets its id, key and number on the bench.
    bool Add(TRegisterRecord &record, QString &error);
    // Server: the record as its bench made it; a record whose key is there
    // already is not added again (and that is no failure).
    bool Deliver(const TRegisterRecord &record, QString &error);

    // Newest first, without the documents.
    QList<TRegisterRecord> Find(const TRegisterFilter &filter, QString &error) const;
    // One record with its document; nothing when there is no such id.
    std::optional<TRegisterRecord> Load(qint64 id, QString &error) const;

    // Local file: the ids waiting for the server, oldest first; a sent
    // record leaves the outbox.
    QList<qint64> Outbox(QString &error) const;
    bool MarkSent(qint64 id, QString &error);

private:
    QString m_connection;
    bool m_open = false;
    TRegisterDialect m_dialect = TRegisterDialect::Local;
};
