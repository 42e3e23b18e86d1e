#include "ui/parameter_set.h"

#include "values/clock.h"
#include "app/ini_file.h"
#include "device/tolm472.h"
#include "ui/operator.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace {

// Defaults of a key that is missing or does not parse.
constexpr bool DefaultEnabled = true;
constexpr int DefaultSystemAddress = 255;
constexpr int DefaultPlantNumber = 65535;
constexpr double DefaultHmax = 30000;
constexpr double DefaultLmax = 30000;
constexpr double DefaultKKalman = 1;
constexpr double DefaultKrPer = 0;
constexpr double DefaultSmPer = 0;

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

// The folder with its trailing separator, as the operator sees it.
QString folderPath(const QString &programFolder, int programType)
{
    return QDir::toNativeSeparators(QDir(programFolder).filePath(ParameterSetFolderName(programType)) + QLatin1Char('/'));
}

void writeValues(const Ttolm472 &model, TIniFile &ini)
{
    const QString section = model.Name;
    ini.WriteBool(section, QStringLiteral("Enabled"), model.Enabled());
    ini.WriteInteger(section, QStringLiteral("SystemAddress"), model.SystemAddress());
    ini.WriteInteger(section, QStringLiteral("PlantNumber"), model.PlantNumber());
    ini.WriteString(section, QStringLiteral("NNZ"), model.NNZNumber);
    ini.WriteFloat(section, QStringLiteral("Hmax"), model.Hmax());
    ini.WriteFloat(section, QStringLiteral("Lmax"), model.Lmax());
    ini.WriteFloat(section, QStringLiteral("KKalman"), model.KKalman());
    ini.WriteFloat(section, QStringLiteral("KrPer"), model.KrPer());
    ini.WriteFloat(section, QStringLiteral("SmPer"), model.SmPer());
    for (int point = 1; point <= int(model.ProgonPoints.size()); ++point) {
        const TProgonPoint &values = model.ProgonPoints[point - 1];
        for (const TPointKey &key : PointKeys)
            ini.WriteFloat(pointSection(model, point), QString::fromLatin1(key.Key), values.*key.Value);
    }
}

void readValues(const TIniFile &ini, Ttolm472 &model)
{
    const QString section = model.Name;
    model.SetEnabled(ini.ReadBool(section, QStringLiteral("Enabled"), DefaultEnabled));
    // The workstations keep only the bits the gauge has room for.
    model.SetSystemAddress(
        uint8_t(ini.ReadInt64(section, QStringLiteral("SystemAddress"), DefaultSystemAddress) & 0xFF));
    model.SetPlantNumber(uint16_t(ini.ReadInt64(section, QStringLiteral("PlantNumber"), DefaultPlantNumber) & 0xFFFF));
    model.NNZNumber = ini.ReadString(section, QStringLiteral("NNZ"), QString());
    // Hmax before Lmax: the setter of Lmax compares with the Hmax in force.
    model.SetHmax(ini.ReadFloat(section, QStringLiteral("Hmax"), DefaultHmax));
    model.SetLmax(ini.ReadFloat(section, QStringLiteral("Lmax"), DefaultLmax));
    model.SetKKalman(ini.ReadFloat(section, QStringLiteral("KKalman"), DefaultKKalman));
    model.SetKrPer(ini.ReadFloat(section, QStringLiteral("KrPer"), DefaultKrPer));
    model.SetSmPer(ini.ReadFloat(section, QStringLiteral("SmPer"), DefaultSmPer));
    for (int point = 1; point <= int(model.ProgonPoints.size()); ++point) {
        TProgonPoint &values = model.ProgonPoints[point - 1];
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

QString ParameterSetFileName(uint16_t plantNumber, const QDate &day)
{
    return QStringLiteral("PN") + QString::asprintf("%.5d", int(plantNumber)) + QLatin1Char('-')
           + day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".ini");
}

bool SaveParameterSet(const Ttolm472 &model, TOperator &op, const QString &programFolder)
{
    if (model.PlantNumber() == 0
        && !op.Question(QStringLiteral("Не указан заводской номер! Записать все равно?"), false))
        return false;
    const QString folder = folderPath(programFolder, model.ProgramType);
    if (!knownType(model.ProgramType)
        && !op.Question(QStringLiteral("Не указан Тип прибора!\rЗаписать в папку ") + folder + QLatin1Char('?'),
                        false))
        return false;
    if (!QDir().mkpath(folder)) {
        op.Error(QStringLiteral("Не удалось создать папку ") + folder);
        return false;
    }
    const QString path =
        QDir::toNativeSeparators(QDir(folder).filePath(ParameterSetFileName(model.PlantNumber(), Clock().Now().date())));
    if (QFileInfo::exists(path)
        && !op.AskYesNo(TMessageIcon::Warning, AttentionCaption(),
                        QStringLiteral("Заменить существующий файл \r") + path + QStringLiteral(" ?"), true))
        return false;
    TIniFile ini(path);
    writeValues(model, ini);
    if (!ini.UpdateFile()) {
        op.Error(QStringLiteral("Не удалось записать файл ") + path);
        return false;
    }
    return true;
}

bool LoadParameterSet(Ttolm472 &model, TOperator &op, const QString &programFolder)
{
    if (!knownType(model.ProgramType))
        return false;
    const QString path = op.OpenFileName(QStringLiteral("Параметры приборов (*.ini)"), QStringLiteral("ini"),
                                         folderPath(programFolder, model.ProgramType));
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
