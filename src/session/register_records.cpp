#include "session/register_records.h"

#include "archive/archive_settings.h"
#include "device/calibration.h"
#include "device/parameter_table.h"
#include "device/test_run.h"
#include "device/tolm472.h"
#include "register/register_place.h"
#include "session/command_sender.h"
#include "session/operator.h"
#include "session/procedures/gauge_configuration.h"
#include "session/procedures/parameter_set.h"
#include "session/procedures/procedure_context.h"
#include "values/clock.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>

namespace {

TRegisterRecord gaugeRecord(const Ttolm472 &model, TRecordKind kind)
{
    TRegisterRecord record;
    record.Kind = kind;
    record.Plant = model.Config.PlantNumber();
    record.Model = model.Description.Title;
    record.HardVersion = model.Identity.HardVersion;
    record.SoftVersion = model.Identity.SoftVersion;
    record.ProgramType = model.Identity.ProgramType;
    return record;
}

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

bool pointPasses(const TProgonPoint &point)
{
    return TestRunRowMark(point, point.LevelMeasured) == TTestRunMark::Green && !TestRunCurrentFails(point);
}

TRegisterRecord configurationRecord(const Ttolm472 &model, const QString &origin, const QString &fileName,
                                    const QByteArray &file)
{
    TRegisterRecord record = gaugeRecord(model, TRecordKind::Configuration);
    record.Details = {{QStringLiteral("origin"), origin.trimmed()}};
    record.Summary = origin.trimmed() + QStringLiteral(": ") + fileName;
    record.DocumentName = fileName;
    record.Document = file;
    return record;
}

} // namespace

TRegisterRecord TestRunRecord(const Ttolm472 &model, const QString &pdfName, const QByteArray &pdf)
{
    TRegisterRecord record = gaugeRecord(model, TRecordKind::TestRun);
    QJsonArray points;
    bool passed = true;
    for (int n = 0; n < TestRunPoints(model); ++n) {
        const TProgonPoint &p = model.TestRun.Points[n];
        const bool pass = pointPasses(p);
        passed = passed && pass;
        points.append(QJsonObject{{QStringLiteral("point"), n + 1},
                                  {QStringLiteral("tape"), p.Tape},
                                  {QStringLiteral("levelExpected"), p.LevelExpected},
                                  {QStringLiteral("level"), p.LevelMeasured},
                                  {QStringLiteral("levelError"), p.LevelError},
                                  {QStringLiteral("current"), p.CurrentExpected},
                                  {QStringLiteral("currentMeasured"), p.CurrentMeasured},
                                  {QStringLiteral("currentError"), p.CurrentError},
                                  {QStringLiteral("captured"), p.Captured.toString(Qt::ISODate)},
                                  {QStringLiteral("passed"), pass}});
    }
    record.Passed = passed;
    record.Details = {{QStringLiteral("ppm"), model.TestRun.PPMNumber},
                      {QStringLiteral("nnz"), model.TestRun.NNZNumber},
                      {QStringLiteral("points"), points}};
    record.Summary = (passed ? QStringLiteral("годен") : QStringLiteral("не годен")) + QStringLiteral(", ППМ ") +
                     model.TestRun.PPMNumber + QStringLiteral(", Н/З ") + model.TestRun.NNZNumber;
    record.DocumentName = pdfName;
    record.Document = pdf;
    return record;
}

TRegisterRecord CalibrationRecord(const Ttolm472 &model, bool written, const QByteArray &pdf)
{
    TRegisterRecord record = gaugeRecord(model, TRecordKind::Calibration);
    QJsonArray points;
    const std::vector<TCalibrationError> errors = CalibrationErrors(model);
    for (int n = 0; n < model.CalibrMode() && n < int(model.Calibration.Points.size()); ++n) {
        QJsonObject point{{QStringLiteral("point"), n + 1},
                          {QStringLiteral("set"), model.Calibration.Points[n].Set},
                          {QStringLiteral("measured"), model.Calibration.Points[n].Measured}};
        if (n < int(errors.size()))
            point.insert(QStringLiteral("error"), errors[n].Error);
        points.append(point);
    }
    record.Details = {{QStringLiteral("krPerBefore"), model.Calibration.KrPerRef},
                      {QStringLiteral("smPerBefore"), model.Calibration.SmPerRef},
                      {QStringLiteral("krPer"), model.Config.KrPer()},
                      {QStringLiteral("smPer"), model.Config.SmPer()},
                      {QStringLiteral("written"), written},
                      {QStringLiteral("points"), points}};
    record.Summary = QStringLiteral("Крутизна ") + number(model.Config.KrPer(), 5) +
                     QStringLiteral(", смещение нуля ") + number(model.Config.SmPer(), 2) +
                     (written ? QString() : QStringLiteral(" (запись не удалась)"));
    record.DocumentName =
        QStringLiteral("Kalibr_") + PlantNumberTag(model.Config.PlantNumber()) + QStringLiteral(".pdf");
    record.Document = pdf;
    return record;
}

TRegisterRecord ConfigurationFileRecord(const Ttolm472 &model, const QString &origin, const QString &path)
{
    QFile file(path);
    return configurationRecord(model, origin, QFileInfo(path).fileName(),
                               file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

TRegisterRecord ModelConfigurationRecord(const Ttolm472 &model, const QString &origin)
{
    TConfiguration configuration;
    for (const TParameter *parameter : ConfigurationParameters())
        configuration.Values.push_back({parameter, parameter->Get(model)});
    return configurationRecord(model, origin, ParameterSetFileName(model.Config.PlantNumber(), Clock().Now().date()),
                               ParameterSetBytes(model, &configuration));
}

TRegisterRecord BundleRecord(const Ttolm472 &model, const QString &path)
{
    TRegisterRecord record = gaugeRecord(model, TRecordKind::Bundle);
    const QFileInfo file(path);
    record.Details = {{QStringLiteral("name"), file.fileName()}, {QStringLiteral("size"), file.size()}};
    record.Summary = file.fileName() + QStringLiteral(", ") + QString::number(file.size()) + QStringLiteral(" байт");
    record.DocumentName = file.fileName();
    return record;
}

QByteArray ParameterSetBytes(const Ttolm472 &model, const TConfiguration *backup)
{
    const QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("set.ini"));
    QString error;
    if (!scratch.isValid() || !WriteParameterSetFile(model, path, backup, error))
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool RecordInRegister(const QString &programFolder, TRegisterRecord record, TOperator &op)
{
    QString error;
    if (AddToRegister(RegisterPlace(programFolder, LoadArchiveSettings(programFolder).dbPath), record, error))
        return true;
    op.Warning(error);
    return false;
}

bool RecordInRegister(const TProcedureContext &context, const std::function<TRegisterRecord(const Ttolm472 &)> &make)
{
    return RecordInRegister(context.ProgramFolder, context.Sender.FromModel(make), context.Op());
}
