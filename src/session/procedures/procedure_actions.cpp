#include "session/procedures/procedure_actions.h"

#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "session/procedures/parameter_set.h"
#include "session/procedures/procedure_address.h"
#include "session/procedures/procedure_all_parameters.h"
#include "session/procedures/procedure_bad_zones.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"
#include "session/procedures/procedure_device_info.h"
#include "session/procedures/procedure_training.h"

namespace {

// The parameter sets do not talk to the gauge: they work on the model, in
// the user-interface thread, and both refresh the views afterwards,
// whatever the procedure did.
void saveParameterSet(const TProcedureContext &context, const QString &)
{
    context.Sender.OnModel([&](Ttolm472 &model) { SaveParameterSet(model, context.Op(), context.ProgramFolder); });
    context.Views.UpdateAllViews();
}

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

constexpr TProcedureAction Actions[] = {
    {"actWriteToPZU", "Записать в ПЗУ", "Записать параметры в ПЗУ", WriteToRom},
    {"actInit", "Инициализация параметров прибора", "Инициализация параметров прибора", InitGauge},
    {"actModePrediction0", "Установить режим предсказания \"Уровень не изменяется\"",
     "Установить режим предсказания \"Уровень не изменяется", setPredictionMode<0>},
    {"actModePrediction1", "Установить режим предсказания \"Уровень увеличивается (налив)\"",
     "Установить режим предсказания \"Уровень увеличивается (налив)\"", setPredictionMode<1>},
    {"actModePrediction2", "Установить режим предсказания \"Уровень уменьшается (слив)\"",
     "Установить режим предсказания \"Уровень уменьшается (слив)\"", setPredictionMode<2>},
    {"actModePredictionWrite", "Записать режим предсказания", "Записать режим предсказания", writePredictionMode},
    {"actSignatureRead", "Считать сигнатуру", SignatureReadHint, ReadSignature},
    {"actIdentificationRead", "Считать \"Идентификационные параметры\"",
     "Считать \"Идентификационные параметры\"", ReadIdentification},
    {"actSystemAddressWrite", "Записать системный адрес", "Записать системный адрес в прибор", WriteSystemAddress},
    {"actPlantNumberWrite", "Записать заводской номер", "Записать заводской номер в прибор", WritePlantNumber},
    {"actBadZonesRead", "Считать информацию о плохих зонах", "Считать информацию о плохих зонах", readBadZones},
    {"actBadZonesWrite", "Записать информацию о плохих зонах", "Записать информацию о плохих зонах",
     writeBadZones},
    {"actTrainingModeStart", "Обучение на пустом резервуаре", "Обучение на пустом резервуаре", StartTraining},
    {"actCorrectionModeStart", "Коррекция ММП", "Коррекция ММП", StartCorrection},
    {"actTrainingModeStop", "Завершить режим", "Завершить режим", StopGaugeMode},
    {"actAllParamRead", "Считать все параметры", "Считать все параметры из прибора", ReadAllParameters},
    {"actAllParamWrite", "Записать все параметры ", "Записать все параметры в прибор", WriteAllParameters},
    {"actTolm472iSave", "Сохранить параметры ", "Сохранить параметры прибора на диск", saveParameterSet},
    {"actTolm472iLoad", "Загрузить параметры", "Загрузить параметры прибора с диска", loadParameterSet},
};

} // namespace

std::span<const TProcedureAction> ProcedureActions()
{
    return Actions;
}

const TProcedureAction *FindProcedureAction(const QString &name)
{
    for (const TProcedureAction &action : Actions)
        if (name == QLatin1String(action.Name))
            return &action;
    return nullptr;
}

void RunProcedureAction(const TProcedureAction &action, const TProcedureContext &context)
{
    action.Run(context, QString::fromUtf8(action.Hint));
}
