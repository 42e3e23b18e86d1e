#include "session/procedures/procedure_commands.h"

#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "protocol/command_codes.h"
#include "session/procedures/procedure_bad_zones.h"
#include "session/procedures/procedure_context.h"
#include "session/rom_store.h"

namespace {

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The extended parameters are neither read nor written on a gauge that
// does not have them.
bool available(const TProcedureContext &context, const TParameter &parameter)
{
    return !parameter.Extended ||
           context.Sender.FromModel([](const Ttolm472 &model) { return model.Identity.HasExtendedParameters(); });
}

} // namespace

bool SendCommandReported(const TProcedureContext &context, int code, const QString &hint, TGaugeAnswer *answer)
{
    if (context.Sender.SendCommandWithRetries(code, hint, TCommandSender::Attempts, answer))
        return true;
    context.Sender.ReportFailure(hint);
    return false;
}

void WriteToRom(const TProcedureContext &context, const QString &)
{
    // The store reports its failure with its own hint, which is this
    // action's hint.
    StoreToRom(context.Sender);
    context.Views.UpdateAllViews();
}

bool WriteParameter(const TProcedureContext &context, int code, const QString &hint, TRomStore store)
{
    if (!SendCommandReported(context, code, hint))
        return false;
    context.Views.UpdateAllViews();
    if (store == TRomStore::AfterWrite)
        WriteToRom(context);
    return true;
}

bool ReadParameter(const TProcedureContext &context, const TParameter &parameter)
{
    if (parameter.Group)
        return ReadBadZones(context, text(parameter.ReadHint));
    if (!CanRead(parameter) || !available(context, parameter))
        return false;
    if (!SendCommandReported(context, parameter.ReadCode, text(parameter.ReadHint)))
        return false;
    if (parameter.RangesFollow)
        context.Views.ApplyValueRanges();
    context.Views.UpdateAllViews();
    return true;
}

bool WriteParameterValue(const TProcedureContext &context, const TParameter &parameter, TRomStore store)
{
    if (parameter.Group)
        return WriteBadZones(context, text(parameter.WriteHint), store);
    if (!available(context, parameter))
        return false;
    const QString hint = text(parameter.WriteHint);
    const int code = context.Sender.FromModel([&](const Ttolm472 &model) { return WriteCommand(parameter, model); });
    if (code < 0) {
        // A program type the gauge has no command for (one it reported
        // itself, say): nothing is sent, and the operator learns that the
        // write did not happen.
        context.Sender.ReportFailure(hint);
        return false;
    }
    return WriteParameter(context, code, hint, store);
}

void ReadOnce(const TProcedureContext &context, int code)
{
    context.Sender.Exchange(code);
    context.Views.UpdateAllViews();
}

void InitGauge(const TProcedureContext &context, const QString &hint)
{
    SendCommandReported(context, Init, hint);
    context.Views.UpdateAllViews();
}

void SetPredictionMode(const TProcedureContext &context, int mode, const QString &hint)
{
    if (mode < 0 || mode > 2)
        return;
    SendCommandReported(context, ModePrediction0 + mode, hint);
}

void StopGaugeMode(const TProcedureContext &context, const QString &hint)
{
    SendCommandReported(context, InitReadStop, hint);
}
