// The status log: where its lines go, how they look byte for byte, and that
// a log that cannot be written never stops a parse.

#include "values/clock.h"
#include "device/tolm472.h"
#include "protocol/frame.h"
#include "sim/answer_builder.h"

#include <QDate>
#include <QTime>
#include <gtest/gtest.h>

#include "support/temp_home.h"

namespace {

constexpr uint8_t BlackBoxAddress = 3;

class BlackBox : public ::testing::Test
{
protected:
    BlackBox() : clock(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 250))), model(home.path())
    {
        SetClock(&clock);
        model.SetSystemAddress(BlackBoxAddress);
        model.SetErrorMax(1);
        model.BuildRequest(LevelRead);
    }
    ~BlackBox() override { SetClock(nullptr); }

    QByteArray logOf(const QString &day) const { return home.readRaw(QStringLiteral("DATA/%1/BlackBox.txt").arg(day)); }

    TManualClock clock;
    TempHome home;
    Ttolm472 model;
};

TEST_F(BlackBox, StatusNumberIsRightAlignedInTwoPlaces)
{
    model.ParseAnswer(AnswerSingleValue(BlackBoxAddress, 1, 7));
    clock.Advance(1);
    model.ParseAnswer(AnswerSingleValue(BlackBoxAddress, 1, 12));
    const QByteArray expected = QByteArray("05.03.2024 14:07:09,250  7 ")
                                + QByteArray("\xCE\xF8\xE8\xE1\xEA\xE0 \xEF\xF0\xEE\xF2\xEE\xEA\xEE\xEB\xE0 "
                                             "\xEE\xE1\xEC\xE5\xED\xE0 \xF1 \xF1\xE8\xE3\xED\xE0\xEB\xFC\xED\xFB"
                                             "\xEC \xEF\xF0\xEE\xF6\xE5\xF1\xF1\xEE\xF0\xEE\xEC\r\n")
                                + QByteArray("05.03.2024 14:07:09,251 12 ")
                                + QByteArray("\xCD\xE5\xF2 \xEE\xF6\xE5\xED\xEA\xE8 \xF4\xE0\xE7\xFB "
                                             "\xEC\xE0\xF2\xE5\xF0\xE0\xEB\xE0 (\xED\xE5 \xEA\xF0\xE8\xF2\xE8"
                                             "\xF7\xED\xE0)\r\n");
    EXPECT_EQ(logOf(QStringLiteral("2024/03/05")), expected);
}

TEST_F(BlackBox, StatusWithoutMeaningWidensTheField)
{
    model.ParseAnswer(AnswerSingleValue(BlackBoxAddress, 1, 200));
    EXPECT_EQ(logOf(QStringLiteral("2024/03/05")),
              QByteArray("05.03.2024 14:07:09,250 200 \xCD\xE5 \xE8\xE7\xE2\xE5\xF1\xF2\xED\xEE\r\n"));
}

TEST_F(BlackBox, GainAnswersAreLoggedAllReadingsAndNormalOnesAreNot)
{
    model.ParseAnswer(AnswerSingleValue(BlackBoxAddress, 1, 0));
    model.BuildRequest(LevelAllRead);
    model.ParseAnswer(AnswerAllReadings(BlackBoxAddress, {1, 2, 3, 4, 5, 6, 6}));
    EXPECT_EQ(model.LastErrorCode, 6) << "reported all the same";
    EXPECT_TRUE(logOf(QStringLiteral("2024/03/05")).isEmpty());

    model.BuildRequest(UsilRead);
    model.ParseAnswer(AnswerGain(BlackBoxAddress, 1, 10));
    EXPECT_TRUE(logOf(QStringLiteral("2024/03/05")).endsWith("(\xED\xE5 \xEA\xF0\xE8\xF2\xE8\xF7\xED\xE0)\r\n"));
}

TEST_F(BlackBox, ReadingsOnTwoDaysGoIntoTwoDayFolders)
{
    clock.Set(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59, 999)));
    model.ParseAnswer(AnswerSingleValue(BlackBoxAddress, 1, 1));
    clock.Advance(1);
    model.ParseAnswer(AnswerSingleValue(BlackBoxAddress, 1, 2));
    const QByteArray first = logOf(QStringLiteral("2023/12/31"));
    const QByteArray second = logOf(QStringLiteral("2024/01/01"));
    EXPECT_TRUE(first.startsWith("31.12.2023 23:59:59,999  1 ")) << first.constData();
    EXPECT_EQ(first.count("\r\n"), 1);
    EXPECT_TRUE(second.startsWith("01.01.2024 00:00:00,000  2 ")) << second.constData();
    EXPECT_EQ(second.count("\r\n"), 1);
}

TEST_F(BlackBox, UnwritableLogDoesNotStopTheParse)
{
    home.writeRaw(QStringLiteral("DATA"), "a file where the folder should be");
    model.SetErrorMax(2);
    model.ParseAnswer(AnswerSingleValue(BlackBoxAddress, 77.5, 9));
    EXPECT_EQ(model.LastErrorCode, 9);
    EXPECT_EQ(model.Readings.Level.AsDouble(), 77.5);
    EXPECT_EQ(home.readRaw(QStringLiteral("DATA")), QByteArray("a file where the folder should be"));
}

} // namespace
