#include "protocol/request_layout.h"
#include "sim/answer_builder.h"

#include "protocol/frame.h"

#include <gtest/gtest.h>
#include <array>

namespace {

// Every gauge answer: right CRC, the address first, the function second and
// the count byte equal to the length minus four.
void expectFrame(const QByteArray &a, uint8_t address, uint8_t function, int length)
{
    ASSERT_EQ(a.size(), length);
    EXPECT_TRUE(CheckCrc16(a));
    EXPECT_EQ(ByteAt(a, 0), address);
    EXPECT_EQ(ByteAt(a, 1), function);
    EXPECT_EQ(ByteAt(a, 2), length - 4);
}

} // namespace

TEST(AnswerBuilder, ReadingAnswersCarryValueAndStatusAtTheirOffsets)
{
    const QByteArray single = AnswerSingleValue(7, 1234.5, 11);
    expectFrame(single, 7, 0x01, 11);
    EXPECT_FLOAT_EQ(SingleAt(single, 3), 1234.5f);
    EXPECT_EQ(ByteAt(single, 8), 11);

    const QByteArray gain = AnswerGain(7, 0x1234, 3);
    expectFrame(gain, 7, 0x01, 9);
    EXPECT_EQ(WordAt(gain, 3), 0x1234);
    EXPECT_EQ(ByteAt(gain, 6), 3);

    const QByteArray all = AnswerAllReadings(9, {812.25, 4000, 11000, 4000, 3500, 77, 5});
    expectFrame(all, 9, 0x02, 29);
    EXPECT_FLOAT_EQ(SingleAt(all, 3), 812.25f);
    EXPECT_FLOAT_EQ(SingleAt(all, 7), 4000.0f);
    EXPECT_FLOAT_EQ(SingleAt(all, 11), 11000.0f);
    EXPECT_FLOAT_EQ(SingleAt(all, 15), 4000.0f);
    EXPECT_FLOAT_EQ(SingleAt(all, 19), 3500.0f);
    EXPECT_EQ(WordAt(all, 23), 77);
    EXPECT_EQ(ByteAt(all, 26), 5);
}

TEST(AnswerBuilder, EchoSwapsTheTwoTestBytes)
{
    const QByteArray echo = AnswerEcho(1);
    expectFrame(echo, 1, 0x10, 7);
    EXPECT_EQ(ByteAt(echo, 3), 0x55);
    EXPECT_EQ(ByteAt(echo, 4), 0xAA);
}

TEST(AnswerBuilder, SignatureAndIdentificationCarryTheGaugesNumbers)
{
    for (uint8_t fn : {0x20, 0x25, 0x30}) {
        const QByteArray s = AnswerSignature(5, fn, {11, 0xBEEF, 3, 2});
        expectFrame(s, 5, fn, 10);
        EXPECT_EQ(ByteAt(s, 3), 11);
        EXPECT_EQ(WordAt(s, 4), 0xBEEF);
        EXPECT_EQ(ByteAt(s, 6), 3);
        EXPECT_EQ(ByteAt(s, 7), 2);
    }
    const QByteArray id = AnswerIdentification(5, {12, 0x1234, 4, 7, 8, 0xA1B2, 0xC3D4});
    expectFrame(id, 5, 0x23, 15);
    EXPECT_EQ(ByteAt(id, 3), 12);
    EXPECT_EQ(WordAt(id, 4), 0x1234);
    EXPECT_EQ(ByteAt(id, 6), 4);
    EXPECT_EQ(ByteAt(id, 7), 7);
    EXPECT_EQ(ByteAt(id, 8), 8);
    EXPECT_EQ(WordAt(id, 9), 0xA1B2);
    EXPECT_EQ(WordAt(id, 11), 0xC3D4);
}

TEST(AnswerBuilder, ParameterAnswersAndAcknowledgements)
{
    for (uint8_t fn : {0xA2, 0xB1, 0xB2, 0xB3})
        expectFrame(AnswerAcknowledge(3, fn), 3, fn, 5);

    const QByteArray b = AnswerByteValue(3, 0xF6);
    expectFrame(b, 3, 0xB4, 6);
    EXPECT_EQ(int8_t(ByteAt(b, 3)), -10);

    const QByteArray w = AnswerWordParameter(3, 50000);
    expectFrame(w, 3, 0xB5, 7);
    EXPECT_EQ(WordAt(w, 3), 50000);

    const QByteArray f = AnswerFloatParameter(3, 146.243);
    expectFrame(f, 3, 0xB6, 9);
    EXPECT_FLOAT_EQ(SingleAt(f, 3), 146.243f);

    const QByteArray e = AnswerError(3, 1);
    expectFrame(e, 3, 0xFA, 6);
    EXPECT_EQ(ByteAt(e, 3), 1);
}

TEST(AnswerBuilder, DataBlocksHoldThirtyTwoValuesPaddedWithZeros)
{
    std::array<int32_t, 32> samples{};
    for (int j = 0; j < 32; ++j)
        samples[j] = j * 1000 - 16000;
    const QByteArray signal = AnswerSignalBlock(1, samples);
    expectFrame(signal, 1, 0xA8, 133);
    for (int j = 0; j < 32; ++j)
        EXPECT_EQ(LongIntAt(signal, 3 + 4 * j), samples[j]);

    const std::array<float, 3> few{1.5f, -2.0f, 1e6f};
    const QByteArray spectrum = AnswerSpectrumBlock(1, few);
    expectFrame(spectrum, 1, 0xA8, 133);
    EXPECT_FLOAT_EQ(SingleAt(spectrum, 3), 1.5f);
    EXPECT_FLOAT_EQ(SingleAt(spectrum, 7), -2.0f);
    EXPECT_FLOAT_EQ(SingleAt(spectrum, 11), 1e6f);
    EXPECT_EQ(SingleAt(spectrum, 127), 0.0f);
}

TEST(AnswerBuilder, RegisterReplyIsAFunctionFourFrame)
{
    const std::array<uint16_t, 15> regs{};
    const QByteArray r = AnswerRegisters(2, regs);
    ASSERT_EQ(r.size(), 35);
    EXPECT_TRUE(CheckCrc16(r));
    EXPECT_EQ(ByteAt(r, 1), 0x04);
    EXPECT_EQ(ByteAt(r, 2), 30);
}

TEST(AnswerBuilder, MeterAnswerCarriesSignedHundredthsLowByteFirst)
{
    EXPECT_EQ(MeterRequest(), QByteArray::fromHex("01000100A0"));
    struct Case { double mA; uint8_t lo, hi; };
    for (const Case c : {Case{20.0, 0xD0, 0x07}, Case{4.0, 0x90, 0x01}, Case{-10.0, 0x18, 0xFC},
                         Case{400.0, 0xFF, 0x7F}, Case{-400.0, 0x00, 0x80}}) {
        const QByteArray a = AnswerMeterCurrent(c.mA);
        ASSERT_EQ(a.size(), 8);
        EXPECT_TRUE(CheckCrc8(a));
        EXPECT_EQ(ByteAt(a, 5), c.lo) << c.mA;
        EXPECT_EQ(ByteAt(a, 6), c.hi) << c.mA;
    }
    const QByteArray nan = AnswerMeterCurrent(std::nan(""));
    EXPECT_EQ(BytesToWord(ByteAt(nan, 5), ByteAt(nan, 6)), 0);
}
