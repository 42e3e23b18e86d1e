#include "register/register_reading.h"

#include "register/register_store.h"
#include "register/register_sync.h"

bool OpenRegisterForReading(const TRegisterPlace &place, TRegisterStore &store, QString &note, QString &error)
{
    if (place.Settings.Server.Configured()) {
        const TSyncResult sent = SendOutbox(place);
        QString refused;
        if (sent.Error.isEmpty() && store.OpenServer(place.Settings.Server, RegisterConnectSeconds, refused))
            return true;
        note = (sent.Error.isEmpty() ? refused : sent.Error) + QStringLiteral("; показан журнал этого стенда");
    }
    return store.OpenLocal(place.LocalFile, error);
}
