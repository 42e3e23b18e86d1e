#include "link/rom_store.h"

#include "values/clock.h"
#include "protocol/command_codes.h"
#include "link/command_sender.h"
#include "link/procedure_host.h"

namespace {

const QString Hint = QStringLiteral("Записать параметры в ПЗУ");
constexpr int RomWriteMs = 1000;

} // namespace

bool StoreToRom(TCommandSender &sender)
{
    const bool ok = sender.SendCommandWithRetries(WriteToPZU, Hint, TCommandSender::Attempts);
    if (!ok)
        sender.ReportFailure(Hint);
    Clock().Pause(RomWriteMs);
    sender.Host().UpdateAllViews();
    return ok;
}
