#include "session/procedures/procedure_test_run.h"

#include "device/parameter_table.h"
#include "device/test_run.h"
#include "device/tolm472.h"
#include "session/command_sender.h"
#include "session/gauge_views.h"
#include "session/operator.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"
#include "session/register_records.h"

namespace {

// The tank height of the bench during a run, and the gauge's afterwards.
constexpr double BenchTank = 15000;
constexpr double ShippedTank = 30000;

// Runs `work` with periodic polling stopped, and starts polling again only
// if it ran.
template <typename Work>
void withPollingStopped(const TProcedureContext &context, Work work)
{
    const bool polling = context.Views.StopPolling();
    work();
    if (polling)
        context.Views.StartPolling();
}

// Hmax and Lmax set in the model, then Lmax and Hmax written with one store
// into ПЗУ at the end. A failed write is reported by its action and the
// sequence goes on.
void writeTank(const TProcedureContext &context, double height)
{
    context.Sender.OnModel([height](Ttolm472 &model) {
        // Hmax first: the model keeps Lmax at or below it.
        model.Config.SetHmax(height);
        model.Config.SetLmax(height);
    });
    context.Views.UpdateAllViews();
    for (const char *name : {"Lmax", "Hmax"})
        WriteParameterValue(context, *FindParameter(QString::fromLatin1(name)), TRomStore::HeldBack);
    WriteToRom(context);
}

} // namespace

void WriteCalibrationCoefficients(const TProcedureContext &context)
{
    bool written = true;
    withPollingStopped(context, [&] {
        for (const char *name : {"KrPer", "SmPer"})
            written = WriteParameterValue(context, *FindParameter(QString::fromLatin1(name))) && written;
    });
    const QByteArray page = context.Views.CalibrationPagePdf();
    RecordInRegister(context, [&](const Ttolm472 &model) { return CalibrationRecord(model, written, page); });
}

bool CreateTestRunTemplate(const TProcedureContext &context)
{
    if (!context.Op().Question(QStringLiteral("Создать шаблон прогона?"), false))
        return false;
    bool made = false;
    context.Sender.OnModel([&](Ttolm472 &model) { made = FillTestRunTemplate(model); });
    if (!made)
        context.Op().Warning(NoLoopScaleWarning());
    context.Views.UpdateAllViews();
    return made;
}

void StartTestRun(const TProcedureContext &context)
{
    withPollingStopped(context, [&] {
        CreateTestRunTemplate(context);
        writeTank(context, BenchTank);
    });
}

void StopTestRun(const TProcedureContext &context)
{
    withPollingStopped(context, [&] { writeTank(context, ShippedTank); });
}
