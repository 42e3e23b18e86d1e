#include "link/program_setup.h"

#include "device/tolm472.h"
#include "link/port_enums.h"
#include "link/port_parameters.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int SimBaudFallback = 9600;

} // namespace

void SetUpProgramGauge(Ttolm472 &model)
{
    model.Name = QStringLiteral("Tolm471");
    model.SetErrorMax(1);
    model.Description.Title = QStringLiteral("ТОЛМ471И");
    model.Description.Hint = model.Description.Title;
}

TSimLineConfig ProgramSimLineConfig(const QString &programFolder, bool modbus)
{
    TPortParameters gaugeSet(programFolder);
    gaugeSet.Section = QStringLiteral("Tolm");
    gaugeSet.LoadFromFile();

    TSimLineConfig config;
    const QDir home(programFolder);
    if (QFileInfo(home.filePath(QStringLiteral("INI"))).isDir())
        config.gauge.stateFile = home.filePath(QStringLiteral("INI/SimGauge.json"));
    config.timing.enabled = true;
    const int baud = BaudRateBitsPerSecond(gaugeSet.BaudRate);
    config.timing.baud = baud > 0 ? baud : SimBaudFallback;
    config.gaugeParity = !modbus;
    return config;
}
