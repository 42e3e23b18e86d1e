// The capture files byte for byte. The expected bytes are built here from
// the layout rules with the standard library's own formatting, not with the
// writer's code.

#include "app/text_file.h"
#include "archive/capture_files.h"
#include "archive/day_folder.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <sstream>
#include <vector>

namespace {

std::string fixed(double v, int width)
{
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s << std::fixed << std::setprecision(5) << std::setw(width) << v;
    return s.str();
}

std::string right(long long v, int width)
{
    std::ostringstream s;
    s << std::setw(width) << v;
    return s.str();
}

// Windows-1251 text with CR LF after every line.
QByteArray fileBytes(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines)
        out += ToCp1251(line) + "\r\n";
    return out;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

const TSummaryValues Summary{"255", "1234", "1", "2", "15 000", "14 000", "1", "146", "0"};

class CaptureFilesTest : public ::testing::Test
{
protected:
    TCaptureFileSet set(int counter) const
    {
        return {home.file(QStringLiteral("DATA")), QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)),
                QDateTime(QDate(2026, 12, 8), QTime(8, 4, 3)), counter};
    }
    QString day() const { return DayFolder(home.file(QStringLiteral("DATA")), QDate(2026, 12, 8)) + "/"; }

    TempHome home;
};

} // namespace

TEST_F(CaptureFilesTest, SummaryHasThirteenLinesOfFixedWidth)
{
    const QString stars(65, QLatin1Char('*'));
    const QStringList expected{
        stars,
        " ТОЛМ472И ",
        stars,
        " Системный адрес                " + QString(27, ' ') + "255",
        " Заводской номер                " + QString(26, ' ') + "1234",
        " Аппаратная версия              " + QString(29, ' ') + "1",
        " Программная версия             " + QString(29, ' ') + "2",
        " H max                          " + QString(24, ' ') + "15 000",
        " L max                          " + QString(24, ' ') + "14 000",
        " Коэффициент сглаживания        " + QString(29, ' ') + "1",
        " Крутизна хар-ки преобр-ния     " + QString(27, ' ') + "146",
        " Смещение нуля                  " + QString(29, ' ') + "0",
        stars,
    };
    EXPECT_EQ(ParameterSummaryLines(Summary), expected);

    // Values are trimmed first; a value longer than its column is kept whole.
    TSummaryValues odd = Summary;
    odd[0] = "  7 ";
    odd[8] = QString(35, '9');
    const QStringList lines = ParameterSummaryLines(odd);
    EXPECT_TRUE(lines[3].endsWith(QString(29, ' ') + "7"));
    EXPECT_EQ(lines[11].size(), 32 + 35);
}

TEST_F(CaptureFilesTest, SpectrumFileMatchesTheLayoutByteForByte)
{
    // A spectrum with an echo, a noise floor, points of zero and a negative
    // point, which have no level in dB.
    std::vector<double> spectrum(512);
    for (size_t i = 0; i < spectrum.size(); ++i)
        spectrum[i] = 40 + 0.37 * double(i % 53) + (i == 200 ? 9876.54321 : 0);
    spectrum[0] = 0;
    spectrum[17] = -3.25;
    double max = 0;
    for (double v : spectrum)
        max = std::max(max, v);

    QStringList lines{QStringLiteral("Точка            Значение            Значение Макс") +
                      QString::fromStdString(fixed(max, 20))};
    for (size_t i = 0; i < spectrum.size(); ++i) {
        std::string line = right(long(i + 1), 5) + fixed(spectrum[i], 20);
        if (spectrum[i] > 0)
            line += fixed(20 * std::log10(spectrum[i] / max), 20);
        lines.append(QString::fromStdString(line));
    }

    QString error;
    QStringList written;
    ASSERT_TRUE(SaveSpectrumFiles(set(1), Summary, spectrum, error, &written)) << error.toStdString();
    const QString base = day() + "Spectrum_20261208_080403_";
    EXPECT_EQ(written, (QStringList{base + "0000.txt", base + "0001.txt"}));
    EXPECT_EQ(readFile(base + "0000.txt"), fileBytes(ParameterSummaryLines(Summary)));
    EXPECT_EQ(readFile(base + "0001.txt"), fileBytes(lines));
    EXPECT_TRUE(readFile(base + "0001.txt").contains("  201          9931.71321             0.00000\r\n"));
}

TEST_F(CaptureFilesTest, SpectrumOfZerosHasOnlyItsHeading)
{
    const std::vector<double> spectrum(512, 0.0);
    QString error;
    ASSERT_TRUE(SaveSpectrumFiles(set(2), Summary, spectrum, error));
    EXPECT_EQ(readFile(day() + "Spectrum_20261208_080403_0002.txt"),
              fileBytes({QStringLiteral("Точка            Значение            Значение Макс") +
                         QString::fromStdString(fixed(0, 20))}));
    // Not the first capture: no summary.
    EXPECT_FALSE(QFile::exists(day() + "Spectrum_20261208_080403_0000.txt"));
}

TEST_F(CaptureFilesTest, SignalFileMatchesTheLayoutAndAppends)
{
    std::vector<int32_t> signal(1024);
    for (size_t i = 0; i < signal.size(); ++i)
        signal[i] = int32_t(std::lround(2000000 * std::sin(0.05 * double(i)))) - (i == 5 ? 999999999 : 0);

    QStringList lines{QStringLiteral("Заводской номер 1234"), QStringLiteral("Расстояние: 8700,1, мм"),
                      QStringLiteral("Точка Значение")};
    for (size_t i = 0; i < signal.size(); ++i)
        lines.append(QString::fromStdString(right(long(i + 1), 5) + right(signal[i], 9)));

    QString error;
    ASSERT_TRUE(SaveSignalFiles(set(1), Summary, signal, "1234", "Расстояние: 8700,1, мм", error));
    const QString data = day() + "Signal_20261208_080403_0001.txt";
    EXPECT_EQ(readFile(data), fileBytes(lines));
    // A sample wider than its column pushes the line on, it is not cut.
    EXPECT_TRUE(readFile(data).contains("    6-999505191\r\n"));

    // A data file that exists already is appended to.
    ASSERT_TRUE(SaveSignalFiles(set(1), Summary, signal, "1234", "Расстояние: 8700,1, мм", error));
    EXPECT_EQ(readFile(data), fileBytes(lines + lines));
}

TEST_F(CaptureFilesTest, NamesTakeTheDateOfTheWriteAndTheTimeOfTheStart)
{
    // A capture running past midnight: the new day's folder and date, the
    // start's time of day.
    TCaptureFileSet late = set(12345);
    late.now = QDateTime(QDate(2026, 12, 9), QTime(0, 0, 1));
    late.startTime = QDateTime(QDate(2026, 12, 8), QTime(23, 59, 58));
    QString error;
    ASSERT_TRUE(SaveSpectrumFiles(late, Summary, std::vector<double>(512, 1.0), error));
    EXPECT_TRUE(QFile::exists(DayFolder(home.file(QStringLiteral("DATA")), QDate(2026, 12, 9)) +
                              "/Spectrum_20261209_235958_12345.txt"));
    EXPECT_EQ(CaptureBaseName(QStringLiteral("Signal_"), QDate(2026, 1, 2), QTime(3, 4, 5)),
              QStringLiteral("Signal_20260102_030405_"));
}

TEST_F(CaptureFilesTest, UnwritablePlacesGiveFalseAndAText)
{
    home.writeRaw(QStringLiteral("DATA"), "not a folder");
    QString error;
    EXPECT_FALSE(SaveSpectrumFiles(set(1), Summary, std::vector<double>(512, 1.0), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось создать папку "))) << error.toStdString();

    // A data file name taken by a folder.
    QFile::remove(home.file(QStringLiteral("DATA")));
    QDir().mkpath(day() + "Signal_20261208_080403_0002.txt");
    error.clear();
    EXPECT_FALSE(SaveSignalFiles(set(2), Summary, std::vector<int32_t>(1024, 1), "1", "d", error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось записать файл "))) << error.toStdString();
}
