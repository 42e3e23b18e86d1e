// Every command code once through the whole model: the request records its
// context, the simulated gauge's well-formed answer to that request is
// parsed, and the reading or parameter lands where the command says.

#include "device/status_words.h"
#include "device/tolm472.h"
#include "protocol/frame.h"
#include "sim/answer_builder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr uint8_t RoundTripAddress = 9;

// What the answer to one command does to a fresh model.
struct TRoundTrip
{
    QByteArray answer;
    int linkState = 1; // 0: the answer is not one that is accepted
    int32_t errorCode = 0;
    std::function<void(const Ttolm472 &)> check; // the stored value, where there is one
};

// Distinct for every code, inside every setter's range (KKalman wants
// (0, 1], ODPM [1, 100], Lmax up to Hmax) and exact in single precision.
double floatFor(int code)
{
    return (code - 60) / 64.0;
}

TIODouble &zoneValue(Ttolm472 &m, int firstCode, int code)
{
    const int n = (code - firstCode) % 5 + 1;
    switch ((code - firstCode) / 5) {
    case 0: return m.BadZones.Zone(n).Near;
    case 1: return m.BadZones.Zone(n).Far;
    case 2: return m.BadZones.Zone(n).FillSpeed;
    default: return m.BadZones.Zone(n).EmptySpeed;
    }
}

using TFloatGetter = double (TGaugeConfiguration::*)() const;

TFloatGetter floatGetter(int code)
{
    switch (code) {
    case KrPerRead: return &TGaugeConfiguration::KrPer;
    case SmPerRead: return &TGaugeConfiguration::SmPer;
    case HmaxRead: return &TGaugeConfiguration::Hmax;
    case LmaxRead: return &TGaugeConfiguration::Lmax;
    case KKalmanRead: return &TGaugeConfiguration::KKalman;
    case SpeedRead: return &TGaugeConfiguration::Speed;
    case KrFChHRead: return &TGaugeConfiguration::KrFChH;
    case SmFChHRead: return &TGaugeConfiguration::SmFChH;
    case RadiusRead: return &TGaugeConfiguration::Radius;
    case FreqNesRead: return &TGaugeConfiguration::FreqNes;
    case FreqDevRead: return &TGaugeConfiguration::FreqDev;
    default: return &TGaugeConfiguration::ODPM;
    }
}

TRoundTrip singleValue(int code)
{
    const double value = 1000.25 + code;
    return {AnswerSingleValue(RoundTripAddress, value, 0), 1, 0, [code, value](const Ttolm472 &m) {
                const TIODouble *target[] = {&m.Readings.Freq, &m.Readings.Distance, &m.Readings.Level,
                                             &m.Readings.LevelFree, &m.Readings.Reserve};
                EXPECT_EQ(target[code]->AsDouble(), value);
            }};
}

TRoundTrip roundTripOf(int code, Ttolm472 &m)
{
    if (code <= ReserveRead)
        return singleValue(code);
    if (code == UsilRead)
        return {AnswerGain(RoundTripAddress, 4321, 0), 1, 0, [](const Ttolm472 &m) { EXPECT_EQ(m.Config.Usil(), 4321); }};
    if (code == LevelAllRead) {
        const TAllReadings r{10.5, 20.5, 30.5, 40.5, 50.5, 60, 0};
        return {AnswerAllReadings(RoundTripAddress, r), 1, 0, [](const Ttolm472 &m) {
                    EXPECT_EQ(m.Readings.Freq.AsDouble(), 10.5);
                    EXPECT_EQ(m.Readings.Distance.AsDouble(), 20.5);
                    EXPECT_EQ(m.Readings.Level.AsDouble(), 30.5);
                    EXPECT_EQ(m.Readings.LevelFree.AsDouble(), 40.5);
                    EXPECT_EQ(m.Readings.Reserve.AsDouble(), 50.5);
                    EXPECT_EQ(m.Config.Usil(), 60);
                }};
    }
    if (code == Echo)
        return {AnswerEcho(RoundTripAddress), 1, 0, {}};
    if (code == SignatureRead || code == PlantNumberWrite) {
        const uint8_t function = code == SignatureRead ? GaugeFunction::Signature : GaugeFunction::PlantNumber;
        return {AnswerSignature(RoundTripAddress, function, {11, 0x2468, 4, 7}), 1, 0, [](const Ttolm472 &m) {
                    EXPECT_EQ(m.Config.PlantNumber(), 0x2468);
                    EXPECT_EQ(m.Identity.HardVersion, 4);
                    EXPECT_EQ(m.Identity.SoftVersion, 7);
                }};
    }
    if (code == IdentificationRead)
        return {AnswerIdentification(RoundTripAddress, {12, 0x1357, 1, 2, 3, 0x1111, 0x2222}), 1, 0, [](const Ttolm472 &m) {
                    EXPECT_EQ(m.Config.PlantNumber(), 0x1357);
                    EXPECT_EQ(m.Identity.SoftVersionCOS, 3);
                    EXPECT_EQ(m.Identity.CRC16Host, 0x1111);
                }};
    if (code == SystemAddressWrite)
        return {AnswerSignature(m.Config.SystemAddressNew(), GaugeFunction::SystemAddress, {11, 0x2468, 4, 7}), 1, 0,
                [](const Ttolm472 &m) { EXPECT_EQ(m.SystemAddress(), 33); }};
    if (code == WriteToPZU)
        return {AnswerAcknowledge(RoundTripAddress, GaugeFunction::StoreToRom), 1, 0, {}};
    if (code == DataBlockRead) {
        const std::array<float, 32> block{-1.5f, 2.5f};
        return {AnswerSpectrumBlock(RoundTripAddress, block), 1, 0, [](const Ttolm472 &m) {
                    EXPECT_EQ(m.Arrays.Spectrum[64], -1.5);
                    EXPECT_EQ(m.Arrays.Spectrum[65], 2.5);
                }};
    }
    if (code <= ProgramTypeWrite12)
        return {AnswerAcknowledge(RoundTripAddress, GaugeFunction::Control), 1, 0, {}};
    if (code <= MUPWrite)
        return {AnswerAcknowledge(RoundTripAddress, GaugeFunction::WordWrite), 1, 0, {}};
    if (code <= ODPMWrite)
        return {AnswerAcknowledge(RoundTripAddress, GaugeFunction::FloatWrite), 1, 0, {}};
    if (code == ByteParam10Read)
        return {AnswerByteValue(RoundTripAddress, 0xF6), 0, 0, [](const Ttolm472 &m) {
                    EXPECT_EQ(m.Readings.Temp.AsDouble(), 0);
                    EXPECT_EQ(m.Identity.ProgramType, 11);
                }};
    if (code == TempRead)
        return {AnswerByteValue(RoundTripAddress, 0xE2), 0, 0,
                [](const Ttolm472 &m) { EXPECT_EQ(m.Readings.Temp.AsDouble(), -30); }};
    if (code == ProgramTypeRead)
        return {AnswerByteValue(RoundTripAddress, 12), 0, 0, [](const Ttolm472 &m) { EXPECT_EQ(m.Identity.ProgramType, 12); }};
    if (code <= MUPRead) {
        const uint16_t value = code == VariantProcessingRead ? 0x80F1 : code == MUPRead ? 17 : 3000 + code;
        return {AnswerWordParameter(RoundTripAddress, value), 0, 0, [code, value](const Ttolm472 &m) {
                    const uint16_t got[] = {m.Config.VariantProcessing(), m.Config.CountBadZones(), m.Config.FreqBeg(),
                                            m.Config.MUP()};
                    EXPECT_EQ(got[code - VariantProcessingRead], value);
                }};
    }
    if (code >= BadZoneNearRead1 && code < KrFChHRead) {
        const double value = 100.5 + code;
        TIODouble *target = &zoneValue(m, BadZoneNearRead1, code);
        return {AnswerFloatParameter(RoundTripAddress, value), 0, 0,
                [target, value](const Ttolm472 &) { EXPECT_EQ(target->AsDouble(), value); }};
    }
    if (code <= ODPMRead) {
        const double value = code == ODPMRead ? 1 + floatFor(code) : floatFor(code);
        return {AnswerFloatParameter(RoundTripAddress, value), 0, 0,
                [code, value](const Ttolm472 &m) { EXPECT_EQ((m.Config.*floatGetter(code))(), value); }};
    }
    // RegistersRead: the gauge's register reply is not an answer this program takes.
    const uint16_t registers[15] = {};
    return {AnswerRegisters(RoundTripAddress, registers), 2, StatusCode::CommandMismatch, {}};
}

class CommandRoundTrip : public ::testing::TestWithParam<int>
{
};

TEST_P(CommandRoundTrip, AnswerToTheRequestLandsInTheModel)
{
    const int code = GetParam();
    Ttolm472 model;
    model.SetErrorMax(1);
    model.SetSystemAddress(RoundTripAddress);
    model.Config.SetSystemAddressNew(33);
    if (code == DataBlockRead) {
        ASSERT_TRUE(model.BuildRequest(SpectrumReadInit));
        model.Arrays.BlockIndex = 3;
    }
    QString error;
    const auto payload = model.BuildRequest(code, &error);
    if (code == CurrentOutputReading) {
        EXPECT_FALSE(payload.has_value());
        EXPECT_EQ(error, QStringLiteral("Ошибка формирования запроса"));
        return;
    }
    ASSERT_TRUE(payload.has_value()) << error.toStdString();
    ASSERT_EQ(uint8_t(payload->at(0)), RoundTripAddress);

    const TRoundTrip expected = roundTripOf(code, model);
    if (code != RegistersRead) {
        EXPECT_EQ(expected.answer.at(1), payload->at(1)) << "the gauge answers with the request's function";
    }
    model.ParseAnswer(expected.answer);
    EXPECT_EQ(model.LastErrorCode, expected.errorCode);
    EXPECT_EQ(model.LinkState.AsInt(), expected.linkState);
    if (expected.check)
        expected.check(model);
}

INSTANTIATE_TEST_SUITE_P(EveryCode, CommandRoundTrip, ::testing::Range(0, CommandCount),
                         [](const ::testing::TestParamInfo<int> &info) {
                             const QString name = CommandName(info.param);
                             return QStringLiteral("%1_%2")
                                 .arg(info.param, 3, 10, QLatin1Char('0'))
                                 .arg(name.isEmpty() ? QStringLiteral("none") : name)
                                 .toStdString();
                         });

} // namespace
