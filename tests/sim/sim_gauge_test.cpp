#include "sim/sim_gauge.h"

#include "protocol/frame.h"
#include "sim/gauge_arrays.h"
#include "support/bytes.h"
#include "support/temp_home.h"

#include <QFile>
#include <gtest/gtest.h>
#include <cmath>

namespace {

QByteArray crcFramed(std::initializer_list<int> payload)
{
    return AppendCrc16(bytes(payload));
}

QByteArray floatWrite(uint8_t address, uint8_t number, float value)
{
    QByteArray payload;
    payload.append(char(address));
    payload.append(char(0xB3));
    payload.append(char(0x06));
    payload.append(char(number));
    AppendSingle(payload, value);
    return AppendCrc16(payload);
}

// A gauge on a clock the test moves by hand.
struct GaugeOnTestClock
{
    qint64 ms = 0;
    TSimGauge gauge;
    explicit GaugeOnTestClock(TSimGaugeConfig config = {})
        : gauge(config, [this] { return ms; })
    {
    }
    QByteArray ask(const QByteArray &req) { return gauge.answer(req); }
};

int errorCode(const QByteArray &answer)
{
    if (answer.size() != 6 || ByteAt(answer, 1) != 0xFA || !CheckCrc16(answer))
        return -1;
    return ByteAt(answer, 3);
}

} // namespace

TEST(SimGauge, SilentOnBadChecksumOtherAddressAndLineNoise)
{
    GaugeOnTestClock g;
    QByteArray echo = crcFramed({0xFF, 0x10, 0x03, 0xAA, 0x55});
    ASSERT_FALSE(g.ask(echo).isEmpty());
    echo[echo.size() - 1] = char(ByteAt(echo, echo.size() - 1) ^ 0x01);
    EXPECT_TRUE(g.ask(echo).isEmpty());
    EXPECT_TRUE(g.ask(crcFramed({0x01, 0x10, 0x03, 0xAA, 0x55})).isEmpty());
    EXPECT_TRUE(g.ask(QByteArray()).isEmpty());
    EXPECT_TRUE(g.ask(QByteArray::fromHex("FF10")).isEmpty());

    // 255 is the address of a new gauge, not a call to every gauge.
    TSimGaugeConfig config;
    config.parameters.systemAddress = 7;
    GaugeOnTestClock seven(config);
    EXPECT_TRUE(seven.ask(crcFramed({0xFF, 0x10, 0x03, 0xAA, 0x55})).isEmpty());
    EXPECT_EQ(seven.ask(crcFramed({0x07, 0x10, 0x03, 0xAA, 0x55})),
              AppendCrc16(QByteArray::fromHex("07100355AA")));
}

TEST(SimGauge, RefusesUnknownAndMalformedRequestsWithErrorAnswers)
{
    GaugeOnTestClock g;
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0x55, 0x01}))), 1);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xB1, 0x03, 0x77, 0x00}))), 1);
    // Wrong count byte, wrong length, wrong echo pattern.
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0x02, 0x02}))), 3);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xB6, 0x02}))), 3);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0x10, 0x03, 0x55, 0xAA}))), 3);
    // Known function, nothing to do it with.
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0x01, 0x02, 0x06}))), 2);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xB5, 0x02, 0x05}))), 2);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xB6, 0x02, 0x05}))), 2);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xB4, 0x02, 0x0B}))), 2);
    EXPECT_EQ(errorCode(g.ask(floatWrite(0xFF, 19, 1.0f))), 2);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xB1, 0x03, 0x3C, 0x03}))), 2);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xB1, 0x03, 0x64, 0x0D}))), 2);
}

TEST(SimGauge, SingleReadingsAgreeWithAllReadingsAndTheConversionCharacteristic)
{
    GaugeOnTestClock g;
    g.ms = 123456;
    const QByteArray all = g.ask(crcFramed({0xFF, 0x02, 0x01}));
    ASSERT_EQ(all.size(), 29);
    const double freq = SingleAt(all, 3), distance = SingleAt(all, 7), level = SingleAt(all, 11);
    const double levelFree = SingleAt(all, 15), reserve = SingleAt(all, 19);
    EXPECT_NEAR(distance, 15000 - level, 0.01);
    EXPECT_NEAR(levelFree, 15000 - level, 0.01);
    EXPECT_NEAR(146.243 * freq + 0, distance, 0.05);
    EXPECT_GE(level, 1500 - 1);
    EXPECT_LE(level, 13500 + 1);
    EXPECT_NEAR(reserve, level, 60); // 10 s average at 5 mm/s
    EXPECT_EQ(ByteAt(all, 26), 0);

    const double expected[] = {freq, distance, level, levelFree, reserve};
    for (int selector = 0; selector < 5; ++selector) {
        const QByteArray one = g.ask(crcFramed({0xFF, 0x01, 0x02, selector}));
        ASSERT_EQ(one.size(), 11);
        EXPECT_FLOAT_EQ(SingleAt(one, 3), float(expected[selector])) << selector;
    }
    const QByteArray gain = g.ask(crcFramed({0xFF, 0x01, 0x02, 0x05}));
    ASSERT_EQ(gain.size(), 9);
    EXPECT_EQ(WordAt(gain, 3), WordAt(all, 23));

    g.gauge.setStatus(11);
    EXPECT_EQ(ByteAt(g.ask(crcFramed({0xFF, 0x01, 0x02, 0x02})), 8), 11);
    EXPECT_EQ(ByteAt(g.ask(crcFramed({0xFF, 0x01, 0x02, 0x05})), 6), 11);
    EXPECT_EQ(ByteAt(g.ask(crcFramed({0xFF, 0x02, 0x01})), 26), 11);
}

TEST(SimGauge, LevelFillsAndDrainsBetweenItsLimitsAndRepeatsForTheSameSeed)
{
    GaugeOnTestClock g;
    double lowest = 1e9, highest = -1e9;
    bool rose = false, fell = false;
    double previous = g.gauge.level();
    for (g.ms = 0; g.ms < 2 * 3600 * 1000; g.ms += 10 * 1000) { // one cycle: 80 min
        const double level = g.gauge.level();
        lowest = std::min(lowest, level);
        highest = std::max(highest, level);
        rose |= level > previous + 10;
        fell |= level < previous - 10;
        previous = level;
    }
    EXPECT_TRUE(rose);
    EXPECT_TRUE(fell);
    EXPECT_NEAR(lowest, 1500, 60);
    EXPECT_NEAR(highest, 13500, 60);

    GaugeOnTestClock twin;
    g.ms = twin.ms = 777777;
    EXPECT_EQ(g.ask(crcFramed({0xFF, 0x02, 0x01})), twin.ask(crcFramed({0xFF, 0x02, 0x01})));

    // Lmax written lower moves the tank's limits with it.
    ASSERT_FALSE(g.ask(floatWrite(0xFF, 3, 5000.0f)).isEmpty());
    EXPECT_LE(g.gauge.level(), 4500 + 1);

    // A target held on the bench stays put, within the ripple, and the
    // product moves again once it is let go.
    g.gauge.holdLevel(3210);
    for (g.ms = 0; g.ms < 600 * 1000; g.ms += 7000)
        EXPECT_NEAR(g.gauge.level(), 3210, 0.5);
    g.gauge.holdLevel(std::nullopt);
    EXPECT_GT(std::abs(g.gauge.level() - 3210), 1);
}

TEST(SimGauge, EveryParameterWrittenReadsBack)
{
    GaugeOnTestClock g;
    for (const auto &[number, unused] : TSimGaugeParameters().words) {
        const uint16_t value = uint16_t(1000 + number);
        EXPECT_EQ(g.ask(crcFramed({0xFF, 0xB2, 0x04, number, value >> 8, value & 0xFF})),
                  AppendCrc16(QByteArray::fromHex("FFB201")));
        const QByteArray read = g.ask(crcFramed({0xFF, 0xB5, 0x02, number}));
        ASSERT_EQ(read.size(), 7);
        EXPECT_EQ(WordAt(read, 3), value) << int(number);
    }
    for (const auto &[number, unused] : TSimGaugeParameters().floats) {
        const float value = 100.125f + number;
        EXPECT_EQ(g.ask(floatWrite(0xFF, number, value)), AppendCrc16(QByteArray::fromHex("FFB301")));
        const QByteArray read = g.ask(crcFramed({0xFF, 0xB6, 0x02, number}));
        ASSERT_EQ(read.size(), 9);
        EXPECT_EQ(SingleAt(read, 3), value) << int(number);
    }
    EXPECT_EQ(g.gauge.parameters().floats.size(), 13u + 20u);

    // Device type and prediction mode through the control commands.
    EXPECT_EQ(ByteAt(g.ask(crcFramed({0xFF, 0xB4, 0x02, 100})), 3), 11);
    EXPECT_EQ(g.ask(crcFramed({0xFF, 0xB1, 0x03, 0x64, 0x0C})), AppendCrc16(QByteArray::fromHex("FFB101")));
    EXPECT_EQ(ByteAt(g.ask(crcFramed({0xFF, 0xB4, 0x02, 100})), 3), 12);
    EXPECT_FALSE(g.ask(crcFramed({0xFF, 0xB1, 0x03, 0x3C, 0x02})).isEmpty());
    EXPECT_EQ(g.gauge.parameters().predictionMode, 2);

    // Plant number write answers with the new number in a signature.
    const QByteArray plant = g.ask(crcFramed({0xFF, 0x30, 0x03, 0x12, 0x34}));
    ASSERT_EQ(plant.size(), 10);
    EXPECT_EQ(ByteAt(plant, 1), 0x30);
    EXPECT_EQ(WordAt(plant, 4), 0x1234);
    const QByteArray id = g.ask(crcFramed({0xFF, 0x23, 0x01}));
    ASSERT_EQ(id.size(), 15);
    EXPECT_EQ(ByteAt(id, 3), 12);
    EXPECT_EQ(WordAt(id, 4), 0x1234);
    EXPECT_EQ(ByteAt(id, 7), 2);
}

TEST(SimGauge, TemperatureIsASignedByte)
{
    GaugeOnTestClock g;
    for (g.ms = 0; g.ms < 20 * 60000; g.ms += 60000) {
        const QByteArray t = g.ask(crcFramed({0xFF, 0xB4, 0x02, 20}));
        ASSERT_EQ(t.size(), 6);
        EXPECT_EQ(int8_t(ByteAt(t, 3)), g.gauge.readings().temperature);
        EXPECT_GE(int8_t(ByteAt(t, 3)), 18);
        EXPECT_LE(int8_t(ByteAt(t, 3)), 26);
    }
}

TEST(SimGauge, SystemAddressChangesOnlyForItsOwnPlantNumber)
{
    TSimGaugeConfig config;
    config.parameters.plantNumber = 0x1234;
    GaugeOnTestClock g(config);
    EXPECT_TRUE(g.ask(crcFramed({0xFF, 0x25, 0x05, 0x0B, 0x12, 0x35, 0x05})).isEmpty());
    EXPECT_EQ(g.gauge.address(), 255);

    const QByteArray moved = g.ask(crcFramed({0xFF, 0x25, 0x05, 0x0B, 0x12, 0x34, 0x05}));
    ASSERT_EQ(moved.size(), 10);
    EXPECT_TRUE(CheckCrc16(moved));
    EXPECT_EQ(ByteAt(moved, 0), 5);
    EXPECT_EQ(ByteAt(moved, 1), 0x25);
    EXPECT_EQ(WordAt(moved, 4), 0x1234);
    EXPECT_TRUE(g.ask(crcFramed({0xFF, 0x10, 0x03, 0xAA, 0x55})).isEmpty());
    EXPECT_FALSE(g.ask(crcFramed({0x05, 0x10, 0x03, 0xAA, 0x55})).isEmpty());
}

TEST(SimGauge, StoredParametersSurviveARestartAndUnstoredOnesDoNot)
{
    TempHome home;
    TSimGaugeConfig config;
    config.stateFile = home.file("gauge.json");
    {
        GaugeOnTestClock g(config);
        EXPECT_EQ(g.gauge.stateLoad(), TSimStateLoad::Missing);
        g.ask(floatWrite(0xFF, 2, 20000.0f));
        g.ask(crcFramed({0xFF, 0xB2, 0x04, 0x08, 0x00, 0x07}));
        g.ask(crcFramed({0xFF, 0xB1, 0x03, 0x64, 0x0C}));
        g.ask(crcFramed({0xFF, 0x30, 0x03, 0x04, 0xD2}));
        ASSERT_EQ(g.ask(crcFramed({0xFF, 0xA2, 0x01})), AppendCrc16(QByteArray::fromHex("FFA201")));
        g.ask(floatWrite(0xFF, 0, 99.0f)); // changed after the store: lost
    }
    GaugeOnTestClock again(config);
    EXPECT_EQ(again.gauge.stateLoad(), TSimStateLoad::Loaded);
    const TSimGaugeParameters &p = again.gauge.parameters();
    EXPECT_EQ(p.floatParam(2), 20000.0f);
    EXPECT_EQ(p.wordParam(8), 7);
    EXPECT_EQ(p.deviceType, 12);
    EXPECT_EQ(p.plantNumber, 1234);
    EXPECT_EQ(p.floatParam(0), 146.243f);
    EXPECT_EQ(SingleAt(again.ask(crcFramed({0xFF, 0xB6, 0x02, 0x02})), 3), 20000.0f);
}

TEST(SimGauge, CorruptStateFileIsReportedAndLeftAlone)
{
    TempHome home;
    TSimGaugeConfig config;
    config.stateFile = home.file("gauge.json");
    for (const QByteArray &bad :
         {QByteArray("{ not json"), QByteArray("[]"), QByteArray("{\"kind\":\"something else\",\"version\":1}"),
          QByteArray("{\"kind\":\"tolm-sim gauge state\",\"version\":1,\"systemAddress\":300}"),
          QByteArray("{\"kind\":\"tolm-sim gauge state\",\"version\":1,\"floats\":{\"2\":\"lots\"}}")}) {
        home.writeRaw("gauge.json", bad);
        GaugeOnTestClock g(config);
        EXPECT_EQ(g.gauge.stateLoad(), TSimStateLoad::Corrupt) << bad.constData();
        EXPECT_FALSE(g.gauge.stateError().isEmpty());
        EXPECT_EQ(g.gauge.parameters(), TSimGaugeParameters());
        EXPECT_EQ(home.readRaw("gauge.json"), bad);
    }
}

TEST(SimGauge, StoreThatCannotBeWrittenIsRefusedAndKeepsTheOldFile)
{
    TempHome home;
    TSimGaugeConfig config;
    config.stateFile = home.file("missing-folder/gauge.json");
    GaugeOnTestClock g(config);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xA2, 0x01}))), 2);
    EXPECT_FALSE(g.gauge.stateError().isEmpty());
    EXPECT_FALSE(QFile::exists(config.stateFile));
}

TEST(SimGauge, NonFiniteValuesRoundTripThroughTheStateFile)
{
    TempHome home;
    TSimGaugeConfig config;
    config.stateFile = home.file("gauge.json");
    {
        GaugeOnTestClock g(config);
        g.ask(floatWrite(0xFF, 62, std::nanf("")));
        g.ask(floatWrite(0xFF, 63, -INFINITY));
        g.ask(crcFramed({0xFF, 0xA2, 0x01}));
        // Readings stay answerable whatever the parameters hold.
        g.ask(floatWrite(0xFF, 0, 1e-30f));
        EXPECT_EQ(g.ask(crcFramed({0xFF, 0x02, 0x01})).size(), 29);
    }
    GaugeOnTestClock again(config);
    ASSERT_EQ(again.gauge.stateLoad(), TSimStateLoad::Loaded);
    EXPECT_TRUE(std::isnan(again.gauge.parameters().floatParam(62)));
    EXPECT_EQ(again.gauge.parameters().floatParam(63), -INFINITY);
}

TEST(SimGauge, BlockReadNeedsTheArrayInitialisation)
{
    GaugeOnTestClock g;
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xA8, 0x04, 0x00, 0x00, 0x20}))), 2);
    ASSERT_FALSE(g.ask(crcFramed({0xFF, 0xB1, 0x03, 0x14, 0x1E})).isEmpty());
    EXPECT_EQ(g.ask(crcFramed({0xFF, 0xA8, 0x04, 0x01, 0xE0, 0x20})).size(), 133);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xA8, 0x04, 0x02, 0x00, 0x20}))), 2);
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xA8, 0x04, 0x00, 0x00, 0x10}))), 3);
    ASSERT_FALSE(g.ask(crcFramed({0xFF, 0xB1, 0x03, 0x28, 0x28})).isEmpty());
    EXPECT_EQ(errorCode(g.ask(crcFramed({0xFF, 0xA8, 0x04, 0x00, 0x00, 0x20}))), 2);
}

TEST(SimGauge, SpectrumPeaksAtTheLineOfThePresentDistance)
{
    GaugeOnTestClock g;
    for (qint64 at : {0LL, 400000LL, 1500000LL}) {
        g.ms = at;
        ASSERT_FALSE(g.ask(crcFramed({0xFF, 0xB1, 0x03, 0x14, 0x1E})).isEmpty());
        const double distance = g.gauge.readings().distance;
        std::vector<float> spectrum;
        for (int block = 1; block <= 16; ++block) {
            const int offset = (block - 1) * 32;
            const QByteArray a = g.ask(crcFramed({0xFF, 0xA8, 0x04, offset >> 8, offset & 0xFF, 0x20}));
            ASSERT_EQ(a.size(), 133);
            for (int j = 0; j < 32; ++j)
                spectrum.push_back(SingleAt(a, 3 + 4 * j));
        }
        const int peak = int(std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin());
        // No other line lies closer to the distance than the peak's.
        const double krPer = 146.243;
        EXPECT_LE(std::fabs(krPer * (2 * peak + 1) - distance), krPer + 1e-6) << distance;
        std::vector<float> sorted = spectrum;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_GT(spectrum[peak], 20 * sorted[256]); // well above the median floor
    }
}

TEST(SimGauge, SignalIsTheBeatOscillationOfThePresentDistance)
{
    GaugeOnTestClock g;
    g.ms = 250000;
    ASSERT_FALSE(g.ask(crcFramed({0xFF, 0xB1, 0x03, 0x14, 0x14})).isEmpty());
    std::vector<double> signal;
    for (int block = 1; block <= 32; ++block) {
        const int offset = (block - 1) * 32;
        const QByteArray a = g.ask(crcFramed({0xFF, 0xA8, 0x04, offset >> 8, offset & 0xFF, 0x20}));
        ASSERT_EQ(a.size(), 133);
        for (int j = 0; j < 32; ++j)
            signal.push_back(LongIntAt(a, 3 + 4 * j));
    }
    // The strongest DFT bin of the signal is the spectrum's peak line.
    int best = 0;
    double bestPower = -1;
    for (int k = 0; k < 512; ++k) {
        double re = 0, im = 0;
        for (int n = 0; n < 1024; ++n) {
            re += signal[n] * std::cos(2 * M_PI * k * n / 1024);
            im -= signal[n] * std::sin(2 * M_PI * k * n / 1024);
        }
        if (re * re + im * im > bestPower) {
            bestPower = re * re + im * im;
            best = k;
        }
    }
    EXPECT_EQ(best, SpectrumLineForDistance(g.gauge.readings().distance, 146.243));
}

TEST(SimGauge, RegisterReadGetsTheRegisterReplyNotAGaugeAnswer)
{
    GaugeOnTestClock g;
    const QByteArray a = g.ask(crcFramed({0xFF, 0x04, 0x00, 0x00, 0x00, 0x0F}));
    ASSERT_EQ(a.size(), 35);
    EXPECT_TRUE(CheckCrc16(a));
    EXPECT_EQ(ByteAt(a, 1), 0x04);
    EXPECT_EQ(WordAt(a, 3), 1); // plant number
}
