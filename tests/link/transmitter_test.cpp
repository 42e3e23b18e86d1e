#include "support/core_application.h"
#include "app/ini_file.h"
#include "protocol/frame.h"
#include "link/transmitter.h"
#include "protocol/request_layout.h"
#include "sim/answer_builder.h"
#include "support/bytes.h"
#include "support/recording_serial_port.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using TOp = TRecordingSerialPort::TOp;

namespace {

class TransmitterTest : public ::testing::Test
{
protected:
    TransmitterTest()
    {
        EnsureCoreApplication(); // the port's thread runs an event loop
        auto port = std::make_unique<TRecordingSerialPort>();
        port_ = port.get();
        transmitter_ = std::make_unique<TTransmitter>(home_.path(), std::move(port));
        transmitter_->SetOnErrorMessage([this](const QString &caption, const QString &text) {
            messages_.append(caption + "|" + text);
        });
        transmitter_->SetOnExchange([this](TLine *sender, const QByteArray &request, bool answered,
                                           const QByteArray &answer) {
            EXPECT_EQ(sender, transmitter_.get());
            exchanges_.push_back({request, answered, answer});
        });
    }

    bool openWithDefaults()
    {
        if (!transmitter_->Open())
            return false;
        transmitter_->ApplyParameters(TPortParameters(home_.path()));
        port_->ClearEvents();
        return true;
    }

    struct TSeen
    {
        QByteArray request;
        bool answered;
        QByteArray answer;
    };

    TempHome home_;
    TRecordingSerialPort *port_ = nullptr;
    std::unique_ptr<TTransmitter> transmitter_;
    QStringList messages_;
    std::vector<TSeen> exchanges_;
};

std::vector<TOp> opsOf(const std::vector<TRecordingSerialPort::TEvent> &events)
{
    std::vector<TOp> ops;
    for (const auto &e : events) {
        if (e.op != TOp::Read)
            ops.push_back(e.op);
    }
    return ops;
}

} // namespace

TEST_F(TransmitterTest, AddressedFrameSendsTheAddressAloneWithMarkParityThenTheRestWithSpace)
{
    ASSERT_TRUE(openWithDefaults());
    port_->QueueAnswer(AnswerEcho(1));
    QByteArray answer;
    ASSERT_EQ(transmitter_->TransmitAddressed(kEchoPayload, answer, true, 140), TTransmitResult::Answered);
    EXPECT_EQ(answer, AnswerEcho(1));

    const auto &events = port_->Events();
    EXPECT_EQ(opsOf(events), (std::vector<TOp>{TOp::Clear, TOp::Parity, TOp::Write, TOp::Drain, TOp::Parity,
                                               TOp::Write, TOp::Clear}));
    const auto writes = port_->EventsOf(TOp::Write);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].bytes, QByteArray("\x01", 1));
    EXPECT_EQ(writes[0].parity, TParity::Mark);
    EXPECT_EQ(writes[1].bytes, QByteArray("\x10\x03\xAA\x55\x53\x9F", 6)) << "CRC-16 low byte first";
    EXPECT_EQ(writes[1].parity, TParity::Space);

    const auto drain = port_->EventsOf(TOp::Drain).at(0);
    EXPECT_EQ(drain.parity, TParity::Mark) << "the address byte leaves the UART before the parity changes";
    const auto spaceSwitch = port_->EventsOf(TOp::Parity).at(1);
    EXPECT_EQ(spaceSwitch.value, int(TParity::Space));
    EXPECT_GE(spaceSwitch.at - drain.at, 3ms);

    ASSERT_EQ(exchanges_.size(), 1u);
    EXPECT_EQ(exchanges_[0].request, AppendCrc16(kEchoPayload));
    EXPECT_TRUE(exchanges_[0].answered);
    EXPECT_EQ(exchanges_[0].answer, AnswerEcho(1));
}

TEST_F(TransmitterTest, PlainFrameGoesInOneWriteWithTheConfiguredParity)
{
    ASSERT_TRUE(transmitter_->Open());
    TPortParameters set(home_.path());
    set.Parity = TParity::Even;
    transmitter_->ApplyParameters(set);
    port_->ClearEvents();
    port_->QueueAnswer(AnswerEcho(1));

    QByteArray answer;
    ASSERT_EQ(transmitter_->TransmitPlain(kEchoPayload, answer, true, 140), TTransmitResult::Answered);
    EXPECT_EQ(answer, AnswerEcho(1));
    EXPECT_EQ(opsOf(port_->Events()), (std::vector<TOp>{TOp::Clear, TOp::Write, TOp::Clear}));
    const auto write = port_->EventsOf(TOp::Write).at(0);
    EXPECT_EQ(write.bytes, AppendCrc16(kEchoPayload));
    EXPECT_EQ(write.parity, TParity::Even);
}

TEST_F(TransmitterTest, MeterFrameHasNoParityAndNoPurgeAfterTheRead)
{
    ASSERT_TRUE(transmitter_->Open());
    TPortParameters set(home_.path());
    set.Parity = TParity::Odd;
    transmitter_->ApplyParameters(set);
    port_->ClearEvents();
    port_->QueueAnswer(AnswerMeterCurrent(20.0));

    QByteArray answer;
    ASSERT_EQ(transmitter_->TransmitNoParity(QByteArray("\x01\x00\x01\x00", 4), answer, true, 70),
              TTransmitResult::Answered);
    EXPECT_EQ(answer, AnswerMeterCurrent(20.0));
    EXPECT_EQ(opsOf(port_->Events()), (std::vector<TOp>{TOp::Parity, TOp::Clear, TOp::Write}));
    const auto write = port_->EventsOf(TOp::Write).at(0);
    EXPECT_EQ(write.bytes, MeterRequest());
    EXPECT_EQ(write.parity, TParity::None);
    ASSERT_EQ(exchanges_.size(), 1u);
    EXPECT_EQ(exchanges_[0].request, MeterRequest());
}

TEST_F(TransmitterTest, WithoutSettingsFileTheLineRunsAtTheDefaults)
{
    ASSERT_TRUE(transmitter_->LoadSettings());
    ASSERT_TRUE(transmitter_->Open());
    TPortParameters tolm(home_.path());
    tolm.Section = "Tolm";
    tolm.LoadFromFile();
    transmitter_->ApplyParameters(tolm);
    EXPECT_EQ(transmitter_->PortName(), "COM1");
    EXPECT_EQ(port_->BaudRate(), 9600);
    EXPECT_EQ(port_->DataBits(), TDataBits::db8);
    EXPECT_EQ(port_->StopBits(), TStopBits::sb1);
    EXPECT_EQ(port_->Parity(), TParity::None);
    EXPECT_EQ(port_->FlowControl(), TFlowControl::None);

    // No answer: the read gives up after 150 + 2 x 10 ms.
    const auto start = TLineClock::now();
    QByteArray answer;
    EXPECT_EQ(transmitter_->TransmitAddressed(kEchoPayload, answer, true, 10), TTransmitResult::NoAnswer);
    const auto took = TLineClock::now() - start;
    EXPECT_TRUE(answer.isEmpty());
    EXPECT_GE(took, 170ms);
    EXPECT_LT(took, 270ms);
    ASSERT_EQ(exchanges_.size(), 1u);
    EXPECT_FALSE(exchanges_[0].answered);
    EXPECT_TRUE(exchanges_[0].answer.isEmpty());
}

TEST_F(TransmitterTest, SettingsFileGivesPortNameAndOwnSetAndKeepsTheDeviceSections)
{
    home_.writeRaw("INI/ComPort.ini",
                   "[Transmitter]\r\nPort=/dev/ttyUSB3\r\n"
                   "[Transmitter.PortParameters]\r\nBaudRate=4800\r\nReadInterval=20\r\n"
                   "[Tolm]\r\nBaudRate=19200\r\n");
    ASSERT_TRUE(transmitter_->LoadSettings());
    EXPECT_EQ(transmitter_->PortName(), "/dev/ttyUSB3");
    EXPECT_EQ(transmitter_->PortParameters.BaudRate, TBaudRate::br4800);
    EXPECT_EQ(transmitter_->AppliedParameters().ReadInterval, 20);
    EXPECT_EQ(port_->BaudRate(), 4800);

    transmitter_->SetPortName("/dev/ttyS0");
    ASSERT_TRUE(transmitter_->SaveSettings());
    const TIniFile ini(transmitter_->SettingsFile);
    EXPECT_EQ(ini.ReadString("Transmitter", "Port", ""), "/dev/ttyS0");
    EXPECT_EQ(ini.ReadString("Transmitter.PortParameters", "BaudRate", ""), "4800");
    EXPECT_EQ(ini.ReadString("Transmitter.PortParameters", "FlowControl", ""), "None");
    EXPECT_EQ(ini.ReadString("Tolm", "BaudRate", ""), "19200");
}

TEST_F(TransmitterTest, OpenFailureTellsTheOperatorThePortName)
{
    transmitter_->SetPortName("COM7");
    port_->InjectError(TOp::Open);
    EXPECT_FALSE(transmitter_->Open());
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0], "Внимание|Ошибка активации порта :COM7");

    // Every exchange on the closed port ends at once: nothing goes out, so
    // the communication window has nothing to count.
    QByteArray answer = "stale";
    EXPECT_EQ(transmitter_->TransmitAddressed(kEchoPayload, answer, true, 140), TTransmitResult::NotOpen);
    EXPECT_TRUE(answer.isEmpty());
    EXPECT_TRUE(port_->EventsOf(TOp::Write).empty());
    EXPECT_TRUE(exchanges_.empty());
}

// A device this user may not open names the group that may and the
// command; a missing one says so; any other failure keeps the plain text.
TEST(TransmitterOpenFailureText, SaysWhatTheEngineerCanDo)
{
    EXPECT_EQ(TTransmitter::OpenFailureText("ttyUSB0", TOpenFailure::Other), "Ошибка активации порта :ttyUSB0");
    EXPECT_EQ(TTransmitter::OpenFailureText("ttyUSB0", TOpenFailure::Denied, "uucp"),
              "Ошибка активации порта :ttyUSB0\nНет прав на порт /dev/ttyUSB0: добавьте пользователя в группу uucp "
              "командой\nsudo usermod -aG uucp $USER\nи войдите в систему заново");
    EXPECT_TRUE(TTransmitter::OpenFailureText("/dev/ttyUSB0", TOpenFailure::Denied).contains("-aG dialout $USER"));
    EXPECT_EQ(TTransmitter::OpenFailureText("/dev/ttyUSB9", TOpenFailure::Missing),
              "Ошибка активации порта :/dev/ttyUSB9\nПорт /dev/ttyUSB9 не найден: подключите адаптер или выберите "
              "другой порт в \"СОМ порт\"");
}

TEST_F(TransmitterTest, PortThatVanishesMidExchangeGivesNoAnswerAndReopens)
{
    ASSERT_TRUE(openWithDefaults());
    port_->QueueAnswer(AnswerEcho(1), 5ms);
    port_->InjectError(TOp::Read, true);
    QByteArray answer;
    EXPECT_EQ(transmitter_->TransmitAddressed(kEchoPayload, answer, true, 140), TTransmitResult::NoAnswer);
    EXPECT_TRUE(answer.isEmpty());
    EXPECT_FALSE(transmitter_->IsOpen());

    EXPECT_TRUE(transmitter_->Close());
    ASSERT_TRUE(transmitter_->Open());
    transmitter_->ApplyParameters(TPortParameters(home_.path()));
    port_->QueueAnswer(AnswerEcho(1));
    EXPECT_EQ(transmitter_->TransmitAddressed(kEchoPayload, answer, true, 140), TTransmitResult::Answered);
    EXPECT_EQ(answer, AnswerEcho(1));
}

TEST_F(TransmitterTest, FailedWriteEndsTheExchangeAndEmptiesTheBuffers)
{
    ASSERT_TRUE(openWithDefaults());
    port_->InjectError(TOp::Write);
    QByteArray answer;
    const auto start = TLineClock::now();
    EXPECT_EQ(transmitter_->TransmitAddressed(kEchoPayload, answer, true, 140), TTransmitResult::NoAnswer);
    EXPECT_LT(TLineClock::now() - start, 100ms) << "nothing was sent, so nothing is waited for";
    EXPECT_TRUE(answer.isEmpty());
    EXPECT_TRUE(transmitter_->IsOpen());
    EXPECT_EQ(opsOf(port_->Events()), (std::vector<TOp>{TOp::Clear, TOp::Parity, TOp::Clear}));
}
