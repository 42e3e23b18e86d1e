#include "session/procedures/gauge_configuration.h"

#include "app/ini_file.h"
#include "app/text_file.h"
#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "protocol/answer_layout.h"
#include "protocol/command_codes.h"
#include "session/operator.h"
#include "session/rom_store.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"

#include <QDir>
#include <QFile>

#include <cfloat>
#include <cmath>

namespace {

const QString ReadText = QStringLiteral("Чтение параметров прибора");

QString nameOf(const TParameter &parameter)
{
    return QString::fromLatin1(parameter.Name);
}

// Equal as the gauge holds them: a float in single precision, the others
// as whole numbers.
bool sameValue(const TParameter &parameter, double a, double b)
{
    if (parameter.Type == TParameterType::Float)
        return float(a) == float(b);
    return std::llround(a) == std::llround(b);
}

bool withinRange(const TParameter &parameter, double value)
{
    if (!std::isfinite(value))
        return false;
    switch (parameter.Type) {
    case TParameterType::Byte: return value == std::round(value) && value >= 0 && value <= 0xFF;
    case TParameterType::Word: return value == std::round(value) && value >= 0 && value <= 0xFFFF;
    case TParameterType::Float: break;
    }
    if (std::fabs(value) > FLT_MAX)
        return false;
    return parameter.Min >= parameter.Max || (value >= parameter.Min && value <= parameter.Max);
}

// The model's values of the configuration, to put back after a read.
std::vector<double> modelValues(TCommandSender &sender)
{
    return sender.FromModel([](const Ttolm472 &model) {
        std::vector<double> values;
        for (const TParameter *parameter : ConfigurationParameters())
            values.push_back(parameter->Get(model));
        return values;
    });
}

// One parameter as the gauge answers it; nothing when it does not.
std::optional<double> readValue(TCommandSender &sender, const TParameter &parameter)
{
    TGaugeAnswer answer;
    if (!sender.ExchangeQuietly(parameter.ReadCode, TCommandSender::Attempts, &answer))
        return std::nullopt;
    if (const std::optional<double> carried = ParameterValueCarried(answer.Answer))
        return carried;
    // A value the parser takes as it comes (the program type).
    if (answer.ProgramType)
        return double(*answer.ProgramType);
    return sender.FromModel([&](const Ttolm472 &model) { return parameter.Get(model); });
}

} // namespace

int TConfiguration::Missing() const
{
    int missing = 0;
    for (const TConfigurationValue &value : Values)
        missing += value.Value ? 0 : 1;
    return missing;
}

int TConfigurationComparison::Differing() const
{
    int differing = 0;
    for (const TConfigurationDifference &row : Rows)
        differing += row.Differs ? 1 : 0;
    return differing;
}

QStringList TConfigurationComparison::UnreadNames() const
{
    QStringList names;
    for (const TConfigurationDifference &row : Rows)
        if (row.Unread)
            names.append(nameOf(*row.Parameter));
    return names;
}

const std::vector<const TParameter *> &ConfigurationParameters()
{
    static const std::vector<const TParameter *> parameters = [] {
        std::vector<const TParameter *> kept;
        for (const TParameter &parameter : ParameterTable())
            if (CanRead(parameter) && CanWrite(parameter))
                kept.push_back(&parameter);
        return kept;
    }();
    return parameters;
}

QString ConfigurationSection(const QString &modelName)
{
    return modelName + QStringLiteral("Backup");
}

TConfiguration ReadConfiguration(const TProcedureContext &context)
{
    TCommandSender &sender = context.Sender;
    TOperator &op = context.Op();
    const std::vector<const TParameter *> &parameters = ConfigurationParameters();
    TConfiguration configuration;
    for (const TParameter *parameter : parameters)
        configuration.Values.push_back({parameter, std::nullopt});

    const std::vector<double> before = modelValues(sender);
    const int steps = int(parameters.size()) + 1;
    op.ShowProgress(ReadText, 1, steps);
    // The signature tells whether the gauge has the extended set; a gauge
    // that does not answer it is not kept waiting for the rest.
    configuration.GaugeAnswered = sender.ExchangeQuietly(SignatureRead, TCommandSender::Attempts);
    if (configuration.GaugeAnswered) {
        const bool extended =
            sender.FromModel([](const Ttolm472 &model) { return model.Identity.HasExtendedParameters(); });
        for (int i = 0; i < int(parameters.size()); ++i) {
            op.ShowProgress(ReadText, i + 2, steps);
            const TParameter &parameter = *parameters[i];
            if (!parameter.Extended || extended)
                configuration.Values[i].Value = readValue(sender, parameter);
        }
    }
    op.CloseProgress();

    // In the order of the table, so each rule finds the values it compares
    // with as they were.
    sender.OnModel([&](Ttolm472 &model) {
        for (int i = 0; i < int(parameters.size()); ++i)
            parameters[i]->Set(model, before[i]);
    });
    context.Views.ApplyModeVisibility(); // the signature may have told a new software version
    context.Views.UpdateAllViews();
    return configuration;
}

void WriteConfiguration(TIniFile &ini, const QString &section, const TConfiguration &configuration)
{
    for (const TConfigurationValue &value : configuration.Values)
        ini.WriteString(section, nameOf(*value.Parameter),
                        value.Value ? QString::number(*value.Value, 'g', 9) : QString());
}

bool ReadConfigurationFile(const QString &path, const QString &section, TConfiguration &configuration,
                           QString &error)
{
    const QString shown = QDir::toNativeSeparators(path);
    const TIniFile ini(path);
    if (!ini.Loaded()) {
        error = QStringLiteral("Не удалось прочитать файл ") + shown;
        return false;
    }
    QFile file(path);
    const QString problem = file.open(QIODevice::ReadOnly) ? TextProblem(file.readAll()) : QString();
    if (!problem.isEmpty()) {
        error = QStringLiteral("Файл ") + shown + QStringLiteral(" не читается как набор параметров: ") + problem;
        return false;
    }
    if (!ini.SectionExists(section)) {
        error = QStringLiteral("В файле ") + shown + QStringLiteral(" нет раздела [") + section +
                QStringLiteral("]: он сохранён без полной копии параметров");
        return false;
    }
    TConfiguration read;
    for (const TParameter *parameter : ConfigurationParameters()) {
        const QString key = nameOf(*parameter);
        if (!ini.ValueExists(section, key)) {
            error = QStringLiteral("В разделе [") + section + QStringLiteral("] файла ") + shown +
                    QStringLiteral(" нет ключа ") + key;
            return false;
        }
        const QString text = ini.ReadString(section, key, QString()).trimmed();
        TConfigurationValue value{parameter, std::nullopt};
        if (!text.isEmpty()) {
            bool ok = false;
            const double number = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            if (!ok) {
                error = QStringLiteral("Значение ключа ") + key + QStringLiteral(" в файле ") + shown +
                        QStringLiteral(" не является числом: ") + text;
                return false;
            }
            if (!withinRange(*parameter, number)) {
                error = QStringLiteral("Значение ключа ") + key + QStringLiteral(" в файле ") + shown +
                        QStringLiteral(" вне допустимого диапазона: ") + text;
                return false;
            }
            value.Value = number;
        }
        read.Values.push_back(value);
    }
    configuration = std::move(read);
    return true;
}

TConfigurationComparison CompareConfigurations(const TConfiguration &file, const TConfiguration &gauge)
{
    TConfigurationComparison comparison;
    for (size_t i = 0; i < file.Values.size() && i < gauge.Values.size(); ++i) {
        TConfigurationDifference row{file.Values[i].Parameter, file.Values[i].Value, gauge.Values[i].Value};
        row.Unread = !row.InGauge;
        row.Differs = row.InFile && row.InGauge ? !sameValue(*row.Parameter, *row.InFile, *row.InGauge)
                                                : row.InGauge.has_value();
        comparison.Rows.push_back(row);
    }
    return comparison;
}

QString ConfigurationValueText(const TParameter &parameter, const std::optional<double> &value)
{
    if (!value)
        return QStringLiteral("-");
    if (parameter.Type != TParameterType::Float)
        return QString::number(std::llround(*value));
    return QString::number(*value, 'g', 9);
}

bool RestoreConfiguration(const TProcedureContext &context, const TConfigurationComparison &comparison,
                          const std::function<void(const TConfigurationDifference &)> &written)
{
    TCommandSender &sender = context.Sender;
    const bool extended =
        sender.FromModel([](const Ttolm472 &model) { return model.Identity.HasExtendedParameters(); });
    int confirmed = 0;
    QStringList failed;
    for (const TConfigurationDifference &row : comparison.Rows) {
        const TParameter &parameter = *row.Parameter;
        // A value the gauge did not give may differ: it is written too.
        if (!(row.Differs || row.Unread) || !row.InFile || (parameter.Extended && !extended))
            continue;
        const double value = *row.InFile;
        const QString name = nameOf(parameter);
        const QString valueText = ConfigurationValueText(parameter, value);
        // The model's rules judge it first (Lmax not above Hmax, ...).
        bool accepted = false;
        int code = -1;
        sender.OnModel([&](Ttolm472 &model) {
            parameter.Set(model, value);
            accepted = sameValue(parameter, parameter.Get(model), value);
            code = WriteCommand(parameter, model);
        });
        if (!accepted) {
            context.Op().Warning(QStringLiteral("Значение ") + valueText + QStringLiteral(" параметра ") + name +
                                 QStringLiteral(" не принято программой: вне допустимого диапазона"));
            failed.append(name);
            continue;
        }
        if (code < 0) {
            sender.ReportFailure(QString::fromUtf8(parameter.WriteHint));
            failed.append(name);
            continue;
        }
        if (!WriteParameter(context, code, QString::fromUtf8(parameter.WriteHint), TRomStore::HeldBack)) {
            failed.append(name);
            continue;
        }
        const std::optional<double> back = readValue(sender, parameter);
        if (!back || !sameValue(parameter, *back, value)) {
            context.Op().Warning(QStringLiteral("Прибор не подтвердил значение параметра ") + name +
                                 QStringLiteral(": записано ") + valueText + QStringLiteral(", считано ") +
                                 ConfigurationValueText(parameter, back));
            failed.append(name);
            continue;
        }
        ++confirmed;
        if (written)
            written(row);
    }
    // A half-restored configuration must not outlive the gauge's restart:
    // the store waits until every row is in.
    bool stored = true;
    if (!failed.isEmpty())
        context.Op().Warning(QStringLiteral("Не записаны параметры: ") + failed.join(QStringLiteral(", ")) +
                             QStringLiteral("\rВ ПЗУ ничего не записано: записанные параметры (") +
                             QString::number(confirmed) +
                             QStringLiteral(") действуют до выключения прибора. Повторите восстановление из того же "
                                            "файла: будут записаны только отличающиеся параметры"));
    else if (confirmed > 0)
        stored = StoreToRom(sender);
    context.Views.UpdateAllViews();
    return failed.isEmpty() && stored;
}
