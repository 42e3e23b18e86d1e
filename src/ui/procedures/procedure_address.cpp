#include "ui/procedures/procedure_address.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "ui/main/main_services.h"
#include "ui/dialogs/operator.h"
#include "ui/procedures/procedure_commands.h"
#include "ui/procedures/procedure_context.h"

namespace {

const QString Title = QStringLiteral("Введите");

void sendAndRefresh(const TProcedureContext &context, int code, const QString &hint)
{
    SendCommandReported(context, code, hint);
    context.Services.UpdateAllViews();
}

} // namespace

void WriteSystemAddress(const TProcedureContext &context, const QString &hint)
{
    Ttolm472 &model = context.Model();
    bool confirmed = false;
    const int plantNumber =
        context.Op.InputIntegerConfirmed(Title, QStringLiteral("Заводской номер"), model.PlantNumber(), 65535, 0,
                                         confirmed);
    model.SetPlantNumber(uint16_t(plantNumber));
    if (!confirmed)
        return;
    const int address = context.Op.InputIntegerConfirmed(Title, QStringLiteral("Новый системный адрес [0..254]"),
                                                         model.SystemAddressNew(), 254, 0, confirmed);
    model.SetSystemAddressNew(uint8_t(address));
    if (!confirmed)
        return;
    sendAndRefresh(context, SystemAddressWrite, hint);
    context.Services.ExecuteAction(QStringLiteral("actSignatureRead"));
}

void WritePlantNumber(const TProcedureContext &context, const QString &hint)
{
    Ttolm472 &model = context.Model();
    bool confirmed = false;
    const int plantNumber = context.Op.InputIntegerConfirmed(
        Title, QStringLiteral("Новый заводской номер [0..65535]"), model.PlantNumberNew(), 65535, 0, confirmed);
    model.SetPlantNumberNew(uint16_t(plantNumber));
    if (!confirmed)
        return;
    sendAndRefresh(context, PlantNumberWrite, hint);
}
