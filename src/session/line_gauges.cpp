#include "session/line_gauges.h"

#include "app/ini_file.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString SectionPrefix = QStringLiteral("Gauge");

// Where a gauge of `address` stands or belongs in address order.
std::vector<TLineGauge>::iterator slotOf(std::vector<TLineGauge> &gauges, int address)
{
    return std::lower_bound(gauges.begin(), gauges.end(), address,
                            [](const TLineGauge &g, int a) { return g.Address < a; });
}

} // namespace

QString GaugeFolderName(int address, uint16_t plantNumber)
{
    return plantNumber ? QStringLiteral("PN%1").arg(plantNumber, 5, 10, QLatin1Char('0'))
                       : QStringLiteral("A%1").arg(address);
}

bool IsGaugeFolderName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^(PN[0-9]{5}|A[0-9]{1,3})$"));
    return pattern.match(name).hasMatch();
}

QString GaugeArchivePath(const QString &dbPath, const QString &folderName)
{
    return QDir(dbPath).filePath(QStringLiteral("Gauges/") + folderName);
}

QString LineGaugesFileName(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("INI/Gauges.ini"));
}

std::vector<TLineGauge> LoadLineGauges(const QString &programFolder)
{
    const TIniFile ini(LineGaugesFileName(programFolder));
    std::vector<TLineGauge> gauges;
    for (const QString &section : ini.Sections()) {
        if (!section.startsWith(SectionPrefix, Qt::CaseInsensitive))
            continue;
        TLineGauge gauge;
        gauge.Address = ini.ReadInteger(section, QStringLiteral("Address"), 0);
        if (gauge.Address < 1 || gauge.Address > 255)
            continue;
        gauge.PlantNumber = uint16_t(std::clamp(ini.ReadInteger(section, QStringLiteral("PlantNumber"), 0), 0, 65535));
        gauge.ProgramType = ini.ReadInteger(section, QStringLiteral("ProgramType"), -1);
        gauge.HardVersion = ini.ReadInteger(section, QStringLiteral("HardVersion"), 0);
        gauge.SoftVersion = ini.ReadInteger(section, QStringLiteral("SoftVersion"), 0);
        gauge.Polled = ini.ReadBool(section, QStringLiteral("Polled"), false);
        // A repeated address: the later section wins.
        const auto at = slotOf(gauges, gauge.Address);
        if (at != gauges.end() && at->Address == gauge.Address)
            *at = gauge;
        else
            gauges.insert(at, gauge);
    }
    return gauges;
}

bool SaveLineGauges(const QString &programFolder, const std::vector<TLineGauge> &gauges)
{
    const QString fileName = LineGaugesFileName(programFolder);
    QDir().mkpath(QFileInfo(fileName).path());
    TIniFile ini(fileName);
    for (const QString &section : ini.Sections())
        if (section.startsWith(SectionPrefix, Qt::CaseInsensitive))
            ini.EraseSection(section);
    for (const TLineGauge &gauge : gauges) {
        const QString section = SectionPrefix + QString::number(gauge.Address);
        ini.WriteInteger(section, QStringLiteral("Address"), gauge.Address);
        ini.WriteInteger(section, QStringLiteral("PlantNumber"), gauge.PlantNumber);
        ini.WriteInteger(section, QStringLiteral("ProgramType"), gauge.ProgramType);
        ini.WriteInteger(section, QStringLiteral("HardVersion"), gauge.HardVersion);
        ini.WriteInteger(section, QStringLiteral("SoftVersion"), gauge.SoftVersion);
        ini.WriteBool(section, QStringLiteral("Polled"), gauge.Polled);
    }
    return ini.UpdateFile();
}

void MergeLineGauge(std::vector<TLineGauge> &gauges, const TLineGauge &gauge)
{
    const auto at = slotOf(gauges, gauge.Address);
    if (at != gauges.end() && at->Address == gauge.Address) {
        const bool polled = at->Polled;
        *at = gauge;
        at->Polled = polled;
    } else {
        gauges.insert(at, gauge);
    }
}
