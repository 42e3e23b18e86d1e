#include "sim/sim_line.h"

#include "protocol/frame.h"
#include "sim/answer_builder.h"
#include "sim/numbered_gauges.h"
#include "protocol/request_layout.h"

#include <QSet>

#include <gtest/gtest.h>
#include <memory>

namespace {

const QByteArray kEchoFrame = AppendCrc16(QByteArray::fromHex("FF1003AA55"));
const QByteArray kAll = AppendCrc16(QByteArray::fromHex("FF0201"));

struct LineOnTestClock
{
    qint64 ms = 0;
    std::unique_ptr<TSimLine> line;
    explicit LineOnTestClock(const TSimLineConfig &config = {})
        : line(std::make_unique<TSimLine>(config, [this] { return ms; }))
    {
    }
};

TSimLineConfig faulty(TSimFault kind, uint64_t seed = 42)
{
    TSimLineConfig config;
    config.faults.seed = seed;
    config.faults.rate = 1.0;
    config.faults.kinds = {kind};
    return config;
}

// A request to `address`: the payload after the address byte, CRC added.
QByteArray to(int address, const char *hexRest)
{
    return AppendCrc16(QByteArray::fromHex(hexRest).prepend(char(address)));
}

QByteArray echoTo(int address) { return to(address, "1003AA55"); }
QByteArray signatureTo(int address) { return to(address, "2001"); }

double meterMilliamps(const QByteArray &a)
{
    return int16_t(BytesToWord(ByteAt(a, 5), ByteAt(a, 6))) / 100.0;
}

} // namespace

TEST(SimLine, MeterAnswersOnlyItsOwnRequestWithTheLoopCurrentOfTheLevel)
{
    LineOnTestClock l;
    for (l.ms = 0; l.ms < 5000 * 1000; l.ms += 97 * 1000) {
        const QByteArray a = l.line->answer(MeterRequest(), true).bytes();
        ASSERT_EQ(a.size(), 8);
        ASSERT_TRUE(CheckCrc8(a));
        const double expected = l.line->gauge().level() * 16 / 15000 + 4;
        EXPECT_NEAR(meterMilliamps(a), expected, 0.03) << l.ms;
    }
    EXPECT_TRUE(l.line->answer(AppendCrc8(QByteArray::fromHex("01000200")), true).isEmpty());
    EXPECT_TRUE(l.line->answer(kEchoFrame, true).isEmpty());
    // The gauge does not take the meter's request for its own.
    EXPECT_TRUE(l.line->answer(MeterRequest(), false).isEmpty());
}

TEST(SimLine, MeterFollowsAWrittenLmax)
{
    LineOnTestClock l;
    QByteArray payload = QByteArray::fromHex("FFB30603");
    AppendSingle(payload, 10000.0);
    ASSERT_FALSE(l.line->answer(AppendCrc16(payload), false).isEmpty());
    const double level = l.line->gauge().level();
    EXPECT_NEAR(l.line->meter().current(), level * 16 / 10000 + 4, 0.021);
}

TEST(SimLine, EachFaultKindDoesWhatItSays)
{
    const QByteArray clean = LineOnTestClock().line->answer(kAll, false).bytes();
    ASSERT_EQ(clean.size(), 29);

    EXPECT_TRUE(LineOnTestClock(faulty(TSimFault::NoAnswer)).line->answer(kAll, false).isEmpty());

    const QByteArray badCrc = LineOnTestClock(faulty(TSimFault::BadCrc)).line->answer(kAll, false).bytes();
    EXPECT_EQ(badCrc.left(28), clean.left(28));
    EXPECT_FALSE(CheckCrc16(badCrc));

    const QByteArray error = LineOnTestClock(faulty(TSimFault::ErrorAnswer)).line->answer(kAll, false).bytes();
    EXPECT_EQ(error, AnswerError(0xFF, 2));

    const QByteArray wrong = LineOnTestClock(faulty(TSimFault::WrongAddress)).line->answer(kAll, false).bytes();
    EXPECT_NE(ByteAt(wrong, 0), 0xFF);
    EXPECT_TRUE(CheckCrc16(wrong));
    EXPECT_EQ(wrong.mid(1, 26), clean.mid(1, 26));

    for (uint64_t seed = 1; seed <= 50; ++seed) {
        const QByteArray cut = LineOnTestClock(faulty(TSimFault::Truncated, seed)).line->answer(kAll, false).bytes();
        ASSERT_GE(cut.size(), 1);
        ASSERT_LT(cut.size(), clean.size());
        EXPECT_EQ(cut, clean.left(cut.size()));
        EXPECT_FALSE(CheckCrc16(cut));

        const QByteArray junk = LineOnTestClock(faulty(TSimFault::Garbage, seed)).line->answer(kAll, false).bytes();
        ASSERT_GE(junk.size(), 1);
        ASSERT_LE(junk.size(), 32);
        EXPECT_FALSE(CheckCrc16(junk));

        const TSimReply split = LineOnTestClock(faulty(TSimFault::Split, seed)).line->answer(kAll, false);
        ASSERT_EQ(split.chunks.size(), 2);
        EXPECT_EQ(split.bytes(), clean);
        EXPECT_FALSE(split.chunks[0].bytes.isEmpty());
        EXPECT_FALSE(split.chunks[1].bytes.isEmpty());
        EXPECT_EQ(split.chunks[1].delayUs, 120000); // longer than the 50 ms read interval
        EXPECT_EQ(split.fault, TSimFault::Split);
    }
}

TEST(SimLine, MeterAnswersNeverGetGaugeOnlyFaults)
{
    TSimLineConfig config;
    config.faults.rate = 1.0;
    config.faults.kinds = {TSimFault::ErrorAnswer, TSimFault::WrongAddress};
    LineOnTestClock l(config);
    const TSimReply reply = l.line->answer(MeterRequest(), true);
    EXPECT_EQ(reply.fault, TSimFault::None);
    EXPECT_TRUE(CheckCrc8(reply.bytes()));

    config.faults.kinds = {TSimFault::BadCrc};
    LineOnTestClock bad(config);
    const QByteArray a = bad.line->answer(MeterRequest(), true).bytes();
    EXPECT_EQ(a.size(), 8);
    EXPECT_FALSE(CheckCrc8(a));
}

TEST(SimLine, FaultSequenceFollowsTheSeedAlone)
{
    const auto run = [](uint64_t seed) {
        TSimLineConfig config;
        config.faults.seed = seed;
        config.faults.rate = 0.5;
        LineOnTestClock l(config);
        QList<QByteArray> out;
        QList<TSimFault> kinds;
        for (int i = 0; i < 200; ++i) {
            const TSimReply r = l.line->answer(i % 3 ? kAll : MeterRequest(), i % 3 == 0);
            out.append(r.bytes());
            kinds.append(r.fault);
        }
        return std::make_pair(out, kinds);
    };
    const auto first = run(7);
    EXPECT_EQ(first, run(7));
    EXPECT_NE(first.second, run(8).second);
    // About half go wrong, and every kind turns up.
    const auto faults = first.second.size() - first.second.count(TSimFault::None);
    EXPECT_GT(faults, 70);
    EXPECT_LT(faults, 130);
    for (TSimFault kind : AllSimFaults())
        EXPECT_TRUE(first.second.contains(kind)) << SimFaultName(kind).toStdString();
}

TEST(SimLine, ForcedFaultHitsExactlyTheNextAnswer)
{
    LineOnTestClock l;
    l.line->faults().forceNext(TSimFault::NoAnswer);
    EXPECT_TRUE(l.line->answer(kEchoFrame, false).isEmpty());
    EXPECT_EQ(l.line->answer(kEchoFrame, false).bytes().size(), 7);
}

TEST(SimLine, FaultNamesParseBothWays)
{
    QList<TSimFault> kinds;
    QString error;
    ASSERT_TRUE(ParseSimFaultList(QStringLiteral("bad-crc, split,bad-crc"), kinds, error));
    EXPECT_EQ(kinds, (QList<TSimFault>{TSimFault::BadCrc, TSimFault::Split}));
    ASSERT_TRUE(ParseSimFaultList(QStringLiteral("all"), kinds, error));
    EXPECT_EQ(kinds, AllSimFaults());
    for (TSimFault f : AllSimFaults())
        EXPECT_EQ(SimFaultFromName(SimFaultName(f)), f);
    EXPECT_FALSE(ParseSimFaultList(QStringLiteral("split,lightning"), kinds, error));
    EXPECT_TRUE(error.contains(QLatin1String("lightning")));
    EXPECT_FALSE(ParseSimFaultList(QStringLiteral("none"), kinds, error));
}

TEST(SimLine, LineTimingCountsElevenBitsWithParityAndTenWithout)
{
    EXPECT_EQ(LineTimeUs(1, 9600, true), 1146);   // 11 / 9600 s, rounded up
    EXPECT_EQ(LineTimeUs(29, 9600, true), 33230); // all readings
    EXPECT_EQ(LineTimeUs(8, 9600, false), 8334);
    EXPECT_EQ(LineTimeUs(133, 115200, true), 12700);
    EXPECT_EQ(LineTimeUs(10, 0, true), 0);

    TSimLineConfig config;
    config.timing = {true, 9600, 5};
    LineOnTestClock l(config);
    const TSimReply all = l.line->answer(kAll, false);
    EXPECT_EQ(all.requestUs, LineTimeUs(5, 9600, true));
    ASSERT_EQ(all.chunks.size(), 1);
    EXPECT_EQ(all.chunks[0].delayUs, 5000);
    EXPECT_EQ(all.chunks[0].durationUs, LineTimeUs(29, 9600, true));
    EXPECT_EQ(all.totalUs(), LineTimeUs(5, 9600, true) + 5000 + LineTimeUs(29, 9600, true));

    const TSimReply meter = l.line->answer(MeterRequest(), true);
    EXPECT_EQ(meter.totalUs(), LineTimeUs(5, 9600, false) + 5000 + LineTimeUs(8, 9600, false));

    config.timing.enabled = false;
    LineOnTestClock instant(config);
    EXPECT_EQ(instant.line->answer(kAll, false).totalUs(), 0);
}

TEST(SimLine, RequestLengthIsKnownFromTheFirstBytes)
{
    EXPECT_EQ(ExpectedRequestLength(QByteArray::fromHex("FF")), 0);
    EXPECT_EQ(ExpectedRequestLength(QByteArray::fromHex("FF10")), 0);
    EXPECT_EQ(ExpectedRequestLength(kEchoFrame.left(3)), kEchoFrame.size());
    EXPECT_EQ(ExpectedRequestLength(kAll.left(3)), kAll.size());
    EXPECT_EQ(ExpectedRequestLength(QByteArray::fromHex("FFB306")), 10);
    EXPECT_EQ(ExpectedRequestLength(QByteArray::fromHex("FF25")), 0);
    EXPECT_EQ(ExpectedRequestLength(QByteArray::fromHex("FF2505")), 9);
    EXPECT_EQ(ExpectedRequestLength(QByteArray::fromHex("FF04")), 8);
    EXPECT_EQ(ExpectedRequestLength(MeterRequest().left(2)), 5);
    EXPECT_EQ(ExpectedRequestLength(QByteArray::fromHex("FF77")), -1);
}

TEST(SimLine, EachOfSixteenGaugesAnswersItsOwnAddressWithItsOwnPlantNumberAndLevel)
{
    TSimLineConfig config;
    NumberSimGauges(config, 16);
    LineOnTestClock l(config);
    ASSERT_EQ(l.line->gauges().count(), 16);
    QSet<int> levels;
    for (int a = 1; a <= 16; ++a) {
        const TSimReply echo = l.line->answer(echoTo(a), false);
        EXPECT_EQ(echo.bytes(), AnswerEcho(uint8_t(a))) << a;
        EXPECT_EQ(echo.bus, TSimBusOutcome::Answer);

        const QByteArray signature = l.line->answer(signatureTo(a), false).bytes();
        ASSERT_EQ(signature.size(), 10) << a;
        EXPECT_TRUE(CheckCrc16(signature));
        EXPECT_EQ(ByteAt(signature, 0), a);
        EXPECT_EQ(WordAt(signature, 4), 1000 + a);

        const QByteArray all = l.line->answer(to(a, "0201"), false).bytes();
        ASSERT_EQ(all.size(), 29) << a;
        levels.insert(qRound(SingleAt(all, 11)));
    }
    EXPECT_EQ(levels.size(), 16) << "no two tanks of the farm at one level";
    for (int silent : {17, 255, 0}) {
        const TSimReply none = l.line->answer(echoTo(silent), false);
        EXPECT_TRUE(none.isEmpty()) << silent;
        EXPECT_EQ(none.bus, TSimBusOutcome::Silence);
    }
    // The meter measures gauge 1.
    EXPECT_NEAR(l.line->meter().current(), l.line->gauges().gauge(0).level() * 16 / 15000 + 4, 0.021);
}

TEST(SimLine, TwoGaugesAtOneAddressCollideButTheAddressWriteReachesOnlyTheNamedOne)
{
    // Two gauges fresh from the factory (both at 255), plant numbers 1 and 2,
    // as they meet on a line before commissioning.
    TSimLineConfig config;
    TSimGaugeConfig second;
    second.parameters.plantNumber = 2;
    second.seed = 2;
    config.moreGauges.append(second);
    LineOnTestClock l(config);
    for (const QByteArray &request : {echoTo(255), signatureTo(255), to(255, "0201")}) {
        const TSimReply both = l.line->answer(request, false);
        EXPECT_EQ(both.bus, TSimBusOutcome::Collision);
        ASSERT_FALSE(both.isEmpty());
        // Even the echo, the same bytes from both, must not read as one clean
        // answer: the reader has to see that two gauges share the address.
        EXPECT_FALSE(CheckCrc16(both.bytes())) << request.toHex().toStdString();
    }

    // The address write names a plant number: only that gauge answers, from
    // its new address, and the two are apart from then on.
    const TSimReply moved = l.line->answer(to(255, "25050B000205"), false);
    EXPECT_EQ(moved.bus, TSimBusOutcome::Answer);
    EXPECT_TRUE(CheckCrc16(moved.bytes()));
    EXPECT_EQ(ByteAt(moved.bytes(), 0), 5);
    EXPECT_EQ(l.line->answer(echoTo(255), false).bytes(), AnswerEcho(255));
    EXPECT_EQ(l.line->answer(echoTo(5), false).bytes(), AnswerEcho(5));
}

TEST(SimLine, SilentGaugeNeitherHearsNorAnswersAndAGarbledOneActsButAnswersBroken)
{
    TSimLineConfig config;
    NumberSimGauges(config, 3);
    config.faults.rate = 1.0; // the line's faults draw on clean answers only
    config.faults.kinds = {TSimFault::BadCrc};
    LineOnTestClock l(config);
    TSimGaugeBus &gauges = l.line->gauges();
    QByteArray lmax = QByteArray::fromHex("02B30603");
    AppendSingle(lmax, 9000.0);
    lmax = AppendCrc16(lmax);

    gauges.setLink(1, TSimGaugeLink::Silent);
    EXPECT_TRUE(l.line->answer(lmax, false).isEmpty());
    EXPECT_EQ(gauges.gauge(1).parameters().floatParam(FloatParam::Lmax), 15000.0f);
    EXPECT_EQ(l.line->answer(echoTo(1), false).bytes().left(5), AnswerEcho(1).left(5));

    gauges.setLink(1, TSimGaugeLink::Garbled);
    const TSimReply garbled = l.line->answer(lmax, false);
    EXPECT_EQ(garbled.bus, TSimBusOutcome::Garbled);
    EXPECT_EQ(garbled.fault, TSimFault::None);
    const QByteArray acknowledge = AnswerAcknowledge(2, GaugeFunction::FloatWrite);
    ASSERT_EQ(garbled.bytes().size(), acknowledge.size());
    EXPECT_EQ(garbled.bytes().chopped(1), acknowledge.chopped(1));
    EXPECT_FALSE(CheckCrc16(garbled.bytes()));
    EXPECT_EQ(gauges.gauge(1).parameters().floatParam(FloatParam::Lmax), 9000.0f);

    gauges.setLink(1, TSimGaugeLink::Normal);
    l.line->faults() = TSimFaults(TSimFaultConfig{});
    EXPECT_EQ(l.line->answer(echoTo(2), false).bytes(), AnswerEcho(2));
}
