// The test run's protocol table: written only for a complete run, numbers
// with a decimal comma whatever the locale, a free text that holds the
// separator kept in one cell.

#include "app/text_file.h"
#include "device/test_run.h"
#include "session/procedures/test_run_protocol.h"

#include "support/temp_home.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

TEST(TestRunProtocol, CompleteRunGivesSevenColumnsAndTheGaugesIdentifiers)
{
    const QLocale previous;
    QLocale::setDefault(QLocale::c()); // a workstation with a decimal point
    Ttolm472 model;
    model.TestRun.NNZNumber = QStringLiteral("17; партия 3");
    model.TestRun.PPMNumber = QStringLiteral("П-42");
    const QDateTime at(QDate(2026, 12, 9), QTime(10, 15, 30));
    for (int n = 1; n <= 4; ++n)
        ASSERT_TRUE(CaptureTestRunPoint(model, n, model.TestRun.Points[n - 1].LevelExpected + 0.5, 12.0, at));
    EXPECT_FALSE(TestRunComplete(model));
    ASSERT_TRUE(CaptureTestRunPoint(model, 5, 4999.25, 9.3327, at.addSecs(60)));
    EXPECT_TRUE(TestRunComplete(model));

    const QStringList lines = TestRunProtocolLines(model);
    QLocale::setDefault(previous);
    ASSERT_EQ(lines.size(), 5 + 5);
    EXPECT_EQ(lines[1], QStringLiteral("№ Н/З;\"17; партия 3\""));
    EXPECT_EQ(lines[4].count(';'), 7);
    EXPECT_EQ(lines[9], QStringLiteral("5;10000;4999,250;0,750;9,33;9,33;0,000;09.12.2026 10:16:30"))
        << "a small negative error rounds to 0,000, not -0,000";

    TempHome home;
    const QString path = home.file("DATA/2026/12/09/") + TestRunProtocolBaseName(1, at) + ".csv";
    EXPECT_TRUE(path.endsWith("Progon_PN00001_20261209_101530.csv"));
    QString error;
    ASSERT_TRUE(WriteTestRunProtocolCsv(path, model, error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ToCp1251(lines.join("\r\n") + "\r\n"));

    home.writeRaw("blocked", "a file where the folder should be");
    EXPECT_FALSE(WriteTestRunProtocolCsv(home.file("blocked/p.csv"), model, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось записать протокол прогона"))) << error.toStdString();
}
