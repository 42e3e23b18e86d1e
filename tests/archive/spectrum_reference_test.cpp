// The reference spectrum file: what is written comes back unchanged, the
// newest of several days is the one found, and a damaged file is refused as
// a whole with a message that names it.

#include "archive/spectrum_reference.h"
#include "app/text_file.h"

#include "support/temp_home.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TSpectrumReference SampleReference(const QDateTime &saved)
{
    TSpectrumReference reference;
    reference.Saved = saved;
    reference.PlantNumber = 65535;
    reference.KrPer = 146.243;
    for (int i = 0; i < TSpectrumReference::Size; ++i)
        reference.Values[size_t(i)] = i == 100 ? 10000.0 : 41.0 + i / 3.0; // thirds do not end in decimals
    reference.Values[7] = -2.5e-7;
    return reference;
}

QString Save(const QString &dbPath, const TSpectrumReference &reference)
{
    QString path, error;
    EXPECT_TRUE(SaveSpectrumReference(dbPath, reference, path, error)) << error.toStdString();
    return path;
}

TEST(SpectrumReference, ComesBackAsWrittenFromTheDayFolder)
{
    TempHome home;
    const QString dbPath = home.file(QStringLiteral("DATA"));
    const TSpectrumReference written = SampleReference(QDateTime(QDate(2026, 12, 8), QTime(10, 15, 7)));
    const QString path = Save(dbPath, written);
    EXPECT_EQ(path, home.file(QStringLiteral("DATA/2026/12/08/SpectrumReference_20261208_101507.txt")));

    TSpectrumReference read;
    QString error;
    ASSERT_TRUE(LoadSpectrumReference(path, read, error)) << error.toStdString();
    EXPECT_EQ(read.Saved, written.Saved);
    EXPECT_EQ(read.PlantNumber, written.PlantNumber);
    EXPECT_EQ(read.KrPer, written.KrPer);
    EXPECT_EQ(read.Values, written.Values);

    // A text file of the workstations: Windows-1251, CR LF.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith(ToCp1251(QStringLiteral("Эталон спектра ТОЛМ472И\r\n"))));
    EXPECT_EQ(bytes.count("\r\n"), 5 + TSpectrumReference::Size);
}

TEST(SpectrumReference, TheNewestOfSeveralDaysIsFound)
{
    TempHome home;
    const QString dbPath = home.file(QStringLiteral("DATA"));
    EXPECT_EQ(NewestSpectrumReference(dbPath), QString());
    Save(dbPath, SampleReference(QDateTime(QDate(2026, 12, 8), QTime(23, 0, 0))));
    const QString newest = Save(dbPath, SampleReference(QDateTime(QDate(2026, 12, 9), QTime(8, 0, 0))));
    Save(dbPath, SampleReference(QDateTime(QDate(2026, 12, 9), QTime(7, 59, 59))));
    Save(dbPath, SampleReference(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59))));
    // A later day folder without a reference (capture files only) is passed over.
    QDir().mkpath(dbPath + QStringLiteral("/2026/12/10"));
    home.writeRaw(QStringLiteral("DATA/2026/12/10/Spectrum_20261210_101500_0001.txt"), "x");
    EXPECT_EQ(NewestSpectrumReference(dbPath), newest);
}

TEST(SpectrumReference, ADamagedFileIsRefusedWholeWithItsName)
{
    TempHome home;
    const QString dbPath = home.file(QStringLiteral("DATA"));
    const QString path = Save(dbPath, SampleReference(QDateTime(QDate(2026, 12, 8), QTime(10, 15, 7))));
    QStringList good;
    ASSERT_TRUE(ReadTextLines(path, good));

    const auto changed = [&](const std::function<void(QStringList &)> &change) {
        QStringList lines = good;
        change(lines);
        return lines;
    };
    const QList<QStringList> damaged{
        {},                                                              // empty file
        changed([](QStringList &l) { l[0] = QStringLiteral("Spectrum"); }), // not a reference
        changed([](QStringList &l) { l[1] = QStringLiteral("Записан;вчера"); }),
        changed([](QStringList &l) { l[3] = QStringLiteral("Крутизна;nan"); }),
        changed([](QStringList &l) { l.removeLast(); }),                   // cut short
        changed([](QStringList &l) { l.append(QStringLiteral("513;1")); }), // one too many
        changed([](QStringList &l) { l[200] = QStringLiteral("196;1,5"); }), // a comma is no number here
        changed([](QStringList &l) { l[200] = QStringLiteral("7;1"); }),     // out of order
        changed([](QStringList &l) { l[300] = QStringLiteral("296;inf"); }),
    };
    for (qsizetype i = 0; i < damaged.size(); ++i) {
        ASSERT_TRUE(WriteTextLines(path, damaged[i]));
        TSpectrumReference kept = SampleReference(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
        const TSpectrumReference before = kept;
        QString error;
        EXPECT_FALSE(LoadSpectrumReference(path, kept, error)) << "case " << i;
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
        EXPECT_EQ(kept.Saved, before.Saved) << "case " << i;
        EXPECT_EQ(kept.Values, before.Values) << "case " << i;
    }
    QString error;
    TSpectrumReference none;
    EXPECT_FALSE(LoadSpectrumReference(path + QStringLiteral(".missing"), none, error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SpectrumReference, AnUnwritableArchiveIsReported)
{
    TempHome home;
    home.writeRaw(QStringLiteral("DATA"), "a file where the archive folder should be");
    QString path, error;
    EXPECT_FALSE(SaveSpectrumReference(home.file(QStringLiteral("DATA")),
                                       SampleReference(QDateTime(QDate(2026, 12, 8), QTime(10, 0))), path, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось записать эталон спектра"))) << error.toStdString();
}

} // namespace
