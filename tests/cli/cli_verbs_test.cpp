// The verbs of tolm-cli run in this process against the simulated gauge
// (without line timing), in a throw-away program folder.

#include "app/ini_file.h"
#include "app/text_file.h"
#include "archive/day_folder.h"
#include "archive/day_query.h"
#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/cli_run.h"
#include "cli/cli_session.h"
#include "cli_fixture.h"
#include "protocol/frame.h"
#include "support/core_application.h"
#include "support/manual_clock.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

TEST_F(CliVerbsTest, SendShowsFramesStatusAndWhatTheAnswerSet)
{
    const CliRun r = run({"--sim", "send", "LevelAllRead", "63"});
    ASSERT_EQ(r.status, ExitOk) << r.err.join('|').toStdString();
    EXPECT_EQ(r.out.at(0), "LevelAllRead (6)");
    EXPECT_EQ(r.out.at(1), "  запрос:    " + BytesToHex(AppendCrc16(QByteArray::fromHex("FF0201"))));
    EXPECT_TRUE(r.out.at(2).startsWith("  ответ:     FF 02 19 ")) << r.out.at(2).toStdString();
    EXPECT_EQ(r.out.at(3), "  состояние: 0 Норма");
    EXPECT_EQ(r.out.at(4), "  LinkState: 1");
    for (const char *name : {"Freq", "Distance", "LevelBusy", "LevelFree", "Reserve", "Usil"})
        EXPECT_TRUE(r.out.join('\n').contains(QRegularExpression(QStringLiteral("\n  %1 = [0-9.]+\n").arg(name))))
            << name;
    EXPECT_TRUE(r.out.contains("TempRead (63)"));
    EXPECT_TRUE(r.out.contains("  TmpOfSensor = 22.0"));
    // The same exchange went to the exchange log.
    EXPECT_EQ(exchangeLog().size(), 2);
    EXPECT_TRUE(exchangeLog().first().startsWith("[FF 02 01 81 50] -> [FF 02 19 "));

    const CliRun json = run({"--sim", "--json", "send", "7"});
    ASSERT_EQ(json.out.size(), 1);
    const QJsonObject o = QJsonDocument::fromJson(json.out.first().toUtf8()).object();
    EXPECT_EQ(o["command"].toString(), "Echo");
    EXPECT_EQ(o["answer"].toString(), BytesToHex(AppendCrc16(QByteArray::fromHex("FF100355AA"))));
    EXPECT_EQ(o["statusText"].toString(), "Норма");
    EXPECT_TRUE(o["accepted"].toBool());
}

TEST_F(CliVerbsTest, SilentGaugeFailsEveryCommandAfterFiveAttempts)
{
    // The simulated gauge sits at 255; nobody answers address 7.
    const CliRun send = run({"--sim", "--address", "7", "send", "Echo"});
    EXPECT_EQ(send.status, ExitFailed);
    EXPECT_TRUE(send.out.contains("  состояние: -1 Нет ответа от устройства"));
    EXPECT_TRUE(send.out.contains("  LinkState: 2"));
    EXPECT_EQ(send.err, QStringList{"Не выполнена команда: Echo"});

    const CliRun read = run({"--sim", "--address", "7", "read", "Hmax"});
    EXPECT_EQ(read.status, ExitFailed);
    EXPECT_TRUE(read.out.isEmpty());
    EXPECT_EQ(read.err, QStringList{"Не выполнена команда: Считать Hmax из прибора"});
    const QString request = BytesToHex(AppendCrc16(QByteArray::fromHex("07B60202")));
    EXPECT_EQ(exchangeLog().mid(1), QStringList(5, "[" + request + "] -> []"));

    const CliRun write = run({"--sim", "--address", "7", "write", "Hmax", "12000"});
    EXPECT_EQ(write.status, ExitFailed);
    EXPECT_EQ(write.err, QStringList{"Не выполнена команда: Записать Hmax в прибор"});
    EXPECT_EQ(exchangeLog().size(), 1 + 5 + 5); // no store into the ПЗУ after a failed write
}

TEST_F(CliVerbsTest, DamagedAnswersAreNoSuccessEvenThoughTheGaugeAnswered)
{
    env.simFaults.rate = 1;
    env.simFaults.kinds = {TSimFault::BadCrc};
    const CliRun r = run({"--sim", "read", "KKalman"});
    EXPECT_EQ(r.status, ExitFailed);
    EXPECT_EQ(r.err, QStringList{"Не выполнена команда: Считать коэффициент сглаживания из прибора"});
    EXPECT_EQ(exchangeLog().size(), 5);
}

TEST_F(CliVerbsTest, WriteStoresIntoTheRomAndReadsBackInALaterRun)
{
    ManualClockScope clock(QDateTime::currentDateTime()); // the second the gauge gets for its ПЗУ
    const CliRun w = run({"--sim", "write", "KKalman", "0,5", "Hmax", "20000", "Lmax", "18000", "SmPer", "-12.5"});
    ASSERT_EQ(w.status, ExitOk) << w.err.join('|').toStdString();
    EXPECT_EQ(w.out, (QStringList{"KKalman := 0.5", "Hmax := 20000", "Lmax := 18000", "SmPer := -12.5"}));
    const QStringList log = exchangeLog();
    ASSERT_EQ(log.size(), 5);
    EXPECT_TRUE(log[0].startsWith("[FF B3 06 04 3F 00 00 00 "));
    EXPECT_TRUE(log[3].startsWith("[FF B3 06 01 C1 48 00 00 "));
    EXPECT_TRUE(log[4].startsWith("[FF A2 01 ")); // one store at the end

    // The simulated gauge kept its ПЗУ in the program folder.
    EXPECT_TRUE(QFile::exists(home.file("INI/SimGauge.json")));
    const CliRun r = run({"--sim", "--json", "read", "KKalman", "Hmax", "Lmax"});
    ASSERT_EQ(r.status, ExitOk);
    EXPECT_EQ(r.out, (QStringList{R"({"name":"KKalman","value":0.5})", R"({"name":"Hmax","value":20000})",
                                  R"({"name":"Lmax","value":18000})"}));
    // Alone, Lmax is above the Hmax the program knows: refused, not faked.
    const CliRun lmax = run({"--sim", "read", "Lmax"});
    EXPECT_EQ(lmax.status, ExitFailed);
    EXPECT_TRUE(lmax.out.isEmpty());
    EXPECT_EQ(lmax.err, QStringList{"Значение 18000 параметра Lmax из прибора не принято программой: вне "
                                    "допустимого диапазона (считайте и Hmax)"});

    // Without the store the gauge forgets at its next start.
    EXPECT_EQ(run({"--sim", "write", "KKalman", "0.25", "--no-store"}).status, ExitOk);
    EXPECT_EQ(run({"--sim", "read", "KKalman"}).out, QStringList{"KKalman = 0.5"});
}

TEST_F(CliVerbsTest, NewAddressGoesToTheGaugeWithThatPlantNumber)
{
    const CliRun wrong = run({"--sim", "write", "PlantNumber", "999", "SystemAddressNew", "5"});
    EXPECT_EQ(wrong.status, ExitFailed); // the gauge's plant number is 1: it stays silent
    const CliRun right = run({"--sim", "write", "PlantNumber", "1", "SystemAddressNew", "5"});
    ASSERT_EQ(right.status, ExitOk) << right.err.join('|').toStdString();
    EXPECT_EQ(right.out,
              (QStringList{"PlantNumber := 1 (только в программе, в прибор не отправлено)", "SystemAddressNew := 5"}));
    // The gauge answers from its new address; an address change is no
    // parameter of the ПЗУ, so no store follows.
    EXPECT_TRUE(exchangeLog().last().startsWith("[FF 25 05 0B 00 01 05 ")) << exchangeLog().last().toStdString();
    EXPECT_TRUE(exchangeLog().last().contains("] -> [05 25 ")) << exchangeLog().last().toStdString();
}

TEST_F(CliVerbsTest, PollArchivesOneRowAndOneLinePerPrintedReading)
{
    // A line that loses or garbles a third of the answers.
    env.simFaults.seed = 11;
    env.simFaults.rate = 0.35;
    const CliRun r = run({"--sim", "--json", "poll", "--period", "10", "--count", "12", "--codes", "6,TempRead",
                       "--lumidor"});
    // Not every pass brought its readings: said, and not done.
    ASSERT_EQ(r.status, ExitFailed) << r.err.join('|').toStdString();
    EXPECT_EQ(r.err.filter("Не принято показаний: ").size(), 1) << r.err.join('|').toStdString();

    QMap<QString, QList<double>> printed;
    for (const QString &line : r.out) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        const QJsonObject values = o["values"].toObject();
        for (auto it = values.begin(); it != values.end(); ++it)
            printed[it.key()].append(it.value().toDouble());
    }
    EXPECT_FALSE(printed.value("Freq").isEmpty());
    EXPECT_FALSE(printed.value("CurrentOutput").isEmpty());
    EXPECT_LT(printed.value("Freq").size() + printed.value("CurrentOutput").size(), 12); // some were lost
    for (const QString name : {"Freq", "Distance", "LevelBusy", "LevelFree", "Reserve", "Usil", "TmpOfSensor",
                                "CurrentOutput"}) {
        const QVector<TArchiveRow> stored = rows(name);
        QList<double> values;
        for (const TArchiveRow &row : stored)
            values.append(row.V);
        EXPECT_EQ(values, printed.value(name)) << name.toStdString();
        EXPECT_EQ(textLines(name), printed.value(name).size()) << name.toStdString();
    }
}

TEST_F(CliVerbsTest, ArchiveGivesTheDayBackAsTextOrCsv)
{
    const CliRun poll = run({"--sim", "poll", "--period", "10", "--count", "4"});
    ASSERT_EQ(poll.status, ExitOk);
    ASSERT_EQ(poll.out.size(), 4);
    const QVector<TArchiveRow> stored = rows("LevelBusy");
    ASSERT_EQ(stored.size(), 4);

    const CliRun csv = run({"archive", "LevelBusy", "--csv"});
    ASSERT_EQ(csv.status, ExitOk);
    ASSERT_EQ(csv.out.size(), 5);
    EXPECT_EQ(csv.out.first(), "DT,V");
    for (int i = 0; i < 4; ++i) {
        const QStringList fields = csv.out.at(i + 1).split(',');
        ASSERT_EQ(fields.size(), 2);
        EXPECT_EQ(QDateTime::fromString(fields[0], "yyyy-MM-dd HH:mm:ss.zzz"), stored[i].ToQDateTime());
        EXPECT_NEAR(fields[1].toDouble(), stored[i].V, 1e-9);
        // The printed reading shows the same level.
        EXPECT_TRUE(poll.out.at(i).contains(QStringLiteral(" LevelBusy=%1 ").arg(stored[i].V, 0, 'f', 1)));
    }

    const CliRun text = run({"archive", "LevelBusy", "--day", QDate::currentDate().toString("yyyy-MM-dd")});
    ASSERT_EQ(text.out.size(), 4);
    EXPECT_TRUE(text.out.first().startsWith(stored[0].ToQDateTime().toString("dd.MM.yyyy HH:mm:ss,zzz ")));

    const QString from = stored[2].ToQDateTime().toString("HH:mm:ss.zzz");
    EXPECT_EQ(run({"archive", "LevelBusy", "--from", from}).out.size(), 2);
    EXPECT_EQ(run({"archive", "LevelBusy", "--filter", "V < 0", "--csv"}).out, QStringList{"DT,V"});

    // The filter is the operator's text, but it cannot touch the data.
    const CliRun drop = run({"archive", "LevelBusy", "--filter", "1); DROP TABLE LevelBusy; --"});
    EXPECT_EQ(drop.status, ExitUsage);
    EXPECT_EQ(rows("LevelBusy").size(), 4);

    const CliRun missing = run({"archive", "LevelBusy", "--day", "2001-01-01"});
    EXPECT_EQ(missing.status, ExitFailed);
    EXPECT_EQ(missing.err.size(), 1);
}

TEST_F(CliVerbsTest, SpectrumAndSignalWriteTheirFilesIntoTheDayFolder)
{
    ManualClockScope clock(QDateTime(QDate(2026, 12, 8), QTime(14, 0, 0)));
    const CliRun s = run({"--sim", "spectrum"});
    ASSERT_EQ(s.status, ExitOk) << s.err.join('|').toStdString();
    EXPECT_EQ(s.out.first(), "Прочитано блоков: 16 из 16");
    const QString day = DayFolder(home.file("DATA"), QDate(2026, 12, 8));
    EXPECT_EQ(s.out.mid(1), (QStringList{day + "/Spectrum_20261208_140000_0000.txt",
                                         day + "/Spectrum_20261208_140000_0001.txt"}));
    // The summary names the gauge, which the tool asked for first.
    QStringList summary;
    ASSERT_TRUE(ReadTextLines(day + "/Spectrum_20261208_140000_0000.txt", summary));
    ASSERT_EQ(summary.size(), 13);
    EXPECT_TRUE(summary[4].endsWith(" 1")) << summary[4].toStdString(); // the plant number
    EXPECT_EQ(clock.clock().PausedMs(), 1000 + 16 * 200 + 1000);

    const CliRun g = run({"--sim", "--json", "signal"});
    ASSERT_EQ(g.status, ExitOk);
    const QJsonObject o = QJsonDocument::fromJson(g.out.first().toUtf8()).object();
    EXPECT_EQ(o["blocksRead"].toInt(), 32);
    QStringList data;
    ASSERT_TRUE(ReadTextLines(o["files"].toArray().at(1).toString(), data));
    EXPECT_EQ(data.size(), 3 + 1024);
    EXPECT_EQ(data[0], "Заводской номер 1");
    EXPECT_TRUE(data[1].startsWith("Расстояние: ")) << data[1].toStdString();

    const CliRun silent = run({"--sim", "--address", "9", "spectrum"});
    EXPECT_EQ(silent.status, ExitFailed);
    EXPECT_EQ(silent.err, QStringList{"Не выполнена команда: Инициализациия чтения массива спектра"});
}

TEST_F(CliVerbsTest, BackupDiffAndRestoreOfTheWholeConfiguration)
{
    ManualClockScope clock(QDateTime::currentDateTime()); // the stores' seconds
    const QString file = home.file("gauge.ini"); // a relative name is the caller's folder's
    const CliRun backup = run({"--sim", "backup", file});
    ASSERT_EQ(backup.status, ExitOk) << backup.err.join('|').toStdString();
    EXPECT_EQ(run({"--sim", "diff", file}).status, ExitOk);
    // The parameter set's own section holds the gauge's values: the program
    // loads the file as this gauge's.
    const TIniFile ini(file);
    EXPECT_EQ(ini.ReadFloat("Tolm471", "Hmax", -1), ini.ReadString("Tolm471Backup", "Hmax", "").toDouble());

    ASSERT_EQ(run({"--sim", "write", "KKalman", "0.25", "MUP", "41"}).status, ExitOk);
    const CliRun diff = run({"--sim", "diff", file});
    EXPECT_EQ(diff.status, ExitFailed);
    ASSERT_EQ(diff.out.size(), 2) << diff.out.join('|').toStdString();
    EXPECT_TRUE(diff.out[0].startsWith("KKalman ") && diff.out[0].endsWith(" 0.25")) << diff.out[0].toStdString();
    EXPECT_TRUE(diff.out[1].startsWith("MUP ") && diff.out[1].endsWith(" 41")) << diff.out[1].toStdString();
    const CliRun json = run({"--sim", "--json", "diff", file});
    EXPECT_EQ(QJsonDocument::fromJson(json.out.value(1).toUtf8()).object().value("gauge").toInt(), 41);

    const CliRun dry = run({"--sim", "restore", file, "--dry-run"});
    EXPECT_EQ(dry.status, ExitOk);
    EXPECT_EQ(dry.out, diff.out);
    EXPECT_EQ(run({"--sim", "diff", file}).status, ExitFailed) << "a dry run writes nothing";

    const CliRun restore = run({"--sim", "restore", file});
    ASSERT_EQ(restore.status, ExitOk) << restore.err.join('|').toStdString();
    EXPECT_EQ(run({"--sim", "diff", file}).status, ExitOk) << "kept over the gauge's restart: stored";

    // A file that is not a backup is a usage error, and nothing is sent.
    home.writeRaw("plain.ini", "[Tolm471]\r\nHmax=1\r\n");
    const CliRun plain = run({"--sim", "restore", home.file("plain.ini")});
    EXPECT_EQ(plain.status, ExitUsage);
    EXPECT_TRUE(plain.err.value(0).contains("нет раздела [Tolm471Backup]")) << plain.err.join('|').toStdString();
}

namespace {

// unzip's exit status and standard output.
std::pair<int, QByteArray> unzip(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput()};
}

} // namespace

TEST_F(CliVerbsTest, BundleKeepsWhatAServiceCentreAsksForByteForByte)
{
    ASSERT_EQ(run({"--sim", "poll", "--period", "10", "--count", "3"}).status, ExitOk);
    ASSERT_EQ(run({"--sim", "spectrum"}).status, ExitOk);
    ASSERT_EQ(run({"--sim", "signal"}).status, ExitOk);
    const QString zip = home.file("bundle.zip");
    const CliRun bundle = run({"--sim", "bundle", zip});
    ASSERT_EQ(bundle.status, ExitOk) << bundle.err.join('|').toStdString();

    EXPECT_EQ(unzip({"-tq", zip}).first, 0);
    const QStringList names = QString::fromUtf8(unzip({"-Z1", zip}).second).split('\n', Qt::SkipEmptyParts);
    const QDate today = QDate::currentDate();
    const QString day = today.toString("yyyy/MM/dd/");
    const QString log = "rd" + today.toString("yyMMdd") + ".txt";
    for (const QString &name : {QString("README.txt"), "PN00001-" + today.toString("yyyyMMdd") + ".ini",
                                QString("INI/ComPort.ini"), log, "archive/" + day + "LevelBusy.txt"})
        EXPECT_TRUE(names.contains(name)) << name.toStdString() << " not in " << names.join(' ').toStdString();
    for (const QString prefix : {"Spectrum_", "Signal_"}) {
        const QStringList captures = names.filter("archive/" + day + prefix);
        ASSERT_EQ(captures.size(), 1) << "the newest data file only: " << captures.join(' ').toStdString();
        EXPECT_TRUE(captures.first().endsWith("_0001.txt"));
    }

    // The files keep their bytes: the exchange log as it is on disk (nothing
    // was exchanged after the bundle read it), the archive's text file.
    QFile onDisk(home.file(log));
    ASSERT_TRUE(onDisk.open(QIODevice::ReadOnly));
    EXPECT_EQ(unzip({"-p", zip, log}).second, onDisk.readAll());
    QFile text(DayFolder(home.file("DATA"), today) + "/LevelBusy.txt");
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(unzip({"-p", zip, "archive/" + day + "LevelBusy.txt"}).second, text.readAll());

    const QByteArray readme = unzip({"-p", zip, "README.txt"}).second;
    EXPECT_TRUE(readme.contains("\r\n") && !readme.contains("\n\n")) << "CR LF line ends";
    EXPECT_TRUE(FromCp1251(readme).contains("Заводской номер: 1\r\n")) << FromCp1251(readme).toStdString();

    // A gauge that does not answer still gets its bundle, which says so; a
    // folder that does not exist gets a clear error and no file.
    const CliRun silent = run({"--sim", "--address", "9", "bundle", zip});
    EXPECT_EQ(silent.status, ExitOk);
    EXPECT_TRUE(FromCp1251(unzip({"-p", zip, "README.txt"}).second).contains("прибор не ответил"));
    const CliRun nowhere = run({"--sim", "bundle", home.file("no/such/folder/b.zip")});
    EXPECT_EQ(nowhere.status, ExitFailed);
    EXPECT_TRUE(nowhere.err.value(0).startsWith("Не удалось записать архив")) << nowhere.err.join('|').toStdString();
}

TEST_F(CliVerbsTest, ScanListsTheGaugesOfTheLineInAddressOrder)
{
    home.writeRaw("INI/ComPort.ini", "[Tolm]\r\nReadInterval=10\r\nReadTotalConstant=30\r\nReadTotalMultiplier=0\r\n"
                                     "[Sim]\r\nGauges=3\r\n");
    const CliRun r = run({"--sim", "scan", "--to", "5"});
    ASSERT_EQ(r.status, ExitOk) << r.err.join('|').toStdString();
    EXPECT_EQ(r.out, (QStringList{"1 1001 11 1 2", "2 1002 11 1 2", "3 1003 11 1 2"}));

    const CliRun json = run({"--sim", "--json", "scan", "--from", "2", "--to", "3"});
    ASSERT_EQ(json.out.size(), 1);
    const QJsonArray gauges = QJsonDocument::fromJson(json.out.first().toUtf8()).array();
    ASSERT_EQ(gauges.size(), 2);
    EXPECT_EQ(gauges[0].toObject()["address"].toInt(), 2);
    EXPECT_EQ(gauges[1].toObject()["plant"].toInt(), 1003);
    EXPECT_EQ(gauges[1].toObject()["type"].toInt(), 11);

    EXPECT_EQ(run({"--sim", "scan", "--from", "10", "--to", "12"}).status, ExitFailed) << "nobody there";
    EXPECT_EQ(run({"--sim", "scan", "--from", "9", "--to", "3"}).status, ExitUsage);
}

TEST_F(CliVerbsTest, PollOfSeveralGaugesNamesEachAddressAndArchivesEachUnderItsPlantNumber)
{
    home.writeRaw("INI/ComPort.ini", "[Tolm]\r\nReadInterval=10\r\nReadTotalConstant=30\r\nReadTotalMultiplier=0\r\n"
                                     "[Sim]\r\nGauges=3\r\n");
    const CliRun r = run({"--sim", "poll", "--period", "10", "--count", "2", "--addresses", "3,1"});
    ASSERT_EQ(r.status, ExitOk) << r.err.join('|').toStdString();
    QStringList addresses;
    for (const QString &line : r.out)
        addresses.append(line.section(' ', 2, 2));
    EXPECT_EQ(addresses, (QStringList{"1", "3", "1", "3"}));

    const CliRun first = run({"archive", "LevelBusy", "--gauge", "PN01001"});
    EXPECT_EQ(first.status, ExitOk) << first.err.join('|').toStdString();
    EXPECT_EQ(first.out.size(), 2);
    EXPECT_EQ(run({"archive", "LevelBusy", "--gauge", "PN01003"}).out.size(), 2);
    EXPECT_EQ(run({"archive", "LevelBusy", "--gauge", "PN01002"}).status, ExitFailed) << "never polled";
    EXPECT_EQ(run({"archive", "LevelBusy", "--gauge", "../INI"}).status, ExitUsage);
    EXPECT_EQ(run({"--sim", "poll", "--addresses", "0,300"}).status, ExitUsage);
}
