#include "sim/numbered_gauges.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <numbers>

namespace {

constexpr int kFirstPlantNumber = 1000;

// Each gauge has its own non-volatile memory: the gauge's number goes
// before the suffix of the file named for the line.
QString numberedStateFile(const QString &stateFile, int number)
{
    const QFileInfo info(stateFile);
    const QString suffix = info.suffix();
    const QString name = info.completeBaseName() + QLatin1Char('-') + QString::number(number) +
                         (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
    return info.dir().filePath(name);
}

} // namespace

void NumberSimGauges(TSimLineConfig &config, int count)
{
    const TSimGaugeConfig base = config.gauge;
    config.moreGauges.clear();
    for (int n = 1; n <= count && n <= MaxSimGauges; ++n) {
        TSimGaugeConfig g = base;
        g.parameters.systemAddress = uint8_t(n);
        g.parameters.plantNumber = uint16_t(kFirstPlantNumber + n);
        g.seed = base.seed + uint64_t(n - 1);
        // Steps of the golden ratio spread the tanks evenly over the cycle
        // however many there are.
        g.tankPhase = std::fmod(base.tankPhase + (n - 1) * (std::numbers::phi - 1), 1.0);
        if (!base.stateFile.isEmpty())
            g.stateFile = numberedStateFile(base.stateFile, n);
        if (n == 1)
            config.gauge = g;
        else
            config.moreGauges.append(g);
    }
}
