#include "protocol/frame.h"
#include "protocol/request_layout.h"
#include "link/byte_receiver.h"
#include "sim/answer_builder.h"
#include "sim/line_timing.h"
#include "sim/numbered_gauges.h"
#include "sim/program_sim_line.h"
#include "sim/simulated_line.h"
#include "support/temp_home.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const QByteArray kNewGaugeEcho("\xFF\x10\x03\xAA\x55", 5); // to a new gauge, address 255
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

    const TTimedExchange echo = addressed(line, kNewGaugeEcho);
    EXPECT_TRUE(echo.answered);
    EXPECT_EQ(echo.answer, AnswerEcho(255));

    QByteArray meter;
    EXPECT_EQ(line.TransmitNoParity(kMeterPayload, meter, true, 70), TTransmitResult::Answered);
    EXPECT_EQ(meter.size(), 8);
    EXPECT_TRUE(CheckCrc8(meter));

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, AppendCrc16(kNewGaugeEcho));
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
    const TTimedExchange silent = addressed(line, kNewGaugeEcho, 10);
    EXPECT_FALSE(silent.answered);
    EXPECT_GE(silent.took, 170ms); // 150 + 2 x 10

    const QByteArray full = AnswerEcho(255);
    line.WithSimulator([](TSimLine &sim) { sim.faults().forceNext(TSimFault::Split); });
    const TTimedExchange split = addressed(line, kNewGaugeEcho);
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
    EXPECT_EQ(addressed(line, kNewGaugeEcho).answer, full);
}

TEST(SimulatedLine, SilentGaugeCostsOnlyItsOwnExchanges)
{
    TSimLineConfig config = timedConfig();
    NumberSimGauges(config, 3);
    TSimulatedLine line{config};
    line.WithSimulator([](TSimLine &sim) { sim.gauges().setLink(1, TSimGaugeLink::Silent); });
    const auto echoTo = [](uint8_t address) {
        QByteArray payload = kNewGaugeEcho;
        payload[0] = char(address);
        return payload;
    };

    // 5 request and 7 answer bytes of 11 bits, the turnaround, the pause.
    const auto lineTime = std::chrono::microseconds(LineTimeUs(5 + 7, 9600, true)) + 5ms + 3ms;
    for (uint8_t address : {1, 3, 1}) {
        const TTimedExchange echo = addressed(line, echoTo(address), 7);
        EXPECT_EQ(echo.answer, AnswerEcho(address));
        EXPECT_LT(echo.took, lineTime + 40ms) << "gauge " << int(address) << " waits for its silent neighbour";
    }
    const TTimedExchange silent = addressed(line, echoTo(2), 7);
    EXPECT_FALSE(silent.answered);
    EXPECT_GE(silent.took, 164ms); // the total time-out: 150 + 7 x 2
    EXPECT_EQ(addressed(line, echoTo(3), 7).answer, AnswerEcho(3));
}

TEST(SimulatedLine, ProgramFolderSaysHowManyGaugesTheBuiltInLineCarries)
{
    TempHome home;
    const TSimLineConfig single = ProgramSimLineConfig(home.path(), false);
    EXPECT_TRUE(single.moreGauges.isEmpty());
    EXPECT_EQ(single.gauge.parameters.systemAddress, 255);
    EXPECT_EQ(single.gauge.stateFile, home.file("INI/SimGauge.json"));

    home.writeRaw("INI/ComPort.ini", "[Tolm]\r\nBaudRate=19200\r\n[Sim]\r\nGauges=4\r\n");
    const TSimLineConfig four = ProgramSimLineConfig(home.path(), false);
    ASSERT_EQ(four.moreGauges.size(), 3);
    EXPECT_EQ(four.timing.baud, 19200);
    EXPECT_EQ(four.gauge.parameters.systemAddress, 1);
    EXPECT_EQ(four.moreGauges[2].parameters.systemAddress, 4);
    EXPECT_EQ(four.moreGauges[2].parameters.plantNumber, 1004);

    // What each gauge stores into its ПЗУ is its own.
    TSimulatedLine line{four};
    EXPECT_TRUE(addressed(line, QByteArray("\x03\xA2\x01", 3), 5).answered);
    EXPECT_TRUE(QFile::exists(home.file("INI/SimGauge-3.json")));
    EXPECT_FALSE(QFile::exists(home.file("INI/SimGauge-1.json")));
    EXPECT_FALSE(QFile::exists(home.file("INI/SimGauge.json")));

    home.writeRaw("INI/ComPort.ini", "[Sim]\r\nGauges=256\r\n");
    EXPECT_TRUE(ProgramSimLineConfig(home.path(), false).moreGauges.isEmpty());
}
