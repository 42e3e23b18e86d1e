// The current-loop meter's answer: the current in hundredths of a mA, low
// byte first and signed, and the failures it shares with the gauge.

#include "device/status_words.h"
#include "device/tolm472.h"
#include "protocol/frame.h"
#include "sim/answer_builder.h"

#include <gtest/gtest.h>

namespace {

QByteArray meterAnswer(uint8_t low, uint8_t high)
{
    return AppendCrc8(QByteArray::fromHex("0100010200") + QByteArray(1, char(low)) + QByteArray(1, char(high)));
}

class LumidorAnswer : public ::testing::Test
{
protected:
    LumidorAnswer() { model.SetErrorMax(1); }
    Ttolm472 model;
};

TEST_F(LumidorAnswer, CurrentIsSignedHundredthsLowByteFirst)
{
    model.ParseLumidorAnswer(meterAnswer(0xD0, 0x07));
    EXPECT_DOUBLE_EQ(model.Readings.CurrentOutput.AsDouble(), 20.0);
    EXPECT_EQ(model.LinkState.AsInt(), 0) << "the meter's answer leaves the gauge's link as it was";
    model.ParseLumidorAnswer(meterAnswer(0x90, 0x01));
    EXPECT_DOUBLE_EQ(model.Readings.CurrentOutput.AsDouble(), 4.0);
    model.ParseLumidorAnswer(meterAnswer(0x18, 0xFC));
    EXPECT_DOUBLE_EQ(model.Readings.CurrentOutput.AsDouble(), -10.0);
    EXPECT_EQ(model.LastErrorCode, 0);

    model.ParseLumidorAnswer(AnswerMeterCurrent(12.34));
    EXPECT_DOUBLE_EQ(model.Readings.CurrentOutput.AsDouble(), 12.34);
}

TEST_F(LumidorAnswer, LongerAnswersAreTakenWithoutLookingAtOtherBytes)
{
    model.ParseLumidorAnswer(AppendCrc8(QByteArray::fromHex("FFFFFFFFFF90013344556677")));
    EXPECT_DOUBLE_EQ(model.Readings.CurrentOutput.AsDouble(), 4.0);
}

TEST_F(LumidorAnswer, ShortOrDamagedAnswers)
{
    // The meter's own status, with the gauge's threshold of one.
    TLinkStatus meter;
    meter.ErrorMax = 1;
    const auto parse = [&](const QByteArray &a) {
        model.ParseLumidorAnswer(a);
        ParseMeterAnswer(a, meter);
    };
    parse(AnswerMeterCurrent(5).left(6) + QByteArray(1, Crc8(AnswerMeterCurrent(5).left(6))));
    EXPECT_EQ(meter.LastErrorCode, StatusCode::ReadError) << "seven bytes with a right CRC-8";
    EXPECT_EQ(meter.LastErrorText, QStringLiteral("Ошибка чтения"));
    EXPECT_EQ(model.Readings.CurrentOutput.AsDouble(), 0);

    QByteArray wrong = AnswerMeterCurrent(5);
    wrong[7] = char(wrong[7] ^ 0x01);
    parse(wrong);
    EXPECT_EQ(meter.LastErrorCode, StatusCode::ChecksumError);
    parse(QByteArray::fromHex("01000100A1")); // A0 would be right
    EXPECT_EQ(meter.LastErrorCode, StatusCode::ChecksumError) << "five bytes are already checked";

    parse(AppendCrc8(QByteArray::fromHex("010001")));
    EXPECT_EQ(meter.LastErrorCode, StatusCode::ReadError) << "four bytes, before the CRC";
    parse({});
    EXPECT_EQ(meter.LastErrorCode, StatusCode::NoAnswer);
    EXPECT_EQ(meter.LinkState, 2);
    EXPECT_EQ(meter.Steps.back().Caption, StatusText::NoAnswer);
}

TEST_F(LumidorAnswer, TheMetersFailuresAreNotTheGauges)
{
    model.SetErrorMax(2);
    model.ParseAnswer({});
    model.ParseLumidorAnswer({});
    model.ParseLumidorAnswer({});
    EXPECT_EQ(model.ErrorCount, 1) << "only the gauge's own failure counts";
    EXPECT_EQ(model.LinkState.AsInt(), 0);
    model.ParseLumidorAnswer(AnswerMeterCurrent(4));
    EXPECT_DOUBLE_EQ(model.Readings.CurrentOutput.AsDouble(), 4);
    EXPECT_EQ(model.ErrorCount, 1);
}

} // namespace
