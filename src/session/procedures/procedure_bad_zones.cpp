#include "session/procedures/procedure_bad_zones.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"

namespace {

constexpr int ZoneCommands = 4 * TBadZones::Count;

// Sends the twenty commands from `first` on; false after the first one
// that failed, with its message shown.
bool sendAll(const TProcedureContext &context, int first, const QString &hint)
{
    for (int code = first; code < first + ZoneCommands; ++code) {
        if (!SendCommandReported(context, code, hint))
            return false;
    }
    return true;
}

} // namespace

bool ReadBadZones(const TProcedureContext &context, const QString &hint)
{
    if (!context.Sender.FromModel([](const Ttolm472 &model) { return model.Identity.HasExtendedParameters(); }))
        return false;
    if (!sendAll(context, BadZoneNearRead1, hint))
        return false;
    context.Views.UpdateAllViews();
    return true;
}

bool WriteBadZones(const TProcedureContext &context, const QString &hint, TRomStore store)
{
    if (!sendAll(context, BadZoneNearWrite1, hint))
        return false;
    if (store == TRomStore::AfterWrite)
        WriteToRom(context);
    context.Views.UpdateAllViews();
    return true;
}
