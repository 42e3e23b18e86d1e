#include "protocol/answer_layout.h"
#include "protocol/frame.h"
#include "sim/answer_builder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// One answer of every layout with the request it answers, as the simulated
// gauge builds them.
std::vector<std::pair<QByteArray, QByteArray>> everyGaugeExchange()
{
    const std::vector<int32_t> signal(32, -7);
    const std::vector<float> spectrum(32, 1.5f);
    TAllReadings readings;
    readings.level = 1234.5;
    const auto req = [](const char *bytes, int size) { return QByteArray(bytes, size); };
    return {
        {req("\x01\x01\x02\x02", 4), AnswerSingleValue(1, 2500.25, 0)},
        {req("\x01\x01\x02\x05", 4), AnswerGain(1, 812, 0)},
        {req("\x01\x02\x01", 3), AnswerAllReadings(1, readings)},
        {req("\x01\x10\x03\xAA\x55", 5), AnswerEcho(1)},
        {req("\x01\x20\x01", 3), AnswerSignature(1, GaugeFunction::Signature, {12, 4711, 3, 7})},
        {req("\x01\x25\x05\x0B\x67\x12\x09", 7),
         AnswerSignature(9, GaugeFunction::SystemAddress, {12, 4711, 3, 7})},
        {req("\x01\x30\x03\x68\x12", 5), AnswerSignature(1, GaugeFunction::PlantNumber, {12, 4712, 3, 7})},
        {req("\x01\x23\x01", 3), AnswerIdentification(1, {12, 4711, 3, 7, 8, 0xBEEF, 0xCAFE})},
        {req("\x01\xA2\x01", 3), AnswerAcknowledge(1, GaugeFunction::StoreToRom)},
        {req("\x01\xB1\x03\x14\x14", 5), AnswerAcknowledge(1, GaugeFunction::Control)},
        {req("\x01\xB2\x04\x06\x2C\x01", 6), AnswerAcknowledge(1, GaugeFunction::WordWrite)},
        {req("\x01\xB3\x06\x02\x00\x00\x7A\x46", 8), AnswerAcknowledge(1, GaugeFunction::FloatWrite)},
        {req("\x01\xA8\x04\x00\x00\x20", 6), AnswerSignalBlock(1, signal)},
        {req("\x01\xA8\x04\x20\x00\x20", 6), AnswerSpectrumBlock(1, spectrum)},
        {req("\x01\xB4\x02\x14", 4), AnswerByteValue(1, 0xF6)},
        {req("\x01\xB5\x02\x06", 4), AnswerWordParameter(1, 300)},
        {req("\x01\xB6\x02\x02", 4), AnswerFloatParameter(1, 16000.0)},
        {req("\x01\xB6\x02\x02", 4), AnswerError(1, GaugeError::CannotExecute)},
    };
}

TExpectedAnswer gauge(const QByteArray &request)
{
    return ExpectedAnswer(TAnswerKind::Gauge, request);
}

} // namespace

TEST(AnswerLayout, EveryGaugeAnswerIsCompleteExactlyAtTheLengthItsRequestFixes)
{
    for (const auto &[request, answer] : everyGaugeExchange()) {
        SCOPED_TRACE(BytesToHex(answer).toStdString());
        const TExpectedAnswer expected = gauge(request);
        EXPECT_TRUE(IsAnswerComplete(expected, answer));
        for (qsizetype n = 0; n < answer.size(); ++n)
            EXPECT_FALSE(IsAnswerComplete(expected, answer.left(n))) << "prefix of " << n;
        // A byte more is not what the gauge sends: the time-outs decide.
        EXPECT_FALSE(IsAnswerComplete(expected, answer + '\0'));
    }
}

TEST(AnswerLayout, BadChecksumForeignFunctionOrRegisterReplyNeverEndsEarly)
{
    for (auto [request, answer] : everyGaugeExchange()) {
        answer[answer.size() - 1] = char(answer.at(answer.size() - 1) ^ 0x01);
        EXPECT_FALSE(IsAnswerComplete(gauge(request), answer)) << BytesToHex(answer).toStdString();
    }
    // A whole, correct answer, but to another request than the one sent.
    EXPECT_FALSE(IsAnswerComplete(gauge(QByteArray("\x01\x10\x03\xAA\x55", 5)), AnswerWordParameter(1, 300)));
    // The register-read reply has a valid CRC but is no answer of the program.
    const uint16_t registers[] = {1, 2};
    const QByteArray registerRead("\x01\x04\x00\x00\x00\x0F", 6);
    EXPECT_EQ(gauge(registerRead).length, 0);
    EXPECT_FALSE(IsAnswerComplete(gauge(registerRead), AnswerRegisters(1, registers)));
}

TEST(AnswerLayout, ReadingOfElevenBytesWhoseFirstNineCarryAValidCrcIsNotCutAtNine)
{
    // One answer in 65,536 to a single-value read has bytes 7-8 equal to
    // the CRC of bytes 0-6; only the request tells it from a gain answer.
    QByteArray head("\x01\x01\x06\x12\x34\x56\x78", 7);
    head = AppendCrc16(head);
    const QByteArray answer = AppendCrc16(head);
    ASSERT_TRUE(CheckCrc16(answer.left(9)));
    const TExpectedAnswer distance = gauge(QByteArray("\x01\x01\x02\x01", 4));
    EXPECT_FALSE(IsAnswerComplete(distance, answer.left(9)));
    EXPECT_FALSE(IsAnswerComplete(distance, answer.left(10)));
    EXPECT_TRUE(IsAnswerComplete(distance, answer));
    // Asked for the gain, the nine bytes are the whole answer.
    EXPECT_TRUE(IsAnswerComplete(gauge(QByteArray("\x01\x01\x02\x05", 4)), answer.left(9)));
}

TEST(AnswerLayout, MeterAnswerNeedsEightBytesAndItsCrc8)
{
    const TExpectedAnswer meter = ExpectedAnswer(TAnswerKind::Meter, QByteArray("\x01\x00\x01\x00", 4));
    const QByteArray answer = AnswerMeterCurrent(12.34);
    ASSERT_EQ(answer.size(), MeterAnswerLength);
    EXPECT_TRUE(IsAnswerComplete(meter, answer));
    for (qsizetype n = 0; n < answer.size(); ++n)
        EXPECT_FALSE(IsAnswerComplete(meter, answer.left(n)));
    QByteArray damaged = answer;
    damaged[5] = char(damaged.at(5) + 1);
    EXPECT_FALSE(IsAnswerComplete(meter, damaged));
}
