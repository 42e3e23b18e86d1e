#include "support/exchange_code.h"
#include "values/clock.h"
#include "device/tolm472.h"
#include "protocol/frame.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/gauge_session.h"
#include "sim/answer_builder.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include "scripted_line.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "support/bytes.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {


// One cycle on a scripted line in a temporary program folder, with the
// exchange log in that folder (the log is named without a folder and lands
// in the current directory).
class RequestCycleTest : public ::testing::Test
{
protected:
    RequestCycleTest() : model(home.path()), cycle(model, line, home.path())
    {
        EnsureCoreApplication();
        model.SetErrorMax(1);
        ConnectModel(cycle, model, uiContext);
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(home.path());
    }
    ~RequestCycleTest() override
    {
        DisconnectModel(cycle, model);
        QDir::setCurrent(m_oldDir);
    }

    int exchange(int code) { return ExchangeCode(cycle, model, code); }
    int exchangeMeter()
    {
        const TGaugeAnswer a = cycle.ExchangeLumidor();
        return a.Sent && !a.Answer.isEmpty() ? 0 : -1;
    }

    QStringList logLines() const
    {
        QFile f(home.file(cycle.ExchangeLogFileName()));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (QString &l : lines)
            l = l.mid(24); // after "dd.mm.yyyy hh:nn:ss,zzz "
        return lines;
    }
    QList<uint8_t> functionsSent() const
    {
        QList<uint8_t> out;
        for (const auto &s : line.sent())
            out.append(s.mode == TTransmitMode::NoParity ? 0 : uint8_t(s.frame.at(1)));
        return out;
    }

    TempHome home;
    QObject uiContext;
    Ttolm472 model;
    ScriptedLine line;
    TRequestCycle cycle;

private:
    QString m_oldDir;
};

} // namespace

TEST_F(RequestCycleTest, DevicesAreTakenInTurnAndOnlyWhenEnabled)
{
    // Fresh list: the gauge enabled (copied from the model), the meter not.
    EXPECT_TRUE(cycle.Device(0).Enabled);
    EXPECT_FALSE(cycle.Device(1).Enabled);
    EXPECT_EQ(cycle.Device(1).Name, QStringLiteral("ЛЮМИДОР-906"));

    cycle.SetPolled(LevelAllRead, true);
    cycle.SetDeviceEnabled(1, true);
    for (int i = 0; i < 4; ++i)
        cycle.DoRequest();
    // Gauge, meter, gauge, meter: the cursor starts after the entry polled last.
    const QList<uint8_t> both = functionsSent();
    ASSERT_EQ(both.size(), 4);
    EXPECT_EQ(both[0] == 0, !(both[1] == 0));
    EXPECT_NE(both[0], both[1]);
    EXPECT_EQ(both[0], both[2]);
    EXPECT_EQ(both[1], both[3]);

    line.clearSent();
    cycle.SetDeviceEnabled(0, false);
    for (int i = 0; i < 3; ++i)
        cycle.DoRequest();
    EXPECT_EQ(functionsSent(), (QList<uint8_t>{0, 0, 0}));
    EXPECT_EQ(line.sent().at(0).section, QStringLiteral("Lumidor"));

    line.clearSent();
    cycle.SetDeviceEnabled(1, false);
    EXPECT_FALSE(cycle.AnyDeviceEnabled());
    EXPECT_EQ(cycle.NextDevice(), -1);
    cycle.DoRequest();
    EXPECT_TRUE(line.sent().isEmpty());
}

TEST_F(RequestCycleTest, PollSetGoesOutInAscendingOrderWithout103)
{
    for (int code : {int(TempRead), int(LevelAllRead), 103, int(LevelRead)})
        cycle.SetPolled(code, true);
    cycle.DoRequest();
    ASSERT_EQ(line.sent().size(), 3);
    EXPECT_EQ(line.sent()[0].frame.left(4), bytes({0xFF, 0x01, 0x02, 0x02}));
    EXPECT_EQ(line.sent()[1].frame.left(3), bytes({0xFF, 0x02, 0x01}));
    EXPECT_EQ(line.sent()[2].frame.left(4), bytes({0xFF, 0xB4, 0x02, 0x14}));
    for (const auto &s : line.sent()) {
        EXPECT_EQ(s.mode, TTransmitMode::Addressed);
        EXPECT_EQ(s.section, QStringLiteral("Tolm"));
        EXPECT_TRUE(CheckCrc16(s.frame));
    }
}

TEST_F(RequestCycleTest, ModbusModeSendsFramesInOnePiece)
{
    cycle.ModbusMode = true;
    EXPECT_EQ(exchange(Echo), 0);
    EXPECT_EQ(line.sent().at(0).mode, TTransmitMode::Plain);
}

TEST_F(RequestCycleTest, ResultFollowsTheShapeOfTheAnswerAndEveryGaugeExchangeIsLogged)
{
    model.SetSystemAddress(1);
    line.setScript([](TTransmitMode, const QByteArray &) { return QByteArray(); });
    EXPECT_EQ(exchange(Echo), -1);
    EXPECT_EQ(model.LastErrorCode, -1);

    // A correct error answer fails the exchange...
    line.setScript([](TTransmitMode, const QByteArray &) { return AnswerError(1, 2); });
    EXPECT_EQ(exchange(Echo), -1);
    EXPECT_EQ(model.LastErrorCode, -6);
    // ...an answer with a wrong CRC does not (the parser reports it).
    line.setScript([](TTransmitMode, const QByteArray &) {
        QByteArray a = AnswerEcho(1);
        a[a.size() - 1] = char(a.at(a.size() - 1) ^ 0x01);
        return a;
    });
    EXPECT_EQ(exchange(Echo), 0);
    EXPECT_EQ(model.LastErrorCode, -4);

    // A code that is no command sends nothing and writes no line.
    EXPECT_EQ(exchange(101), -1);
    EXPECT_EQ(line.sent().size(), 3);

    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("[01 10 03 AA 55 53 9F] -> []"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("[01 10 03 AA 55 53 9F] -> [01 FA ")));

    cycle.LogRadix = 10;
    line.setScript([](TTransmitMode, const QByteArray &) { return QByteArray(); });
    exchange(Echo);
    EXPECT_EQ(logLines().last(), QStringLiteral("[001 016 003 170 085 083 159] -> []"));
}

TEST_F(RequestCycleTest, SilentMeterLeavesNoLogLine)
{
    line.setScript([](TTransmitMode, const QByteArray &) { return QByteArray(); });
    EXPECT_EQ(exchangeMeter(), -1);
    EXPECT_TRUE(logLines().isEmpty());

    line.setScript([](TTransmitMode, const QByteArray &) { return AnswerMeterCurrent(12.5); });
    EXPECT_EQ(exchangeMeter(), 0);
    EXPECT_DOUBLE_EQ(model.Readings.CurrentOutput.AsDouble(), 12.5);
    EXPECT_EQ(line.sent().last().frame, bytes({0x01, 0x00, 0x01, 0x00, 0xA0}));
    ASSERT_EQ(logLines().size(), 1);
    EXPECT_TRUE(logLines()[0].startsWith(QStringLiteral("[01 00 01 00 A0] -> [")));
}

// The meter is a device of its own: its silence counts against it, never
// against the gauge's link.
TEST_F(RequestCycleTest, ASilentMeterLeavesTheGaugesLinkAlone)
{
    cycle.SetPolled(LevelAllRead, true);
    cycle.SetDeviceEnabled(1, true);
    line.setScript([this](TTransmitMode mode, const QByteArray &frame) {
        return mode == TTransmitMode::NoParity ? QByteArray() : line.sim().answer(frame, false).bytes();
    });
    for (int i = 0; i < 4; ++i)
        cycle.DoRequest();
    EXPECT_EQ(model.LinkState.AsInt(), 1);
    EXPECT_EQ(model.ErrorCount, 0);
    EXPECT_EQ(model.LastErrorCode, 0);
}

TEST_F(RequestCycleTest, AcceptedReadingsGoOutFailuresDoNot)
{
    QList<int> codes;
    QStringList names;
    cycle.SetReadingOutlet([&](const TReading &reading) {
        codes.append(reading.code);
        for (const auto &v : reading.values)
            names.append(v.name);
    });
    cycle.SetPolled(LevelAllRead, true);
    cycle.SetPolled(TempRead, true);
    cycle.DoRequest();
    EXPECT_EQ(codes, (QList<int>{LevelAllRead, TempRead}));
    EXPECT_EQ(names, (QStringList{"Freq", "Distance", "LevelBusy", "LevelFree", "Reserve", "Usil", "TmpOfSensor"}));

    // A gauge that stops answering: LinkState 2, no reading.
    line.setScript([](TTransmitMode, const QByteArray &) { return QByteArray(); });
    cycle.DoRequest();
    EXPECT_EQ(codes.size(), 2);

    // The meter's reading goes out under 101.
    line.setScript([](TTransmitMode, const QByteArray &) { return AnswerMeterCurrent(4.0); });
    cycle.SetDeviceEnabled(0, false);
    cycle.SetDeviceEnabled(1, true);
    cycle.DoRequest();
    EXPECT_EQ(codes.last(), int(CurrentOutputReading));
    EXPECT_EQ(names.last(), QStringLiteral("CurrentOutput"));
}

// The pass builds its request, then an operator command builds and parses
// its own before the pass's answer is parsed: the pass's answer must still
// be read with the pass's request context.
TEST_F(RequestCycleTest, PolledAnswerIsParsedWithItsOwnRequestContext)
{
    TRequestThread thread(cycle);
    thread.start();
    std::atomic<bool> operatorDone{false};
    line.setScript([&](TTransmitMode, const QByteArray &frame) {
        const uint8_t selector = uint8_t(frame.at(3));
        if (QThread::currentThread() == &thread) {
            // While the pass holds the line, the operator asks for the level.
            QMetaObject::invokeMethod(&uiContext, [&] {
                exchange(LevelRead);
                operatorDone = true;
            });
            QThread::msleep(50);
        }
        return AnswerSingleValue(0xFF, selector == 1 ? 1111.0 : 2222.0, 0);
    });
    cycle.SetPolled(DistanceRead, true);
    thread.Resume();
    QElapsedTimer t;
    t.start();
    while ((thread.InPass() || !operatorDone) && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(operatorDone);
    QCoreApplication::sendPostedEvents(); // the pass's answer reaches the model
    EXPECT_EQ(model.Readings.Distance.AsDouble(), 1111.0);
    EXPECT_EQ(model.Readings.Level.AsDouble(), 2222.0);
}

// Operator commands in the user-interface thread and polling passes in the
// request thread share the line for a while: no deadlock, both make progress.
TEST_F(RequestCycleTest, OperatorCommandsAndPollingRunTogetherWithoutDeadlock)
{
    line.setScript([this](TTransmitMode mode, const QByteArray &frame) {
        QThread::usleep(300);
        return line.sim().answer(frame, mode == TTransmitMode::NoParity).bytes();
    });
    TRequestThread thread(cycle);
    cycle.SetPolled(LevelAllRead, true);
    cycle.SetPolled(TempRead, true);
    cycle.SetDeviceEnabled(1, true);
    thread.start();
    int operatorExchanges = 0;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 1500) {
        thread.Resume();
        EXPECT_EQ(exchange(HmaxRead), 0);
        ++operatorExchanges;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    thread.Terminate();
    EXPECT_GT(operatorExchanges, 50);
    EXPECT_GT(thread.Passes(), 20u);
    EXPECT_EQ(model.Config.Hmax(), 15000.0);
}

// A polling pass's request built before the operator's init command and
// parsed after it: the parse uses the pass's own context and leaves the
// gauge's array mode, which the init set, as it is; the next block read is
// asked for and taken.
TEST_F(RequestCycleTest, PolledParseLeavesTheArrayModeAnInitSetMeanwhile)
{
    TRequestThread thread(cycle);
    thread.start();
    std::atomic<bool> operatorDone{false};
    line.setScript([&](TTransmitMode mode, const QByteArray &frame) {
        if (QThread::currentThread() == &thread && !operatorDone) {
            // While the pass holds the line, the operator starts a signal read.
            QMetaObject::invokeMethod(&uiContext, [&] {
                EXPECT_EQ(exchange(SignalReadInit), 0);
                operatorDone = true;
            });
            QThread::msleep(50);
        }
        return line.sim().answer(frame, mode == TTransmitMode::NoParity).bytes();
    });
    cycle.SetPolled(LevelAllRead, true);
    cycle.SetPolled(TempRead, true);
    thread.Resume();
    QElapsedTimer t;
    t.start();
    while ((thread.InPass() || !operatorDone) && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(operatorDone);

    const uint16_t errors = model.ErrorCount;
    model.Arrays.BlockIndex = 1;
    EXPECT_EQ(exchange(DataBlockRead), 0);
    EXPECT_EQ(model.ErrorCount, errors);
    EXPECT_NE(model.Arrays.Signal[0], 0);
}

// A port that failed to open (or was pulled): nothing goes out, so there is
// no exchange to log, count or parse; the command just fails.
TEST_F(RequestCycleTest, ExchangeOnAClosedPortFailsAtOnceWithoutLogCountOrParse)
{
    int notified = 0;
    line.SetOnExchange([&](TLine *, const QByteArray &, bool, const QByteArray &) { ++notified; });
    int archived = 0;
    cycle.SetReadingOutlet([&](const TReading &) { ++archived; });
    line.setClosed(true);

    EXPECT_EQ(exchange(Echo), -1);
    EXPECT_EQ(exchangeMeter(), -1);
    cycle.SetPolled(LevelAllRead, true);
    cycle.SetDeviceEnabled(1, true);
    cycle.DoRequest();
    cycle.DoRequest();

    EXPECT_EQ(notified, 0) << "the communication window counts nothing";
    EXPECT_TRUE(logLines().isEmpty()) << "no \"-> []\" lines";
    EXPECT_EQ(model.LastErrorCode, 0);
    EXPECT_EQ(model.LastErrorText.toStdString(), "Норма") << "no \"Нет ответа от устройства\"";
    EXPECT_EQ(archived, 0);
}
