#include "session/procedures/procedure_address.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "session/operator.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"
#include "session/procedures/procedure_device_info.h"

namespace {

const QString Title = QStringLiteral("Введите");

void sendAndRefresh(const TProcedureContext &context, int code, const QString &hint)
{
    SendCommandReported(context, code, hint);
    context.Views.UpdateAllViews();
}

} // namespace

void WriteSystemAddress(const TProcedureContext &context, const QString &hint)
{
    TCommandSender &sender = context.Sender;
    bool confirmed = false;
    const int plantNumber = context.Op().InputIntegerConfirmed(
        Title, QStringLiteral("Заводской номер"),
        sender.FromModel([](const Ttolm472 &m) { return m.Config.PlantNumber(); }), 65535, 0, confirmed);
    sender.OnModel([&](Ttolm472 &model) { model.Config.SetPlantNumber(uint16_t(plantNumber)); });
    if (!confirmed)
        return;
    const int address = context.Op().InputIntegerConfirmed(
        Title, QStringLiteral("Новый системный адрес [0..254]"),
        sender.FromModel([](const Ttolm472 &m) { return m.Config.SystemAddressNew(); }), 254, 0, confirmed);
    sender.OnModel([&](Ttolm472 &model) { model.Config.SetSystemAddressNew(uint8_t(address)); });
    if (!confirmed)
        return;
    sendAndRefresh(context, SystemAddressWrite, hint);
    ReadSignature(context, QString::fromUtf8(SignatureReadHint));
}

void WritePlantNumber(const TProcedureContext &context, const QString &hint)
{
    TCommandSender &sender = context.Sender;
    bool confirmed = false;
    const int plantNumber = context.Op().InputIntegerConfirmed(
        Title, QStringLiteral("Новый заводской номер [0..65535]"),
        sender.FromModel([](const Ttolm472 &m) { return m.Config.PlantNumberNew(); }), 65535, 0, confirmed);
    sender.OnModel([&](Ttolm472 &model) { model.Config.SetPlantNumberNew(uint16_t(plantNumber)); });
    if (!confirmed)
        return;
    sendAndRefresh(context, PlantNumberWrite, hint);
}
