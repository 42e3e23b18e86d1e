#include "sim/program_sim_line.h"

#include "app/ini_file.h"
#include "link/port_enums.h"
#include "link/port_parameters.h"
#include "sim/numbered_gauges.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int SimBaudFallback = 9600;

} // namespace

TSimLineConfig ProgramSimLineConfig(const QString &programFolder, bool modbus)
{
    const TIniFile ini(ComPortSettingsFile(programFolder));
    TPortParameters gaugeSet(programFolder);
    gaugeSet.Section = QStringLiteral("Tolm");
    gaugeSet.Load(&ini);

    TSimLineConfig config;
    const QDir home(programFolder);
    if (QFileInfo(home.filePath(QStringLiteral("INI"))).isDir())
        config.gauge.stateFile = home.filePath(QStringLiteral("INI/SimGauge.json"));
    config.timing.enabled = true;
    const int baud = BaudRateBitsPerSecond(gaugeSet.BaudRate);
    config.timing.baud = baud > 0 ? baud : SimBaudFallback;
    config.gaugeParity = !modbus;

    const int gauges = ini.ReadInteger(QStringLiteral("Sim"), QStringLiteral("Gauges"), 0);
    if (gauges >= 1 && gauges <= MaxSimGauges)
        NumberSimGauges(config, gauges);
    return config;
}
