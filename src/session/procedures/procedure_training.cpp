#include "session/procedures/procedure_training.h"

#include "values/clock.h"
#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "device/parameter_table.h"
#include "session/operator.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"

namespace {

constexpr int TrainingSeconds = 15;
constexpr int CorrectionSeconds = 3;
constexpr double CorrectionNearest = 1500; // mm from the flange
constexpr double CorrectionFarthest = 4000;

void readParameter(const TProcedureContext &context, const char *name)
{
    ReadParameter(context, *FindParameter(QLatin1String(name)));
}

} // namespace

void WaitForTraining(const TCommandSender &sender, int seconds)
{
    TOperator &op = sender.Op();
    const QString text = QStringLiteral("Обучение занимает ") + QString::number(seconds) + QStringLiteral(" секунд");
    for (int step = 1; step <= seconds && !sender.Stopped(); ++step) {
        op.ShowProgress(text, step, seconds);
        Clock().Pause(1000);
    }
    op.CloseProgress();
}

void StartTraining(const TProcedureContext &context, const QString &hint)
{
    if (!context.Op().Question(QStringLiteral("Резервуар должен быть пуст.\rВыполнить обучение?"), false))
        return;
    if (!SendCommandReported(context, TrainingModeStart, hint))
        return;
    WaitForTraining(context.Sender, TrainingSeconds);
    readParameter(context, "CountBadZones");
    readParameter(context, "BadZoneNear1"); // the five zones, read together
    context.Views.ShowParametersWindow(false);
    context.Views.UpdateAllViews();
}

void StartCorrection(const TProcedureContext &context, const QString &hint)
{
    const double distance =
        context.Sender.FromModel([](const Ttolm472 &model) { return model.Readings.Distance.AsDouble(); });
    // Written so that a distance that is not a number fails the test too.
    if (!(distance >= CorrectionNearest && distance <= CorrectionFarthest)) {
        context.Op().Warning(
            QStringLiteral("Значение расстояния от фланца до продукта \rдолжно быть в интервале от 1500 до 4000 мм"));
        return;
    }
    if (!SendCommandReported(context, CorrectionModeStart, hint))
        return;
    WaitForTraining(context.Sender, CorrectionSeconds);
    readParameter(context, "SmFChH");
    context.Views.ShowParametersWindow(true);
    context.Views.UpdateAllViews();
}
