#include "session/rom_store.h"

#include "protocol/command_codes.h"
#include "session/command_sender.h"
#include "values/clock.h"

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
    return ok;
}
