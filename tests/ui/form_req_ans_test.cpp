#include "support/exchange_code.h"
#include "form_views_bench.h"

#include "link/transmitter.h"
#include "protocol/command_codes.h"
#include "protocol/frame.h"
#include "support/manual_clock.h"
#include "support/recording_serial_port.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QThread>
#include <QToolButton>

namespace {

class ReqAnsWindow : public ViewsBench
{
protected:
    TFormReqAns &Open()
    {
        EXPECT_EQ(TFormReqAns::ShowReqAns(line, cycle), 0);
        return *TFormReqAns::Instance();
    }
    static QString Text(const char *name)
    {
        TFormReqAns *window = TFormReqAns::Instance();
        if (!window)
            return QStringLiteral("<closed>");
        if (auto *label = window->findChild<QLabel *>(QLatin1String(name)))
            return label->text();
        if (auto *box = window->findChild<QPlainTextEdit *>(QLatin1String(name)))
            return box->toPlainText();
        return QStringLiteral("<missing>");
    }
    // Requests, answers and their percentages as shown.
    static QStringList Statistics()
    {
        return {Text("lblRequests"), Text("lblAnswers"), Text("lblRequestsPercent"), Text("lblAnswersPercent")};
    }
    // An exchange of an operator command, in this thread.
    int Command(int code)
    {
        const int result = ExchangeCode(cycle, model, code);
        DeliverQueued();
        return result;
    }
};

} // namespace

TEST_F(ReqAnsWindow, ResetClearsCountersAndFramesThenCountsAnExchangeWithoutAnswer)
{
    TFormReqAns &window = Open();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Связь"));
    EXPECT_EQ(Statistics(), (QStringList{"0", "0", "0,0", "0,0"}));

    ASSERT_EQ(Command(LevelAllRead), 0);
    ASSERT_EQ(Command(LevelAllRead), 0);
    EXPECT_EQ(Statistics(), (QStringList{"2", "2", "100,0", "100,0"}));

    auto *reset = window.findChild<QToolButton *>(QStringLiteral("btnStatClear"));
    ASSERT_NE(reset, nullptr);
    EXPECT_EQ(reset->text(), QStringLiteral("Сброс"));
    EXPECT_EQ(window.actStatClear->toolTip(), QStringLiteral("Сброс статистики"));
    QTest::mouseClick(reset, Qt::LeftButton);
    EXPECT_EQ(Statistics(), (QStringList{"0", "0", "0,0", "0,0"}));
    EXPECT_EQ(Text("memRequest"), "");
    EXPECT_EQ(Text("memAnswer"), "");

    model.SetSystemAddress(2); // the gauge on the line (address 1) does not hear it
    EXPECT_EQ(Command(Echo), -1);
    EXPECT_EQ(Statistics(), (QStringList{"1", "0", "100,0", "0,0"}));
    EXPECT_EQ(Text("memAnswer"), QStringLiteral("Нет ответа"));

    model.SetSystemAddress(1);
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(Command(LevelAllRead), 0);
    EXPECT_EQ(Statistics(), (QStringList{"3", "2", "100,0", "66,7"}));
}

TEST_F(ReqAnsWindow, CountersOutliveTheWindowButExchangesWhileClosedAreNotCounted)
{
    Open();
    ASSERT_EQ(Command(LevelAllRead), 0);
    QTest::keyClick(TFormReqAns::Instance(), Qt::Key_Escape);
    ASSERT_EQ(TFormReqAns::Instance(), nullptr);

    ASSERT_EQ(Command(LevelAllRead), 0);
    ASSERT_EQ(Command(Echo), 0);

    Open();
    EXPECT_EQ(Statistics(), (QStringList{"1", "1", "100,0", "100,0"}));
    EXPECT_EQ(Text("memRequest"), "");
    ASSERT_EQ(Command(LevelAllRead), 0);
    EXPECT_EQ(Statistics(), (QStringList{"2", "2", "100,0", "100,0"}));
}

TEST_F(ReqAnsWindow, FramesFollowTheRadixOfTheLog)
{
    Open();
    cycle.LogRadix = 10;
    ASSERT_EQ(Command(Echo), 0);
    EXPECT_EQ(Text("memRequest"), QStringLiteral("1 16 3 170 85 83 159"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^1 16( \\d{1,3})+$")).match(Text("memAnswer")).hasMatch())
        << Text("memAnswer").toStdString();

    cycle.LogRadix = 16;
    ASSERT_EQ(Command(Echo), 0);
    EXPECT_EQ(Text("memRequest"), QStringLiteral("01 10 03 AA 55 53 9F"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^01 10( [0-9A-F]{2})+$")).match(Text("memAnswer")).hasMatch())
        << Text("memAnswer").toStdString();
}

TEST_F(ReqAnsWindow, PortRowsShowTheSettingsOfTheDeviceTalkedToLast)
{
    home.writeRaw(QStringLiteral("INI/ComPort.ini"), "[Tolm]\r\nBaudRate=19200\r\n[Lumidor]\r\nStopBits=2\r\n");
    cycle.PortParametersTolm.LoadFromFile();
    cycle.PortParametersLumidor.LoadFromFile();
    Open();

    ASSERT_EQ(Command(LevelAllRead), 0);
    EXPECT_EQ(Text("lblPort"), ""); // the simulated line has no port
    EXPECT_EQ(Text("lblBaudRate"), "19200");
    EXPECT_EQ(Text("lblDataBits"), "8");
    EXPECT_EQ(Text("lblStopBits"), "1");
    EXPECT_EQ(Text("lblParity"), "Space"); // the address byte went with mark, the rest with space
    EXPECT_EQ(Text("lblFlowControl"), "None");

    ASSERT_TRUE(cycle.ExchangeLumidor().Accepted());
    DeliverQueued();
    EXPECT_EQ(Text("lblBaudRate"), "9600");
    EXPECT_EQ(Text("lblStopBits"), "2");
    EXPECT_EQ(Text("lblParity"), "None");
}

TEST_F(ReqAnsWindow, ExchangesOfPollingPassesArriveInTheirOrder)
{
    const QList<int> codes{DistanceRead, LevelRead, LevelFreeRead, LevelAllRead, Echo, TempRead};
    for (int code : codes)
        cycle.SetPolled(code, true);
    TFormReqAns &window = Open();
    QStringList shown;
    int offThread = 0; // widgets may only be touched in the user-interface thread
    auto *request = window.findChild<QPlainTextEdit *>(QStringLiteral("memRequest"));
    QObject::connect(request, &QPlainTextEdit::textChanged, &window, [&] {
        shown.append(request->toPlainText());
        offThread += QThread::currentThread() != window.thread();
    }, Qt::DirectConnection);

    RunPasses(3);

    QStringList expected;
    for (int pass = 0; pass < 3; ++pass)
        for (int code : codes)
            expected.append(BytesToHex(AppendCrc16(*model.BuildRequest(code))));
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(offThread, 0);
    EXPECT_EQ(Statistics(), (QStringList{"18", "18", "100,0", "100,0"}));
}

// The adapter pulled out and plugged in again: the window grows by one line
// that says when the port was lost, then also when it was open again.
TEST_F(ReqAnsWindow, SaysWhenThePortWasLostAndWhenItWasOpenAgain)
{
    ManualClockScope time(QDateTime(QDate(2026, 12, 8), QTime(22, 31, 5)));
    auto port = std::make_unique<TRecordingSerialPort>();
    TRecordingSerialPort &device = *port;
    TTransmitter transmitter(home.path(), std::move(port));
    ASSERT_TRUE(transmitter.Open());
    ASSERT_EQ(TFormReqAns::ShowReqAns(transmitter, cycle), 0);
    TFormReqAns &window = *TFormReqAns::Instance();
    auto *outage = window.findChild<QLabel *>(QStringLiteral("lblPortOutage"));
    ASSERT_NE(outage, nullptr);
    EXPECT_TRUE(outage->isHidden());
    const QSize usual = window.size();

    device.InjectError(TRecordingSerialPort::TOp::Write, true);
    QByteArray answer;
    EXPECT_EQ(transmitter.TransmitAddressed(QByteArray("\x01\x10\x03\xAA\x55", 5), answer, true, 140),
              TTransmitResult::NoAnswer);
    DeliverQueued();
    EXPECT_EQ(Text("lblPortOutage"), QStringLiteral("Связь с портом потеряна: 08.12.2026 22:31:05"));
    EXPECT_FALSE(outage->isHidden());
    EXPECT_GT(window.height(), usual.height());

    time.clock().Advance(4000);
    // The port is reopened in its own thread and the news reaches the window
    // queued, so wait for the window's line rather than for the port.
    QElapsedTimer t;
    t.start();
    while (!Text("lblPortOutage").contains('\n') && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(transmitter.IsOpen());
    EXPECT_EQ(Text("lblPortOutage"), QStringLiteral("Связь с портом потеряна: 08.12.2026 22:31:05\n"
                                                    "Порт снова открыт: 08.12.2026 22:31:09"));
    delete &window; // before the transmitter it listens to
}
