// The read's time-outs and its early end, on the recording port (scripted
// arrival times) and on a pseudo-terminal through the real port.
#include "protocol/frame.h"
#include "link/qt_serial_port.h"
#include "link/timed_read.h"
#include "pty_pair.h"
#include "sim/answer_builder.h"
#include "support/recording_serial_port.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;
using TChunk = TRecordingSerialPort::TChunk;

namespace {

constexpr TReadTimeouts kDefaults{50, 150, 2};

struct TTimedRead
{
    TReadOutcome outcome;
    TLineClock::duration took;
};

// The answers a few requests of address 7 get.
const TExpectedAnswer kEcho = ExpectedAnswer(TAnswerKind::Gauge, QByteArray("\x07\x10\x03\xAA\x55", 5));
const TExpectedAnswer kDistance = ExpectedAnswer(TAnswerKind::Gauge, QByteArray("\x07\x01\x02\x01", 4));
const TExpectedAnswer kGain = ExpectedAnswer(TAnswerKind::Gauge, QByteArray("\x07\x01\x02\x05", 4));
const TExpectedAnswer kBlock = ExpectedAnswer(TAnswerKind::Gauge, QByteArray("\x07\xA8\x04\x00\x00\x20", 6));
const TExpectedAnswer kFloat = ExpectedAnswer(TAnswerKind::Gauge, QByteArray("\x07\xB6\x02\x02", 4));
const TExpectedAnswer kMeter = ExpectedAnswer(TAnswerKind::Meter, QByteArray("\x01\x00\x01\x00", 4));

TTimedRead timedRead(IByteReceiver &port, int maxLength, const TExpectedAnswer &expected = kEcho,
                     const TReadTimeouts &timeouts = kDefaults)
{
    const auto start = TLineClock::now();
    TReadOutcome outcome = ReadAnswer(port, maxLength, timeouts, expected);
    return {outcome, TLineClock::now() - start};
}

// An open recording port whose next read gets `chunks`.
std::unique_ptr<TRecordingSerialPort> portAnswering(const QList<TChunk> &chunks)
{
    auto port = std::make_unique<TRecordingSerialPort>();
    port->open();
    port->QueueAnswer(chunks);
    port->write("request", TLineClock::now());
    return port;
}

QByteArray breakCrc(QByteArray answer)
{
    answer[answer.size() - 1] = char(answer.at(answer.size() - 1) ^ 0x40);
    return answer;
}

} // namespace

TEST(TimedRead, MaximumLengthEndsTheReadAtOnce)
{
    auto port = portAnswering({{QByteArray(10, 'x'), 5ms}});
    const TTimedRead read = timedRead(*port, 4);
    EXPECT_EQ(read.outcome.bytes, QByteArray(4, 'x'));
    EXPECT_LT(read.took, 100ms);
}

TEST(TimedRead, NoTotalLimitStillGivesUpOnSilence)
{
    auto port = portAnswering({});
    const TTimedRead read = timedRead(*port, 140, kEcho, {50, 0, 0});
    EXPECT_TRUE(read.outcome.bytes.isEmpty());
    EXPECT_GE(read.took, std::chrono::milliseconds(UnlimitedReadCeilingMs));
}

TEST(TimedRead, CompleteAnswerEndsEarlyWithTheBytesATimeoutWouldGive)
{
    // Each answer arrives in two pieces; the early end must wait for the
    // whole answer and give exactly the bytes the inter-byte time-out gives
    // for the same answer with a damaged checksum (which never ends early).
    // A long interval keeps the two endings far apart on a busy machine.
    constexpr TReadTimeouts kLongInterval{150, 1000, 0};
    const std::vector<float> spectrum(32, 0.25f);
    const QList<std::pair<TExpectedAnswer, QByteArray>> exchanges{
        {kEcho, AnswerEcho(7)},
        {kDistance, AnswerSingleValue(7, 3.5, 0)},
        {kGain, AnswerGain(7, 99, 0)},
        {kBlock, AnswerSpectrumBlock(7, spectrum)},
        {kFloat, AnswerError(7, 1)},
        {kFloat, AnswerFloatParameter(7, 2.0)}};
    for (const auto &[expected, answer] : exchanges) {
        SCOPED_TRACE(BytesToHex(answer).toStdString());
        const qsizetype cut = answer.size() / 2;
        auto early = portAnswering({{answer.left(cut), 2ms}, {answer.mid(cut), 10ms}});
        const TTimedRead fast = timedRead(*early, 140, expected, kLongInterval);
        EXPECT_TRUE(fast.outcome.complete);
        EXPECT_EQ(fast.outcome.bytes, answer);
        EXPECT_LT(fast.took, 100ms);

        const QByteArray damaged = breakCrc(answer);
        auto late = portAnswering({{damaged.left(cut), 2ms}, {damaged.mid(cut), 10ms}});
        const TTimedRead slow = timedRead(*late, 140, expected, kLongInterval);
        EXPECT_FALSE(slow.outcome.complete);
        EXPECT_EQ(slow.outcome.bytes.chopped(1), fast.outcome.bytes.chopped(1));
        EXPECT_EQ(slow.outcome.bytes.size(), fast.outcome.bytes.size());
        EXPECT_GE(slow.took, 162ms);
    }
}

TEST(TimedRead, MeterAnswerEndsEarlyOnlyUnderTheMeterRule)
{
    constexpr TReadTimeouts kLongInterval{200, 1000, 0};
    auto meter = portAnswering({{AnswerMeterCurrent(4.0), 2ms}});
    const TTimedRead read = timedRead(*meter, 70, kMeter, kLongInterval);
    EXPECT_TRUE(read.outcome.complete);
    EXPECT_EQ(read.outcome.bytes, AnswerMeterCurrent(4.0));
    EXPECT_LT(read.took, 100ms);

    // Read as a gauge answer, the same bytes wait for the interval.
    auto asGauge = portAnswering({{AnswerMeterCurrent(4.0), 2ms}});
    const TTimedRead gaugeRead = timedRead(*asGauge, 70, kEcho, kLongInterval);
    EXPECT_FALSE(gaugeRead.outcome.complete);
    EXPECT_EQ(gaugeRead.outcome.bytes, AnswerMeterCurrent(4.0));
    EXPECT_GE(gaugeRead.took, 200ms);
}

// The same time-outs on a pseudo-terminal, through the real port and the
// kernel's timing.
class PtyReadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty_.valid());
        port_.setPortName(pty_.slaveName());
        ASSERT_TRUE(port_.open()) << port_.lastError().toStdString();
    }

    // Feeds the chunks from another thread, each `after` the one before.
    void feed(const QList<TChunk> &chunks)
    {
        feeder_ = std::thread([this, chunks] {
            for (const TChunk &chunk : chunks) {
                std::this_thread::sleep_for(chunk.after);
                pty_.send(chunk.bytes);
            }
        });
    }

    void TearDown() override
    {
        if (feeder_.joinable())
            feeder_.join();
    }

    TPtyPair pty_;
    TQtSerialPort port_;
    std::thread feeder_;
};

TEST_F(PtyReadTest, IntervalAndTotalTimeouts)
{
    feed({{"\x01\x02\x03", 10ms}, {"\x04", 90ms}});
    TTimedRead read = timedRead(port_, 140);
    EXPECT_EQ(read.outcome.bytes, QByteArray("\x01\x02\x03"));
    EXPECT_GE(read.took, 60ms);
    EXPECT_LT(read.took, 150ms);
    feeder_.join();
    port_.clear();

    QList<TChunk> trickle;
    for (int i = 0; i < 12; ++i)
        trickle.append({QByteArray(1, char('a' + i)), 25ms});
    feed(trickle);
    read = timedRead(port_, 10); // 150 + 2 x 10 = 170 ms
    EXPECT_GE(read.took, 170ms);
    EXPECT_LT(read.took, 250ms);
    EXPECT_TRUE(QByteArray("abcdefghijkl").startsWith(read.outcome.bytes));
    EXPECT_GE(read.outcome.bytes.size(), 5);
    EXPECT_LE(read.outcome.bytes.size(), 7);
}

TEST_F(PtyReadTest, CompleteAnswerEndsEarlyAndAnyByteValueArrivesUnchanged)
{
    // Every byte value, parity bit set or not, in one float-parameter answer
    // and an echo: nothing is stripped or marked on the way in.
    QByteArray payload;
    for (int i = 0; i < 256; ++i)
        payload.append(char(i));
    feed({{payload, 5ms}});
    TTimedRead read = timedRead(port_, 300);
    EXPECT_EQ(read.outcome.bytes, payload);
    feeder_.join();

    feed({{AnswerFloatParameter(3, 16000.0).left(4), 5ms}, {AnswerFloatParameter(3, 16000.0).mid(4), 5ms}});
    read = timedRead(port_, 140, kFloat, {200, 1000, 0});
    EXPECT_EQ(read.outcome.bytes, AnswerFloatParameter(3, 16000.0));
    EXPECT_TRUE(read.outcome.complete);
    EXPECT_LT(read.took, 150ms);
}

TEST(TimedRead, ReadingWhoseFirstNineBytesCarryAValidCrcIsReadWhole)
{
    // Bytes 7-8 of this single-value answer equal the CRC of bytes 0-6: a
    // read that judged by the function byte alone would stop at nine.
    const QByteArray answer = AppendCrc16(AppendCrc16(QByteArray("\x07\x01\x06\x12\x34\x56\x78", 7)));
    ASSERT_TRUE(CheckCrc16(answer.left(9)));
    auto port = portAnswering({{answer.left(9), 2ms}, {answer.mid(9), 20ms}});
    const TTimedRead read = timedRead(*port, 140, kDistance, {150, 1000, 0});
    EXPECT_EQ(read.outcome.bytes, answer);
    EXPECT_TRUE(read.outcome.complete);
}
