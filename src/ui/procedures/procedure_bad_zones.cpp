#include "ui/procedures/procedure_bad_zones.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "ui/main/main_services.h"
#include "ui/procedures/procedure_commands.h"
#include "ui/procedures/procedure_context.h"

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

void ReadBadZones(const TProcedureContext &context, const QString &hint)
{
    if (!context.Model().HasExtendedParameters())
        return;
    if (sendAll(context, BadZoneNearRead1, hint))
        context.Services.UpdateAllViews();
}

void WriteBadZones(const TProcedureContext &context, const QString &hint)
{
    if (!sendAll(context, BadZoneNearWrite1, hint))
        return;
    context.Services.ExecuteAction(QStringLiteral("actWriteToPZU"));
    context.Services.UpdateAllViews();
}
