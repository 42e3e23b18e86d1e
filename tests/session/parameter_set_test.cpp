#include "session/procedures/parameter_set.h"

#include "device/tolm472.h"

#include "support/core_application.h"
#include "support/manual_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <gtest/gtest.h>

#include <array>

namespace {

// A program folder, the gauge model as the program sets it up, the operator
// and 8 December 2026 on the clock; the locale is the workstations'
// (decimal comma).
class ParameterSetTest : public ::testing::Test
{
protected:
    ParameterSetTest()
        : clock(QDateTime(QDate(2026, 12, 8), QTime(16, 30)))
    {
        EnsureCoreApplication();
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        model.Name = QStringLiteral("Tolm471");
    }
    ~ParameterSetTest() override { QLocale::setDefault(m_previousLocale); }

    QString today(const QString &folder, const QString &plantNumber) const
    {
        return home.file(folder + QStringLiteral("/PN") + plantNumber + QStringLiteral("-20261208.ini"));
    }
    // The file's lines as the program reads them (Windows-1251, CR LF).
    QStringList lines(const QString &path) const
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = f.readAll();
        EXPECT_FALSE(bytes.contains("\n") && !bytes.contains("\r\n")) << "CR LF line ends";
        return QString::fromLatin1(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    // A parameter-set file below the program folder, chosen in the dialog.
    void choose(const QString &name, const QByteArray &content)
    {
        home.writeRaw(name, content);
        op.Answer(home.file(name));
    }

    const QLocale m_previousLocale;
    TScriptedOperator op;
    ManualClockScope clock;
    TempHome home;
    Ttolm472 model{home.path()};
};

// The six values of a test-run point that the file holds.
std::array<double, 6> savedValues(const TProgonPoint &p)
{
    return {p.LevelExpected, p.LevelMeasured, p.LevelError, p.CurrentExpected, p.CurrentMeasured, p.CurrentError};
}

const QString NoPlantNumber = QStringLiteral("Не указан заводской номер! Записать все равно?");

} // namespace

TEST(ParameterSetNames, FolderPerGaugeTypeAndFileNamePerPlantNumberAndDay)
{
    EXPECT_EQ(ParameterSetFolderName(11), QStringLiteral("471"));
    EXPECT_EQ(ParameterSetFolderName(12), QStringLiteral("472"));
    EXPECT_EQ(ParameterSetFolderName(13), QStringLiteral("47x"));
    EXPECT_EQ(ParameterSetFolderName(0), QStringLiteral("47x"));
    EXPECT_EQ(ParameterSetFileName(123, QDate(2026, 12, 8)), QStringLiteral("PN00123-20261208.ini"));
    EXPECT_EQ(ParameterSetFileName(65535, QDate(2027, 1, 31)), QStringLiteral("PN65535-20270131.ini"));
}

TEST_F(ParameterSetTest, SavesEveryKeyInOrderWithTheLocalesDecimalComma)
{
    model.Config.SetPlantNumber(123);
    model.SetSystemAddress(7);
    model.SetEnabled(false);
    model.TestRun.NNZNumber = QStringLiteral("17");
    model.Config.SetHmax(20000.5);
    model.Config.SetLmax(19000);
    model.Config.SetKKalman(0.25);
    model.Config.SetKrPer(146.243);
    model.Config.SetSmPer(-2.5);
    model.TestRun.Points[0] = {2000, 13000, 12999.5, 0.5, 14.9466666666667, 14.95, -0.00333333, {}};

    ASSERT_TRUE(SaveParameterSet(model, op, home.path()));

    EXPECT_TRUE(op.Calls.isEmpty()) << "no question for a known gauge and a new file";
    const QStringList written = lines(today(QStringLiteral("471"), QStringLiteral("00123")));
    ASSERT_EQ(written.size(), 10 + 5 * 7);
    EXPECT_EQ(written.mid(0, 17),
              (QStringList{"[Tolm471]", "Enabled=0", "SystemAddress=7", "PlantNumber=123", "NNZ=17", "Hmax=20000,5",
                           "Lmax=19000", "KKalman=0,25", "KrPer=146,243", "SmPer=-2,5", "[Tolm471CurrentOutput1]",
                           "Sample=13000", "Value=12999,5", "dValue=0,5", "CurrentSample=14,9466666666667",
                           "CurrentValue=14,95", "dCurrentValue=-0,00333333"}));
    for (int point = 2; point <= 5; ++point)
        EXPECT_EQ(written[10 + 7 * (point - 1)], QStringLiteral("[Tolm471CurrentOutput%1]").arg(point));
}

TEST_F(ParameterSetTest, PlantNumberZeroIsSavedOnlyAfterYes)
{
    op.Answer(false);
    EXPECT_FALSE(SaveParameterSet(model, op, home.path()));
    const QList<TOperatorCall> asked = op.CallsOf(QStringLiteral("AskYesNo"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].Caption, QStringLiteral("Внимание"));
    EXPECT_EQ(asked[0].Text, NoPlantNumber);
    EXPECT_EQ(asked[0].Args, (QVariantList{int(TMessageIcon::Question), false}));
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("471"))));

    op.Answer(true);
    EXPECT_TRUE(SaveParameterSet(model, op, home.path()));
    EXPECT_TRUE(QFileInfo::exists(today(QStringLiteral("471"), QStringLiteral("00000"))));
}

TEST_F(ParameterSetTest, ASecondSaveOfTheDayAsksAndKeepsWhatWasAddedByHand)
{
    model.Config.SetPlantNumber(5);
    model.Identity.ProgramType = 12;
    ASSERT_TRUE(SaveParameterSet(model, op, home.path()));
    const QString path = today(QStringLiteral("472"), QStringLiteral("00005"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("[Tolm471]\r\nRemark=checked\r\n[Bench]\r\nTable=3\r\n");
    file.close();
    // A hand-written key inside the program's own section, too.
    const QByteArray byHand = home.readRaw(QStringLiteral("472/PN00005-20261208.ini"))
                                  .replace("Hmax=15000\r\n", "Hmax=15000\r\nWho=bench\r\n");
    home.writeRaw(QStringLiteral("472/PN00005-20261208.ini"), byHand);

    model.Config.SetHmax(25000);
    op.Answer(false);
    EXPECT_FALSE(SaveParameterSet(model, op, home.path()));
    const QList<TOperatorCall> asked = op.CallsOf(QStringLiteral("AskYesNo"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].Text, QStringLiteral("Заменить существующий файл \r") + QDir::toNativeSeparators(path)
                                 + QStringLiteral(" ?"));
    EXPECT_EQ(asked[0].Args, (QVariantList{int(TMessageIcon::Warning), true})) << "Yes is the default";
    EXPECT_EQ(home.readRaw(QStringLiteral("472/PN00005-20261208.ini")), byHand);

    op.Answer(true);
    EXPECT_TRUE(SaveParameterSet(model, op, home.path()));
    const QStringList written = lines(path);
    EXPECT_TRUE(written.contains(QStringLiteral("Hmax=25000")));
    EXPECT_FALSE(written.contains(QStringLiteral("Hmax=15000")));
    for (const char *kept : {"Who=bench", "Remark=checked", "[Bench]", "Table=3"})
        EXPECT_TRUE(written.contains(QString::fromLatin1(kept))) << kept;
}

TEST_F(ParameterSetTest, AnUnknownGaugeTypeIsSavedTo47xAfterTheQuestionAndNeverLoaded)
{
    model.Config.SetPlantNumber(9);
    model.Identity.ProgramType = 13;
    const QString folder = QDir::toNativeSeparators(home.file(QStringLiteral("47x")) + QLatin1Char('/'));

    op.Answer(false);
    EXPECT_FALSE(SaveParameterSet(model, op, home.path()));
    ASSERT_EQ(op.CallsOf(QStringLiteral("AskYesNo")).size(), 1);
    EXPECT_EQ(op.Calls[0].Text, QStringLiteral("Не указан Тип прибора!\rЗаписать в папку ") + folder + QLatin1Char('?'));
    EXPECT_EQ(op.Calls[0].Args, (QVariantList{int(TMessageIcon::Question), false}));
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("47x"))));

    op.Answer(true);
    EXPECT_TRUE(SaveParameterSet(model, op, home.path()));
    EXPECT_TRUE(QFileInfo::exists(today(QStringLiteral("47x"), QStringLiteral("00009"))));

    op.Calls.clear();
    model.Config.SetHmax(1000);
    EXPECT_FALSE(LoadParameterSet(model, op, home.path()));
    EXPECT_TRUE(op.Calls.isEmpty()) << "no file dialog";
    EXPECT_EQ(model.Config.Hmax(), 1000);
}

TEST_F(ParameterSetTest, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten)
{
    model.Config.SetPlantNumber(3);
    home.writeRaw(QStringLiteral("471"), "not a folder");
    EXPECT_FALSE(SaveParameterSet(model, op, home.path()));
    const QList<TOperatorCall> shown = op.CallsOf(QStringLiteral("ShowMessage"));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].Args.first().toInt(), int(TMessageIcon::Error));
    EXPECT_EQ(home.readRaw(QStringLiteral("471")), QByteArray("not a folder"));
}

TEST_F(ParameterSetTest, SaveThenLoadGivesTheSameValuesBack)
{
    model.Config.SetPlantNumber(321);
    model.SetSystemAddress(12);
    model.TestRun.NNZNumber = QStringLiteral("Н/З 44-б");
    model.Config.SetHmax(18000.75);
    model.Config.SetLmax(17000.25);
    model.Config.SetKKalman(0.3);
    model.Config.SetKrPer(146.243);
    model.Config.SetSmPer(-0.001);
    for (int p = 0; p < 5; ++p)
        model.TestRun.Points[p] = {1.0 * p, 2.5 + p, 3.25 + p, 4.125 + p, 5.0625 + p, 6.5 + p, -7.75 - p, {}};
    ASSERT_TRUE(SaveParameterSet(model, op, home.path()));
    const QString path = today(QStringLiteral("471"), QStringLiteral("00321"));
    EXPECT_TRUE(home.readRaw(QStringLiteral("471/PN00321-20261208.ini")).contains("NNZ=\xCD/\xC7 44-\xE1"))
        << "Windows-1251";

    Ttolm472 loaded(home.path());
    loaded.Name = model.Name;
    op.Answer(path);
    ASSERT_TRUE(LoadParameterSet(loaded, op, home.path()));

    const TOperatorCall dialog = op.CallsOf(QStringLiteral("OpenFileName")).first();
    EXPECT_EQ(dialog.Text, QStringLiteral("Параметры приборов (*.ini)"));
    EXPECT_EQ(dialog.Args, (QVariantList{QStringLiteral("ini"),
                                         QDir::toNativeSeparators(home.file(QStringLiteral("471")) + QLatin1Char('/'))}));
    EXPECT_EQ(loaded.Config.PlantNumber(), 321);
    EXPECT_EQ(loaded.SystemAddress(), 12);
    EXPECT_EQ(loaded.TestRun.NNZNumber, model.TestRun.NNZNumber);
    EXPECT_EQ(loaded.Config.Hmax(), 18000.75);
    EXPECT_EQ(loaded.Config.Lmax(), 17000.25);
    EXPECT_EQ(loaded.Config.KKalman(), 0.3);
    EXPECT_EQ(loaded.Config.KrPer(), 146.243);
    EXPECT_EQ(loaded.Config.SmPer(), -0.001);
    for (int p = 0; p < 5; ++p)
        EXPECT_EQ(savedValues(loaded.TestRun.Points[p]), savedValues(model.TestRun.Points[p])) << p;
}

TEST_F(ParameterSetTest, AnEmptySectionLoadsTheDefaults)
{
    model.SetEnabled(false);
    model.SetSystemAddress(5);
    model.Config.SetPlantNumber(6);
    model.TestRun.NNZNumber = QStringLiteral("x");
    model.Config.SetHmax(10000);
    model.Config.SetLmax(9000);
    model.Config.SetKKalman(0.5);
    model.Config.SetKrPer(2);
    model.Config.SetSmPer(3);
    for (TProgonPoint &point : model.TestRun.Points)
        point = {1, 2, 3, 4, 5, 6, 7, {}};

    choose(QStringLiteral("471/empty.ini"), "[Tolm471]\r\n");
    ASSERT_TRUE(LoadParameterSet(model, op, home.path()));

    EXPECT_TRUE(model.Enabled());
    EXPECT_EQ(model.SystemAddress(), 255);
    EXPECT_EQ(model.Config.PlantNumber(), 65535);
    EXPECT_TRUE(model.TestRun.NNZNumber.isEmpty());
    EXPECT_EQ(model.Config.Hmax(), 30000);
    EXPECT_EQ(model.Config.Lmax(), 30000) << "the new Hmax is in force when Lmax is set";
    EXPECT_EQ(model.Config.KKalman(), 1);
    EXPECT_EQ(model.Config.KrPer(), 0);
    EXPECT_EQ(model.Config.SmPer(), 0);
    for (const TProgonPoint &point : model.TestRun.Points) {
        EXPECT_EQ(savedValues(point), (std::array<double, 6>{}));
        EXPECT_EQ(point.Tape, 1) << "the distance of a point is not part of the file";
    }
}

TEST_F(ParameterSetTest, IntegersKeepTheirLowBitsAndHexIsRead)
{
    choose(QStringLiteral("471/wide.ini"), "[Tolm471]\r\nSystemAddress=300\r\nPlantNumber=70000\r\n");
    ASSERT_TRUE(LoadParameterSet(model, op, home.path()));
    EXPECT_EQ(model.SystemAddress(), 44);
    EXPECT_EQ(model.Config.PlantNumber(), 4464);

    choose(QStringLiteral("471/hex.ini"), "[Tolm471]\r\nSystemAddress=0x1F\r\nPlantNumber=0x1234\r\nEnabled=7\r\n");
    ASSERT_TRUE(LoadParameterSet(model, op, home.path()));
    EXPECT_EQ(model.SystemAddress(), 0x1F);
    EXPECT_EQ(model.Config.PlantNumber(), 0x1234);
    EXPECT_TRUE(model.Enabled());
}

TEST_F(ParameterSetTest, RefusedAndUnreadableValues)
{
    model.Config.SetHmax(15000);
    model.Config.SetLmax(15000);
    model.Config.SetKKalman(0.5);
    // Lmax above the loaded Hmax and a smoothing of 0 are refused by the
    // setters; a value that does not parse gives the default; a point also
    // takes the locale's comma.
    choose(QStringLiteral("471/odd.ini"), "[Tolm471]\r\nEnabled=yes\r\nHmax=10000\r\nLmax=12000\r\nKKalman=0\r\n"
                                          "KrPer=abc\r\nSmPer=1.5\r\n[Tolm471CurrentOutput2]\r\nValue=2,5\r\n");
    ASSERT_TRUE(LoadParameterSet(model, op, home.path()));
    EXPECT_TRUE(model.Enabled());
    EXPECT_EQ(model.Config.Hmax(), 10000);
    EXPECT_EQ(model.Config.Lmax(), 15000);
    EXPECT_EQ(model.Config.KKalman(), 0.5);
    EXPECT_EQ(model.Config.KrPer(), 0);
    EXPECT_EQ(model.Config.SmPer(), 1.5);
    EXPECT_EQ(model.TestRun.Points[1].LevelMeasured, 2.5);

    choose(QStringLiteral("471/negative.ini"), "[Tolm471]\r\nHmax=-1\r\nLmax=8000\r\nEnabled=0\r\n");
    ASSERT_TRUE(LoadParameterSet(model, op, home.path()));
    EXPECT_EQ(model.Config.Hmax(), 10000);
    EXPECT_EQ(model.Config.Lmax(), 8000);
    EXPECT_FALSE(model.Enabled());
}

TEST_F(ParameterSetTest, CancelOrAFileThatCannotBeReadChangesNothing)
{
    model.Config.SetHmax(12345);
    op.Answer(QString());
    EXPECT_FALSE(LoadParameterSet(model, op, home.path()));
    EXPECT_TRUE(op.CallsOf(QStringLiteral("ShowMessage")).isEmpty());

    op.Answer(home.file(QStringLiteral("471/gone.ini")));
    EXPECT_FALSE(LoadParameterSet(model, op, home.path()));
    const QList<TOperatorCall> shown = op.CallsOf(QStringLiteral("ShowMessage"));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].Args.first().toInt(), int(TMessageIcon::Error));
    EXPECT_EQ(model.Config.Hmax(), 12345);
    EXPECT_EQ(model.SystemAddress(), 255);
}
