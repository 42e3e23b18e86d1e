#include "session/procedures/procedure_actions.h"

#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "session/operator.h"
#include "session/procedures/gauge_configuration.h"
#include "session/procedures/parameter_set.h"
#include "session/procedures/procedure_address.h"
#include "session/procedures/procedure_all_parameters.h"
#include "session/procedures/procedure_bad_zones.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"
#include "session/procedures/service_bundle.h"
#include "session/procedures/procedure_device_info.h"
#include "session/procedures/procedure_test_run.h"
#include "session/procedures/procedure_training.h"

#include <iterator>

namespace {

// The parameter sets work on the model, in the user-interface thread, and
// refresh the views afterwards, whatever the procedure did. "Сохранить
// параметры " keeps what the program holds, including what the engineer
// typed in, and sends nothing.
void saveParameterSet(const TProcedureContext &context, const QString &)
{
    context.Sender.OnModel([&](Ttolm472 &model) { SaveParameterSet(model, context.Op(), context.ProgramFolder); });
    context.Views.UpdateAllViews();
}

// The full backup: the gauge's whole configuration read first, into its
// own section beside the parameter set.
void backupParameterSet(const TProcedureContext &context, const QString &)
{
    const TConfiguration backup = ReadConfiguration(context);
    bool saved = false;
    context.Sender.OnModel(
        [&](Ttolm472 &model) { saved = SaveParameterSet(model, context.Op(), context.ProgramFolder, &backup); });
    if (saved && backup.Missing() > 0)
        context.Op().Warning(QStringLiteral("Из прибора не считано параметров: ") + QString::number(backup.Missing()) +
                             QStringLiteral(" из ") + QString::number(int(backup.Values.size())) +
                             QStringLiteral("\rВ файле они записаны как отсутствующие"));
    context.Views.UpdateAllViews();
}

// "Сравнить с прибором": a backup file against the gauge, and the
// differing parameters written into the gauge when the operator asks.
void compareWithGauge(const TProcedureContext &context, const QString &)
{
    const QString folder = context.Sender.FromModel(
        [&](const Ttolm472 &model) { return ParameterSetFolder(context.ProgramFolder, model.Identity.ProgramType); });
    const QString path =
        context.Op().OpenFileName(QStringLiteral("Параметры приборов (*.ini)"), QStringLiteral("ini"), folder);
    if (!path.isEmpty())
        CompareFileWithGauge(context, path);
}

} // namespace

void CompareFileWithGauge(const TProcedureContext &context, const QString &path)
{
    const QString section = context.Sender.FromModel([](const Ttolm472 &model) { return ConfigurationSection(model.Name); });
    TConfiguration file;
    QString error;
    if (!ReadConfigurationFile(path, section, file, error)) {
        context.Op().Error(error);
        return;
    }
    const TConfiguration gauge = ReadConfiguration(context);
    if (!gauge.GaugeAnswered) {
        context.Sender.ReportFailure(QStringLiteral("Считать параметры прибора"));
        return;
    }
    const TConfigurationComparison comparison = CompareConfigurations(file, gauge);
    if (context.Op().ReviewComparison(comparison, path))
        RestoreConfiguration(context, comparison);
}

namespace {

void loadParameterSet(const TProcedureContext &context, const QString &)
{
    context.Sender.OnModel([&](Ttolm472 &model) { LoadParameterSet(model, context.Op(), context.ProgramFolder); });
    context.Views.UpdateAllViews();
}

// "Записать режим предсказания": the command of the model's ModePrediction,
// as a parameter write.
void writePredictionMode(const TProcedureContext &context, const QString &)
{
    WriteParameterValue(context, *FindParameter(QStringLiteral("ModePrediction")));
}

void readBadZones(const TProcedureContext &context, const QString &hint)
{
    ReadBadZones(context, hint);
}

void writeBadZones(const TProcedureContext &context, const QString &hint)
{
    WriteBadZones(context, hint, TRomStore::AfterWrite);
}

template <int Mode>
void setPredictionMode(const TProcedureContext &context, const QString &hint)
{
    SetPredictionMode(context, Mode, hint);
}

// The calibration and test-run windows' commands: they name the commands
// they write themselves.
void writeCalibration(const TProcedureContext &context, const QString &)
{
    WriteCalibrationCoefficients(context);
}

void createTestRunTemplate(const TProcedureContext &context, const QString &)
{
    CreateTestRunTemplate(context);
}

void startTestRun(const TProcedureContext &context, const QString &)
{
    StartTestRun(context);
}

void stopTestRun(const TProcedureContext &context, const QString &)
{
    StopTestRun(context);
}

constexpr TProcedureAction Actions[] = {
    {TProcedureId::WriteToRom, "Записать параметры в ПЗУ", WriteToRom},
    {TProcedureId::InitGauge, "Инициализация параметров прибора", InitGauge},
    {TProcedureId::PredictionMode0, "Установить режим предсказания \"Уровень не изменяется", setPredictionMode<0>},
    {TProcedureId::PredictionMode1, "Установить режим предсказания \"Уровень увеличивается (налив)\"", setPredictionMode<1>},
    {TProcedureId::PredictionMode2, "Установить режим предсказания \"Уровень уменьшается (слив)\"", setPredictionMode<2>},
    {TProcedureId::PredictionModeWrite, "Записать режим предсказания", writePredictionMode},
    {TProcedureId::SignatureRead, SignatureReadHint, ReadSignature},
    {TProcedureId::IdentificationRead, "Считать \"Идентификационные параметры\"", ReadIdentification},
    {TProcedureId::SystemAddressWrite, "Записать системный адрес в прибор", WriteSystemAddress},
    {TProcedureId::PlantNumberWrite, "Записать заводской номер в прибор", WritePlantNumber},
    {TProcedureId::BadZonesRead, "Считать информацию о плохих зонах", readBadZones},
    {TProcedureId::BadZonesWrite, "Записать информацию о плохих зонах", writeBadZones},
    {TProcedureId::TrainingStart, "Обучение на пустом резервуаре", StartTraining},
    {TProcedureId::CorrectionStart, "Коррекция ММП", StartCorrection},
    {TProcedureId::GaugeModeStop, "Завершить режим", StopGaugeMode},
    {TProcedureId::AllParametersRead, "Считать все параметры из прибора", ReadAllParameters},
    {TProcedureId::AllParametersWrite, "Записать все параметры в прибор", WriteAllParameters},
    {TProcedureId::ParameterSetSave, "Сохранить параметры прибора на диск", saveParameterSet},
    {TProcedureId::ParameterSetBackup, "Считать все параметры из прибора и сохранить их на диск вместе с параметрами программы", backupParameterSet},
    {TProcedureId::ParameterSetLoad, "Загрузить параметры прибора с диска", loadParameterSet},
    {TProcedureId::ParameterSetCompare, "Сравнить параметры прибора с сохранёнными на диске", compareWithGauge},
    {TProcedureId::ServiceBundleSave, "Сохранить в один архив ZIP параметры прибора, журналы, архив за сутки и настройки", SaveServiceBundle},
    {TProcedureId::CalibrationWrite, "Записать Смещение нуля и Крутизну", writeCalibration},
    {TProcedureId::TestRunTemplate, "Создать шаблон прогона", createTestRunTemplate},
    {TProcedureId::TestRunStart, "Прогон начать", startTestRun},
    {TProcedureId::TestRunStop, "Прогон остановить", stopTestRun},
};

// The rows stand in the order of their identifiers, so an identifier is
// its row's index.
constexpr bool inIdentifierOrder()
{
    for (size_t i = 0; i < std::size(Actions); ++i)
        if (Actions[i].Id != TProcedureId(i))
            return false;
    return std::size(Actions) == size_t(TProcedureId::Count);
}
static_assert(inIdentifierOrder());

} // namespace

const TProcedureAction &FindProcedureAction(TProcedureId id)
{
    return Actions[size_t(id)];
}

void RunProcedureAction(const TProcedureAction &action, const TProcedureContext &context)
{
    action.Run(context, QString::fromUtf8(action.Hint));
}
