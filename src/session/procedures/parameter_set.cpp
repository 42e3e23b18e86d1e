#include "session/procedures/parameter_set.h"

#include "values/clock.h"
#include "app/ini_file.h"
#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "session/operator.h"
#include "session/procedures/gauge_configuration.h"
#include "session/register_records.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace {

// Default of a key that is missing or does not parse; the parameters'
// come from the parameter table.
constexpr bool DefaultEnabled = true;

// The six values of a test-run point, in the order of the file.
struct TPointKey {
    const char *Key;
    double TProgonPoint::*Value;
};
constexpr std::array<TPointKey, 6> PointKeys{{
    {"Sample", &TProgonPoint::LevelExpected},
    {"Value", &TProgonPoint::LevelMeasured},
    {"dValue", &TProgonPoint::LevelError},
    {"CurrentSample", &TProgonPoint::CurrentExpected},
    {"CurrentValue", &TProgonPoint::CurrentMeasured},
    {"dCurrentValue", &TProgonPoint::CurrentError},
}};

QString pointSection(const Ttolm472 &model, int point)
{
    return model.Name + QStringLiteral("CurrentOutput") + QString::number(point);
}

bool knownType(int programType)
{
    return programType == 11 || programType == 12;
}

// The gauge's parameters kept in the file, in the order of the table: the
// whole numbers (address and plant number) or the tank and conversion
// values.
template <typename Each>
void forEachKept(bool wholeNumbers, Each each)
{
    for (const TParameter &parameter : ParameterTable())
        if (parameter.SetDefault && (parameter.Type != TParameterType::Float) == wholeNumbers)
            each(parameter, QString::fromLatin1(parameter.Name));
}

void writeValues(const Ttolm472 &model, TIniFile &ini)
{
    const QString section = model.Name;
    const auto write = [&](const TParameter &parameter, const QString &key) {
        if (parameter.Type == TParameterType::Float)
            ini.WriteFloat(section, key, parameter.Get(model));
        else
            ini.WriteInteger(section, key, qint64(parameter.Get(model)));
    };
    ini.WriteBool(section, QStringLiteral("Enabled"), model.Enabled());
    forEachKept(true, write);
    ini.WriteString(section, QStringLiteral("NNZ"), model.TestRun.NNZNumber);
    forEachKept(false, write);
    for (int point = 1; point <= int(model.TestRun.Points.size()); ++point) {
        const TProgonPoint &values = model.TestRun.Points[point - 1];
        for (const TPointKey &key : PointKeys)
            ini.WriteFloat(pointSection(model, point), QString::fromLatin1(key.Key), values.*key.Value);
    }
}

void readValues(const TIniFile &ini, Ttolm472 &model)
{
    const QString section = model.Name;
    model.SetEnabled(ini.ReadBool(section, QStringLiteral("Enabled"), DefaultEnabled));
    // The workstations keep only the bits the gauge has room for.
    forEachKept(true, [&](const TParameter &parameter, const QString &key) {
        const qint64 mask = parameter.Type == TParameterType::Byte ? 0xFF : 0xFFFF;
        parameter.Set(model, double(ini.ReadInt64(section, key, qint64(*parameter.SetDefault)) & mask));
    });
    model.TestRun.NNZNumber = ini.ReadString(section, QStringLiteral("NNZ"), QString());
    // In the order of the table: Hmax before Lmax, as the setter of Lmax
    // compares with the Hmax in force.
    forEachKept(false, [&](const TParameter &parameter, const QString &key) {
        parameter.Set(model, ini.ReadFloat(section, key, *parameter.SetDefault));
    });
    for (int point = 1; point <= int(model.TestRun.Points.size()); ++point) {
        TProgonPoint &values = model.TestRun.Points[point - 1];
        for (const TPointKey &key : PointKeys)
            values.*key.Value = ini.ReadFloat(pointSection(model, point), QString::fromLatin1(key.Key), 0);
    }
}

} // namespace

QString ParameterSetFolderName(int programType)
{
    switch (programType) {
    case 11:
        return QStringLiteral("471");
    case 12:
        return QStringLiteral("472");
    default:
        return QStringLiteral("47x");
    }
}

QString ParameterSetFolder(const QString &programFolder, int programType)
{
    return QDir::toNativeSeparators(QDir(programFolder).filePath(ParameterSetFolderName(programType)) + QLatin1Char('/'));
}

QString PlantNumberTag(uint16_t plantNumber)
{
    return QStringLiteral("PN") + QString::asprintf("%.5d", int(plantNumber));
}

QString ParameterSetFileName(uint16_t plantNumber, const QDate &day)
{
    return PlantNumberTag(plantNumber) + QLatin1Char('-')
           + day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".ini");
}

bool WriteParameterSetFile(const Ttolm472 &model, const QString &path, const TConfiguration *backup,
                           QString &error)
{
    TIniFile ini(path);
    writeValues(model, ini);
    if (backup)
        WriteConfiguration(ini, ConfigurationSection(model.Name), *backup);
    if (!ini.UpdateFile()) {
        error = QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(path);
        return false;
    }
    return true;
}

bool SaveParameterSet(const Ttolm472 &model, TOperator &op, const QString &programFolder,
                      const TConfiguration *backup)
{
    if (model.Config.PlantNumber() == 0 &&
        !op.Question(QStringLiteral("Не указан заводской номер! Записать все равно?"), false))
        return false;
    const QString folder = ParameterSetFolder(programFolder, model.Identity.ProgramType);
    if (!knownType(model.Identity.ProgramType) &&
        !op.Question(QStringLiteral("Не указан Тип прибора!\rЗаписать в папку ") + folder + QLatin1Char('?'), false))
        return false;
    if (!QDir().mkpath(folder)) {
        op.Error(QStringLiteral("Не удалось создать папку ") + folder);
        return false;
    }
    const QString path = QDir::toNativeSeparators(
        QDir(folder).filePath(ParameterSetFileName(model.Config.PlantNumber(), Clock().Now().date())));
    if (QFileInfo::exists(path)
        && !op.AskYesNo(TMessageIcon::Warning, AttentionCaption(),
                        QStringLiteral("Заменить существующий файл \r") + path + QStringLiteral(" ?"), true))
        return false;
    QString error;
    if (!WriteParameterSetFile(model, path, backup, error)) {
        op.Error(error);
        return false;
    }
    RecordInRegister(programFolder, ConfigurationFileRecord(model, QStringLiteral("Сохранить параметры "), path), op);
    return true;
}

bool LoadParameterSet(Ttolm472 &model, TOperator &op, const QString &programFolder)
{
    if (!knownType(model.Identity.ProgramType))
        return false;
    const QString path = op.OpenFileName(QStringLiteral("Параметры приборов (*.ini)"), QStringLiteral("ini"),
                                         ParameterSetFolder(programFolder, model.Identity.ProgramType));
    if (path.isEmpty())
        return false;
    const TIniFile ini(path);
    if (!ini.Loaded()) {
        op.Error(QStringLiteral("Не удалось прочитать файл ") + QDir::toNativeSeparators(path));
        return false;
    }
    readValues(ini, model);
    return true;
}
