#include "register/register_sync.h"

#include "register/register_store.h"

namespace {

int waiting(const TRegisterStore &local)
{
    QString error;
    return int(local.Outbox(error).size());
}

} // namespace

TSyncResult SendOutbox(const TRegisterPlace &place, int connectSeconds)
{
    TSyncResult result;
    result.ServerConfigured = place.Settings.Server.Configured();
    TRegisterStore local;
    if (!local.OpenLocal(place.LocalFile, result.Error))
        return result;
    QList<qint64> ids = local.Outbox(result.Error);
    result.Waiting = int(ids.size());
    if (!result.Error.isEmpty() || ids.isEmpty() || !result.ServerConfigured)
        return result;
    TRegisterStore server;
    if (!server.OpenServer(place.Settings.Server, connectSeconds, result.Error))
        return result;
    for (qint64 id : ids) {
        const std::optional<TRegisterRecord> record = local.Load(id, result.Error);
        if (!result.Error.isEmpty())
            break;
        // A record deleted by hand from the file leaves an empty row behind.
        if (record && !server.Deliver(*record, result.Error))
            break;
        if (!local.MarkSent(id, result.Error))
            break;
        if (record)
            ++result.Sent;
    }
    result.Waiting = waiting(local);
    return result;
}
