// The real port on a pseudo-terminal: its terminal settings, a full
// exchange of the transmitter, and an instrument that disappears.
#include "support/core_application.h"
#include "protocol/frame.h"
#include "link/qt_serial_port.h"
#include "link/transmitter.h"
#include "pty_pair.h"
#include "sim/answer_builder.h"
#include "support/bytes.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <termios.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

tcflag_t inputFlags(const TQtSerialPort &port)
{
    termios tio{};
    EXPECT_EQ(::tcgetattr(port.handle(), &tio), 0);
    return tio.c_iflag;
}

constexpr tcflag_t kInputChecks = INPCK | PARMRK | IGNPAR | ISTRIP;

} // namespace

TEST(QtSerialPort, ReceivedBytesAreNeverParityChecked)
{
    TPtyPair pty;
    ASSERT_TRUE(pty.valid());
    TQtSerialPort port;
    port.setParity(TParity::Even);
    port.setPortName(pty.slaveName());
    ASSERT_TRUE(port.open()) << port.lastError().toStdString();
    EXPECT_EQ(inputFlags(port) & kInputChecks, 0u) << "after opening with a parity";
    for (TParity parity : {TParity::Mark, TParity::Space, TParity::Odd, TParity::None, TParity::Mark}) {
        ASSERT_TRUE(port.setParity(parity));
        EXPECT_EQ(inputFlags(port) & kInputChecks, 0u) << ParityToText(parity).toStdString();
    }
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.handle(), -1);
}

TEST(QtSerialPort, MissingPortFailsToOpenWithTheOperatorMessage)
{
    EnsureCoreApplication();
    TempHome home;
    TTransmitter transmitter(home.path());
    QStringList messages;
    transmitter.SetOnErrorMessage([&](const QString &caption, const QString &text) {
        messages << caption << text;
    });
    EXPECT_EQ(transmitter.PortName(), "COM1");
    transmitter.SetPortName("COM7");
    EXPECT_FALSE(transmitter.Open());
    EXPECT_EQ(messages, (QStringList{"Внимание", "Ошибка активации порта :COM7\nПорт /dev/COM7 не найден: подключите "
                                                 "адаптер или выберите другой порт в \"СОМ порт\""}));
    EXPECT_FALSE(transmitter.LastError().isEmpty());
    EXPECT_FALSE(transmitter.IsOpen());
}

// Another program (here: a second port object) holds the adapter: the
// operator is told so in Russian, not with the serial library's English.
TEST(QtSerialPort, APortHeldByAnotherProgramIsSaidToBeInUse)
{
    EnsureCoreApplication();
    TPtyPair pty;
    ASSERT_TRUE(pty.valid());
    TQtSerialPort holder;
    holder.setPortName(pty.slaveName());
    ASSERT_TRUE(holder.open()) << holder.lastError().toStdString();

    TempHome home;
    TTransmitter transmitter(home.path());
    QStringList messages;
    transmitter.SetOnErrorMessage([&](const QString &, const QString &text) { messages << text; });
    transmitter.SetPortName(pty.slaveName());
    EXPECT_FALSE(transmitter.Open());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral(" занят другой программой: закройте её или выберите другой "
                                                    "порт в \"СОМ порт\"")))
        << messages[0].toStdString();
}

TEST(QtSerialPort, TransmitterExchangesOverAPseudoTerminal)
{
    EnsureCoreApplication();
    TPtyPair pty;
    ASSERT_TRUE(pty.valid());
    TempHome home;
    TTransmitter transmitter(home.path());
    transmitter.SetPortName(pty.slaveName());
    ASSERT_TRUE(transmitter.Open()) << transmitter.LastError().toStdString();
    TPortParameters set(home.path());
    set.ReadInterval = 300; // far from the early end, also on a busy machine
    transmitter.ApplyParameters(set);

    QByteArray seenByGauge;
    std::thread gauge([&] {
        seenByGauge = pty.receive(7, 1000ms);
        pty.send(AnswerEcho(1));
    });
    QByteArray answer;
    const auto start = TLineClock::now();
    const TTransmitResult answered = transmitter.TransmitAddressed(kEchoPayload, answer, true, 140);
    const auto took = TLineClock::now() - start;
    gauge.join();

    EXPECT_EQ(answered, TTransmitResult::Answered);
    EXPECT_EQ(seenByGauge, AppendCrc16(kEchoPayload));
    EXPECT_EQ(answer, AnswerEcho(1));
    EXPECT_GE(took, 3ms);
    EXPECT_LT(took, 200ms) << "a complete answer does not wait out the read interval";
}

TEST(QtSerialPort, InstrumentThatVanishesMidExchangeClosesThePort)
{
    EnsureCoreApplication();
    auto pty = std::make_unique<TPtyPair>();
    ASSERT_TRUE(pty->valid());
    TempHome home;
    TTransmitter transmitter(home.path());
    transmitter.SetPortName(pty->slaveName());
    ASSERT_TRUE(transmitter.Open());
    transmitter.ApplyParameters(TPortParameters(home.path()));

    std::thread gauge([&] {
        pty->receive(7, 1000ms);
        pty->send(AnswerEcho(1).left(3));
        std::this_thread::sleep_for(10ms);
        pty->closeMaster();
    });
    QByteArray answer;
    const auto start = TLineClock::now();
    EXPECT_EQ(transmitter.TransmitAddressed(kEchoPayload, answer, true, 140), TTransmitResult::NoAnswer);
    gauge.join();
    EXPECT_TRUE(answer.isEmpty());
    EXPECT_LT(TLineClock::now() - start, 430ms);
    EXPECT_FALSE(transmitter.IsOpen());

    // Still closed: the next exchange ends at once.
    EXPECT_EQ(transmitter.TransmitAddressed(kEchoPayload, answer, true, 140), TTransmitResult::NotOpen);

    // The operator's "СОМ порт": close, open again (the adapter is back).
    pty = std::make_unique<TPtyPair>();
    transmitter.Close();
    transmitter.SetPortName(pty->slaveName());
    ASSERT_TRUE(transmitter.Open()) << transmitter.LastError().toStdString();
    std::thread again([&] {
        pty->receive(7, 1000ms);
        pty->send(AnswerEcho(1));
    });
    EXPECT_EQ(transmitter.TransmitAddressed(kEchoPayload, answer, true, 140), TTransmitResult::Answered);
    again.join();
    EXPECT_EQ(answer, AnswerEcho(1));
}
