#include "link/answer_completeness.h"
#include "link/frame/frame.h"
#include "sim/answer_builder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// One answer of every layout, as the simulated gauge builds them.
std::vector<QByteArray> everyGaugeAnswer()
{
    const std::vector<int32_t> signal(32, -7);
    const std::vector<float> spectrum(32, 1.5f);
    TAllReadings readings;
    readings.level = 1234.5;
    return {
        AnswerSingleValue(1, 2500.25, 0),
        AnswerGain(1, 812, 0),
        AnswerAllReadings(1, readings),
        AnswerEcho(1),
        AnswerSignature(1, GaugeFunction::Signature, {12, 4711, 3, 7}),
        AnswerSignature(9, GaugeFunction::SystemAddress, {12, 4711, 3, 7}),
        AnswerSignature(1, GaugeFunction::PlantNumber, {12, 4712, 3, 7}),
        AnswerIdentification(1, {12, 4711, 3, 7, 8, 0xBEEF, 0xCAFE}),
        AnswerAcknowledge(1, GaugeFunction::StoreToRom),
        AnswerAcknowledge(1, GaugeFunction::Control),
        AnswerAcknowledge(1, GaugeFunction::WordWrite),
        AnswerAcknowledge(1, GaugeFunction::FloatWrite),
        AnswerSignalBlock(1, signal),
        AnswerSpectrumBlock(1, spectrum),
        AnswerByteValue(1, 0xF6),
        AnswerWordParameter(1, 300),
        AnswerFloatParameter(1, 16000.0),
        AnswerError(1, GaugeError::CannotExecute),
    };
}

} // namespace

TEST(AnswerCompleteness, EveryGaugeLayoutIsCompleteExactlyAtItsLength)
{
    for (const QByteArray &answer : everyGaugeAnswer()) {
        SCOPED_TRACE(BytesToHex(answer).toStdString());
        EXPECT_TRUE(IsAnswerComplete(TAnswerKind::Gauge, answer));
        const uint8_t function = uint8_t(answer.at(1));
        if (function != GaugeFunction::ReadValue) {
            EXPECT_EQ(GaugeAnswerLength(function), answer.size());
        }
        for (qsizetype n = 0; n < answer.size(); ++n)
            EXPECT_FALSE(IsAnswerComplete(TAnswerKind::Gauge, answer.left(n))) << "prefix of " << n;
        // A byte more is not what the gauge sends: the time-outs decide.
        EXPECT_FALSE(IsAnswerComplete(TAnswerKind::Gauge, answer + '\0'));
    }
}

TEST(AnswerCompleteness, BadChecksumOrUnknownFunctionNeverEndsEarly)
{
    for (QByteArray answer : everyGaugeAnswer()) {
        answer[answer.size() - 1] = char(answer.at(answer.size() - 1) ^ 0x01);
        EXPECT_FALSE(IsAnswerComplete(TAnswerKind::Gauge, answer)) << BytesToHex(answer).toStdString();
    }
    // The register-read reply has a valid CRC but is no answer of the program.
    const uint16_t registers[] = {1, 2};
    EXPECT_FALSE(IsAnswerComplete(TAnswerKind::Gauge, AnswerRegisters(1, registers)));
    EXPECT_FALSE(IsAnswerComplete(TAnswerKind::Gauge, AppendCrc16(QByteArray("\x01\x77\x01", 3))));
    EXPECT_EQ(GaugeAnswerLength(0x04), 0);
}

TEST(AnswerCompleteness, ReadingAnswerOfElevenBytesIsNotCutAtNine)
{
    // The gain answer and the single-value answer share the function byte.
    // Only nine bytes whose own CRC is right end the read early.
    const QByteArray value = AnswerSingleValue(1, 42.0, 0);
    ASSERT_EQ(value.size(), 11);
    ASSERT_FALSE(CheckCrc16(value.left(9)));
    EXPECT_FALSE(IsAnswerComplete(TAnswerKind::Gauge, value.left(9)));
    EXPECT_FALSE(IsAnswerComplete(TAnswerKind::Gauge, value.left(10)));
    EXPECT_TRUE(IsAnswerComplete(TAnswerKind::Gauge, AnswerGain(1, 812, 0)));
}

TEST(AnswerCompleteness, MeterAnswerNeedsEightBytesAndItsCrc8)
{
    const QByteArray answer = AnswerMeterCurrent(12.34);
    ASSERT_EQ(answer.size(), MeterAnswerLength);
    EXPECT_TRUE(IsAnswerComplete(TAnswerKind::Meter, answer));
    for (qsizetype n = 0; n < answer.size(); ++n)
        EXPECT_FALSE(IsAnswerComplete(TAnswerKind::Meter, answer.left(n)));
    QByteArray damaged = answer;
    damaged[5] = char(damaged.at(5) + 1);
    EXPECT_FALSE(IsAnswerComplete(TAnswerKind::Meter, damaged));
}
