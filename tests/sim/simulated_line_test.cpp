#include "protocol/frame.h"
#include "protocol/request_layout.h"
#include "link/byte_receiver.h"
#include "sim/answer_builder.h"
#include "sim/line_timing.h"
#include "sim/simulated_line.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const QByteArray kEcho("\xFF\x10\x03\xAA\x55", 5);         // to a new gauge, address 255
const QByteArray kLevelAllRead("\xFF\x02\x01", 3);
const QByteArray kMeterPayload("\x01\x00\x01\x00", 4);

struct TTimedExchange
{
    bool answered;
    QByteArray answer;
    TLineClock::duration took;
};

TTimedExchange addressed(TLine &line, const QByteArray &payload, int maxLength = 140)
{
    QByteArray answer;
    const auto start = TLineClock::now();
    const bool answered = line.TransmitAddressed(payload, answer, true, maxLength) == TTransmitResult::Answered;
    return {answered, answer, TLineClock::now() - start};
}

TSimLineConfig timedConfig()
{
    TSimLineConfig config;
    config.timing.enabled = true;
    config.timing.baud = 9600;
    config.timing.turnaroundMs = 5;
    return config;
}

} // namespace

TEST(SimulatedLine, AnswersLikeTheGaugeAndReportsEveryExchange)
{
    TSimulatedLine line{TSimLineConfig{}};
    std::vector<std::pair<QByteArray, QByteArray>> seen;
    line.SetOnExchange([&](TLine *sender, const QByteArray &request, bool answered, const QByteArray &answer) {
        EXPECT_EQ(sender, &line);
        EXPECT_EQ(answered, !answer.isEmpty());
        seen.emplace_back(request, answer);
    });

    const TTimedExchange echo = addressed(line, kEcho);
    EXPECT_TRUE(echo.answered);
    EXPECT_EQ(echo.answer, AnswerEcho(255));

    QByteArray meter;
    EXPECT_EQ(line.TransmitNoParity(kMeterPayload, meter, true, 70), TTransmitResult::Answered);
    EXPECT_EQ(meter.size(), 8);
    EXPECT_TRUE(CheckCrc8(meter));

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, AppendCrc16(kEcho));
    EXPECT_EQ(seen[1].first, MeterRequest());
    EXPECT_EQ(seen[1].second, meter);
}

TEST(SimulatedLine, TimedLineTakesTheLineTimeAndEndsOnTheCompleteAnswer)
{
    TSimulatedLine line{timedConfig()};
    const TTimedExchange all = addressed(line, kLevelAllRead);
    ASSERT_TRUE(all.answered);
    ASSERT_EQ(all.answer.size(), 29);
    // 5 request and 29 answer bytes of 11 bits, the turnaround, the pause.
    const auto lineTime = std::chrono::microseconds(LineTimeUs(5 + 29, 9600, true)) + 5ms + 3ms;
    EXPECT_GE(all.took, lineTime);
    EXPECT_LT(all.took, lineTime + 40ms) << "no wait for the 50 ms read interval";
}

TEST(SimulatedLine, SilenceAndSplitAnswersEndByTheAppliedTimeouts)
{
    TSimulatedLine line{TSimLineConfig{}};
    line.WithSimulator([](TSimLine &sim) { sim.faults().forceNext(TSimFault::NoAnswer); });
    const TTimedExchange silent = addressed(line, kEcho, 10);
    EXPECT_FALSE(silent.answered);
    EXPECT_GE(silent.took, 170ms); // 150 + 2 x 10

    const QByteArray full = AnswerEcho(255);
    line.WithSimulator([](TSimLine &sim) { sim.faults().forceNext(TSimFault::Split); });
    const TTimedExchange split = addressed(line, kEcho);
    EXPECT_TRUE(split.answered);
    EXPECT_LT(split.answer.size(), full.size());
    EXPECT_TRUE(full.startsWith(split.answer));
    EXPECT_GE(split.took, 50ms);

    // A read interval longer than the pause takes the whole answer.
    TPortParameters patient;
    patient.ReadInterval = 400;
    patient.ReadTotalConstant = 1000;
    line.ApplyParameters(patient);
    line.WithSimulator([](TSimLine &sim) { sim.faults().forceNext(TSimFault::Split); });
    EXPECT_EQ(addressed(line, kEcho).answer, full);
}
