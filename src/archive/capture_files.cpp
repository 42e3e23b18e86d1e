#include "archive/capture_files.h"

#include "app/text_file.h"
#include "archive/day_folder.h"

#include <QDir>

#include <algorithm>
#include <cmath>

namespace {

const QString Asterisks(65, QLatin1Char('*'));

// Labels of the summary, each a blank, the name and blanks to 32 characters.
const std::array<QString, 9> SummaryLabels = {
    QStringLiteral(" Системный адрес                "), QStringLiteral(" Заводской номер                "),
    QStringLiteral(" Аппаратная версия              "), QStringLiteral(" Программная версия             "),
    QStringLiteral(" H max                          "), QStringLiteral(" L max                          "),
    QStringLiteral(" Коэффициент сглаживания        "), QStringLiteral(" Крутизна хар-ки преобр-ния     "),
    QStringLiteral(" Смещение нуля                  "),
};

QString fileError(const QString &path, const QString &reason)
{
    return QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
           reason;
}

// Appends the lines in one write; the file is created when missing.
bool appendLines(const QString &path, const QStringList &lines, QString &error)
{
    if (AppendTextLines(path, lines))
        return true;
    error = fileError(path, QStringLiteral("ошибка записи"));
    return false;
}

// The day folder of the write, created with its parents; empty on failure.
QString dayFolder(const TCaptureFileSet &set, QString &error)
{
    const QString folder = DayFolder(set.dbPath, set.now.date());
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("Не удалось создать папку ") + QDir::toNativeSeparators(folder);
        return {};
    }
    return folder;
}

bool saveCapture(const QString &prefix, const TCaptureFileSet &set, const TSummaryValues &summary,
                 const QStringList &data, QString &error, QStringList *written)
{
    const QString folder = dayFolder(set, error);
    if (folder.isEmpty())
        return false;
    const QString base = folder + QLatin1Char('/') + CaptureBaseName(prefix, set.now.date(), set.startTime.time());
    if (set.counter == 1) {
        const QString path = base + QStringLiteral("0000.txt");
        if (!WriteParameterSummary(path, summary, error))
            return false;
        if (written)
            written->append(path);
    }
    const QString path = base + QString::asprintf("%.4d", set.counter) + QStringLiteral(".txt");
    if (!appendLines(path, data, error))
        return false;
    if (written)
        written->append(path);
    return true;
}

} // namespace

QString CaptureBaseName(const QString &prefix, const QDate &date, const QTime &startTime)
{
    return prefix + date.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('_') +
           startTime.toString(QStringLiteral("HHmmss")) + QLatin1Char('_');
}

QStringList ParameterSummaryLines(const TSummaryValues &values)
{
    QStringList lines{Asterisks, QStringLiteral(" ТОЛМ472И "), Asterisks};
    for (size_t i = 0; i < values.size(); ++i)
        lines.append(SummaryLabels[i] + values[i].trimmed().rightJustified(30, QLatin1Char(' ')));
    lines.append(Asterisks);
    return lines;
}

bool WriteParameterSummary(const QString &path, const TSummaryValues &values, QString &error)
{
    if (!WriteTextLines(path, ParameterSummaryLines(values))) {
        error = fileError(path, QStringLiteral("ошибка записи"));
        return false;
    }
    return true;
}

QStringList SpectrumDataLines(std::span<const double> spectrum)
{
    double max = 0;
    for (double v : spectrum)
        max = std::max(max, v);
    QStringList lines{QStringLiteral("Точка            Значение            Значение Макс") +
                      QString::asprintf("%20.5f", max)};
    if (max == 0)
        return lines;
    for (size_t i = 0; i < spectrum.size(); ++i) {
        const double v = spectrum[i];
        QString line = QString::asprintf("%5d%20.5f", int(i + 1), v);
        // A point of 0 or below has no level in dB. Its line ends after the
        // value: an empty cell is what spreadsheets and plotting tools take
        // as "no data" (a gap in the curve), where any stand-in figure such
        // as -999 would be plotted as a deep notch and "-inf" would be read
        // as text (charted as 0 dB, the level of the echo itself).
        if (v > 0)
            line += QString::asprintf("%20.5f", 20 * std::log10(v / max));
        lines.append(line);
    }
    return lines;
}

QStringList SignalDataLines(std::span<const int32_t> signal, const QString &plantNumber,
                            const QString &distanceLine)
{
    QStringList lines{QStringLiteral("Заводской номер ") + plantNumber, distanceLine,
                      QStringLiteral("Точка Значение")};
    for (size_t i = 0; i < signal.size(); ++i)
        lines.append(QString::asprintf("%5d%9d", int(i + 1), int(signal[i])));
    return lines;
}

bool SaveSpectrumFiles(const TCaptureFileSet &set, const TSummaryValues &summary, std::span<const double> spectrum,
                       QString &error, QStringList *written)
{
    return saveCapture(QStringLiteral("Spectrum_"), set, summary, SpectrumDataLines(spectrum), error, written);
}

bool SaveSignalFiles(const TCaptureFileSet &set, const TSummaryValues &summary, std::span<const int32_t> signal,
                     const QString &plantNumber, const QString &distanceLine, QString &error, QStringList *written)
{
    return saveCapture(QStringLiteral("Signal_"), set, summary, SignalDataLines(signal, plantNumber, distanceLine),
                       error, written);
}
