#include "ui/procedures/procedure_commands.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "session/rom_store.h"
#include "ui/main/main_services.h"
#include "ui/procedures/procedure_context.h"

bool SendCommandReported(const TProcedureContext &context, int code, const QString &hint)
{
    if (context.Sender.SendCommandWithRetries(code, hint, TCommandSender::Attempts))
        return true;
    context.Sender.ReportFailure(hint);
    return false;
}

void WriteToRom(const TProcedureContext &context, const QString &)
{
    if (context.Flags.WritingAllParameters)
        return;
    // The store reports its failure with the store's own hint, which is this
    // action's hint.
    StoreToRom(context.Sender);
}

bool WriteParameter(const TProcedureContext &context, int code, const QString &hint)
{
    if (!SendCommandReported(context, code, hint))
        return false;
    context.Services.UpdateAllViews();
    context.Services.ExecuteAction(QStringLiteral("actWriteToPZU"));
    return true;
}

void InitGauge(const TProcedureContext &context, const QString &hint)
{
    SendCommandReported(context, Init, hint);
    context.Services.UpdateAllViews();
}

void SetPredictionMode(const TProcedureContext &context, int mode, const QString &hint)
{
    if (mode < 0 || mode > 2)
        return;
    SendCommandReported(context, ModePrediction0 + mode, hint);
}

void WritePredictionMode(const TProcedureContext &context, const QString &hint)
{
    // The setter keeps ModePrediction within 0..2.
    const int mode = context.Model().ModePrediction();
    if (mode <= 2)
        WriteParameter(context, ModePrediction0 + mode, hint);
}

void StopGaugeMode(const TProcedureContext &context, const QString &hint)
{
    SendCommandReported(context, InitReadStop, hint);
}
