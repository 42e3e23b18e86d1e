#include "ui/procedures/procedure_training.h"

#include "values/clock.h"
#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "ui/main/main_services.h"
#include "ui/dialogs/operator.h"
#include "ui/procedures/procedure_commands.h"
#include "ui/procedures/procedure_context.h"

namespace {

constexpr int TrainingSeconds = 15;
constexpr int CorrectionSeconds = 3;
constexpr double CorrectionNearest = 1500; // mm from the flange
constexpr double CorrectionFarthest = 4000;

} // namespace

void WaitForTraining(TOperator &op, int seconds)
{
    const QString text = QStringLiteral("Обучение занимает ") + QString::number(seconds) + QStringLiteral(" секунд");
    for (int step = 1; step <= seconds; ++step) {
        op.ShowProgress(text, step, seconds);
        Clock().Pause(1000);
    }
    op.CloseProgress();
}

void StartTraining(const TProcedureContext &context, const QString &hint)
{
    if (!context.Op.Question(QStringLiteral("Резервуар должен быть пуст.\rВыполнить обучение?"), false))
        return;
    if (!SendCommandReported(context, TrainingModeStart, hint))
        return;
    WaitForTraining(context.Op, TrainingSeconds);
    context.Services.ExecuteAction(QStringLiteral("actCountBadZonesRead"));
    context.Services.ExecuteAction(QStringLiteral("actBadZonesRead"));
    context.Services.ShowParametersWindow(false);
    context.Services.UpdateAllViews();
}

void StartCorrection(const TProcedureContext &context, const QString &hint)
{
    const double distance = context.Model().Distance.AsDouble();
    // Written so that a distance that is not a number fails the test too.
    if (!(distance >= CorrectionNearest && distance <= CorrectionFarthest)) {
        context.Op.Warning(
            QStringLiteral("Значение расстояния от фланца до продукта \rдолжно быть в интервале от 1500 до 4000 мм"));
        return;
    }
    if (!SendCommandReported(context, CorrectionModeStart, hint))
        return;
    WaitForTraining(context.Op, CorrectionSeconds);
    context.Services.ExecuteAction(QStringLiteral("actSmFChHRead"));
    context.Services.ShowParametersWindow(true);
    context.Services.UpdateAllViews();
}
