// The gauge's answers as the parser judges them: acceptance order, the
// failure threshold, status words, and the functions whose payload hides a
// trap (short single values, echo bytes, block bounds, signed temperature).

#include "device/status_words.h"
#include "device/tolm472.h"
#include "protocol/frame.h"
#include "sim/answer_builder.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include "support/temp_home.h"

namespace {

constexpr uint8_t ParserAddress = 7;

QByteArray withCrc(std::initializer_list<int> bytes)
{
    QByteArray payload;
    for (int b : bytes)
        payload.append(char(uint8_t(b)));
    return AppendCrc16(payload);
}

class AnswerParser : public ::testing::Test
{
protected:
    AnswerParser() : model(home.path())
    {
        model.SetSystemAddress(ParserAddress);
        model.SetErrorMax(1);
        model.OnMessage = [this](const QString &text) { messages << text; };
    }

    void request(int code) { ASSERT_TRUE(model.BuildRequest(code).has_value()) << code; }
    QString linkCaption() const { return model.LinkState.Description.Captions[tsTrue]; }
    bool blackBoxWritten() const { return QFileInfo::exists(home.file(QStringLiteral("DATA"))); }

    TempHome home;
    Ttolm472 model;
    QStringList messages;
};

TEST_F(AnswerParser, EmptyAnswerAtThresholdOneReportsNoAnswerAndRenamesFailureState)
{
    model.ParseAnswer({});
    EXPECT_EQ(model.LastErrorCode, StatusCode::NoAnswer);
    EXPECT_EQ(model.LastErrorText, QStringLiteral("Нет ответа от устройства"));
    EXPECT_EQ(model.LinkState.AsInt(), 2);
    EXPECT_EQ(linkCaption(), QStringLiteral("Нет ответа от устройства"));
}

TEST_F(AnswerParser, FailuresBelowThresholdAreCountedButNotReported)
{
    model.SetErrorMax(3);
    model.ParseAnswer({});
    model.ParseAnswer({});
    EXPECT_EQ(model.LinkState.AsInt(), 0);
    EXPECT_EQ(model.LastErrorCode, 0);
    EXPECT_EQ(model.LastErrorText, StatusText::Normal);
    EXPECT_EQ(model.ErrorCount, 2);
    model.ParseAnswer({});
    EXPECT_EQ(model.LastErrorCode, StatusCode::NoAnswer);
    EXPECT_EQ(model.LinkState.AsInt(), 2);
}

TEST_F(AnswerParser, AcceptedAnswerResetsTheCountAndNextParseStartsNormal)
{
    model.SetErrorMax(3);
    model.ParseAnswer({});
    model.ParseAnswer({});
    request(Echo);
    model.ParseAnswer(AnswerEcho(ParserAddress));
    EXPECT_EQ(model.ErrorCount, 0);
    EXPECT_EQ(model.LinkState.AsInt(), 1);
    model.ParseAnswer({});
    model.ParseAnswer({});
    EXPECT_EQ(model.LinkState.AsInt(), 1) << "the count started again from zero";

    model.SetErrorMax(1);
    model.ParseAnswer({});
    ASSERT_EQ(model.LastErrorCode, StatusCode::NoAnswer);
    model.ParseAnswer(AnswerEcho(ParserAddress));
    EXPECT_EQ(model.LastErrorCode, 0);
    EXPECT_EQ(model.LastErrorText, StatusText::Normal);
}

TEST_F(AnswerParser, AcceptanceStepsInOrder)
{
    request(Echo);
    model.ParseAnswer(QByteArray::fromHex("01100355"));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ReadError) << "four bytes are too short before any CRC check";

    QByteArray highFirst = AnswerEcho(ParserAddress);
    std::swap(highFirst[5], highFirst[6]);
    model.ParseAnswer(highFirst);
    EXPECT_EQ(model.LastErrorCode, StatusCode::ChecksumError);
    EXPECT_EQ(model.LastErrorText, QStringLiteral("Ошибка контрольной суммы"));

    const uint16_t registers[] = {1, 2, 3};
    model.ParseAnswer(AnswerRegisters(ParserAddress, registers));
    EXPECT_EQ(model.LastErrorCode, StatusCode::CommandMismatch);
    EXPECT_EQ(model.LastErrorText, QStringLiteral("Несоответствие команды"));

    model.ParseAnswer(withCrc({ParserAddress, 0xFA, 0x01}));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ReadError) << "an error answer needs its code byte";
}

TEST_F(AnswerParser, SingleValueNeedsElevenBytesGainNine)
{
    request(LevelRead);
    model.ParseAnswer(withCrc({ParserAddress, 0x01, 0x06, 0x45, 0x87, 0x0C, 0x00, 0x00}));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ReadError);
    EXPECT_EQ(model.Readings.Level.AsDouble(), 0);

    model.ParseAnswer(AnswerSingleValue(ParserAddress, 4321.5, 0));
    EXPECT_EQ(model.LastErrorCode, 0);
    EXPECT_EQ(model.Readings.Level.AsDouble(), 4321.5);
    EXPECT_EQ(model.LinkState.AsInt(), 1);
    EXPECT_EQ(model.Readings.Freq.AsDouble(), 0) << "only the selected value changes";

    request(UsilRead);
    model.ParseAnswer(AnswerGain(ParserAddress, 0x1234, 0));
    EXPECT_EQ(model.Config.Usil(), 0x1234);
    model.ParseAnswer(withCrc({ParserAddress, 0x01, 0x03, 0x00, 0x05}));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ReadError);
}

TEST_F(AnswerParser, CriticalStatusAtThresholdIsLoggedReportedAndDropsTheValue)
{
    request(LevelRead);
    model.ParseAnswer(AnswerSingleValue(ParserAddress, 4321.5, 3));
    EXPECT_EQ(model.LastErrorCode, 3);
    EXPECT_EQ(model.LastErrorText, QStringLiteral("Ошибка сигнала DDS_STP"));
    EXPECT_EQ(model.LinkState.AsInt(), 2);
    EXPECT_EQ(linkCaption(), QStringLiteral("Ошибка сигнала DDS_STP"));
    EXPECT_EQ(model.Readings.Level.AsDouble(), 0);
    EXPECT_TRUE(blackBoxWritten());
}

TEST_F(AnswerParser, NonCriticalStatusIsReportedButTheValueStandsAndLinkIsUp)
{
    request(DistanceRead);
    model.ParseAnswer(AnswerSingleValue(ParserAddress, 980.25, 11));
    EXPECT_EQ(model.LastErrorCode, 11);
    EXPECT_EQ(model.LastErrorText, QStringLiteral("Начало работы в \"плохой зоне\" (не критична)"));
    EXPECT_EQ(linkCaption(), model.LastErrorText);
    EXPECT_EQ(model.Readings.Distance.AsDouble(), 980.25);
    EXPECT_EQ(model.LinkState.AsInt(), 1);
    EXPECT_EQ(model.ErrorCount, 0);
}

TEST_F(AnswerParser, UnknownStatusKeepsItsNumberWithNormalText)
{
    request(ReserveRead);
    model.ParseAnswer(AnswerSingleValue(ParserAddress, 12.5, 13));
    EXPECT_EQ(model.LastErrorCode, 13);
    EXPECT_EQ(model.LastErrorText, StatusText::Normal);
    EXPECT_EQ(model.Readings.Reserve.AsDouble(), 12.5);
    EXPECT_EQ(model.LinkState.AsInt(), 1);
}

// A gauge that keeps sending a critical status must be reported once the
// threshold is reached, even though each answer carries usable values.
TEST_F(AnswerParser, RepeatedCriticalStatusReachesAHigherThreshold)
{
    model.SetErrorMax(3);
    request(LevelRead);
    model.ParseAnswer(AnswerSingleValue(ParserAddress, 100, 4));
    EXPECT_EQ(model.LastErrorCode, 4);
    EXPECT_EQ(model.LastErrorText, StatusText::Normal);
    EXPECT_EQ(model.Readings.Level.AsDouble(), 100) << "below the threshold the values are still taken";
    EXPECT_EQ(model.LinkState.AsInt(), 1);
    model.ParseAnswer(AnswerSingleValue(ParserAddress, 200, 4));
    EXPECT_EQ(model.LinkState.AsInt(), 1);
    model.ParseAnswer(AnswerSingleValue(ParserAddress, 300, 4));
    EXPECT_EQ(model.LinkState.AsInt(), 2);
    EXPECT_EQ(model.LastErrorText, QStringLiteral("Ошибка в тесте диапазона качания"));
    EXPECT_EQ(model.Readings.Level.AsDouble(), 200);

    model.ParseAnswer(AnswerSingleValue(ParserAddress, 400, 0));
    EXPECT_EQ(model.ErrorCount, 0);
    EXPECT_EQ(model.LinkState.AsInt(), 1);
}

TEST_F(AnswerParser, AllReadingsStatusIsReportedButNeverLogged)
{
    request(LevelAllRead);
    TAllReadings r{1500.5, 2000.25, 3000.75, 4000.5, 0.125, 777, 5};
    model.ParseAnswer(AnswerAllReadings(ParserAddress, r));
    EXPECT_EQ(model.LastErrorCode, 5);
    EXPECT_EQ(model.LinkState.AsInt(), 2);
    EXPECT_EQ(model.Readings.Level.AsDouble(), 0);
    EXPECT_FALSE(blackBoxWritten());

    r.status = 0;
    model.ParseAnswer(AnswerAllReadings(ParserAddress, r));
    EXPECT_EQ(model.Readings.Freq.AsDouble(), 1500.5);
    EXPECT_EQ(model.Readings.Distance.AsDouble(), 2000.25);
    EXPECT_EQ(model.Readings.Level.AsDouble(), 3000.75);
    EXPECT_EQ(model.Readings.LevelFree.AsDouble(), 4000.5);
    EXPECT_EQ(model.Readings.Reserve.AsDouble(), 0.125);
    EXPECT_EQ(model.Config.Usil(), 777);
    EXPECT_EQ(model.LinkState.AsInt(), 1);

    model.ParseAnswer(AppendCrc16(AnswerAllReadings(ParserAddress, r).left(26)));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ReadError);
}

TEST_F(AnswerParser, EveryReadingIsStampedAndNotifiedEvenWhenUnchanged)
{
    int sets = 0;
    model.Readings.Level.OnSet = [&sets](TIOData *) { ++sets; };
    request(LevelRead);
    model.ParseAnswer(AnswerSingleValue(ParserAddress, 50, 0));
    model.Readings.Level.Stamp.SetTimeStamp(1.0);
    model.ParseAnswer(AnswerSingleValue(ParserAddress, 50, 0));
    EXPECT_EQ(sets, 2);
    EXPECT_GT(model.Readings.Level.Stamp.GetTimeStamp(), 1.0);
}

TEST_F(AnswerParser, EchoIsJudgedByItsSwappedBytes)
{
    request(Echo);
    model.ParseAnswer(withCrc({0x01, 0x10, 0x03, 0xAA, 0x55}));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ReadError);
    EXPECT_EQ(model.LinkState.AsInt(), 2);
    model.ParseAnswer(withCrc({0x01, 0x10, 0x03, 0x55, 0xAA}));
    EXPECT_EQ(model.LastErrorCode, 0);
    EXPECT_EQ(model.LinkState.AsInt(), 1);
}

TEST_F(AnswerParser, SignatureAndIdentificationFillTheModel)
{
    request(SignatureRead);
    model.ParseAnswer(AnswerSignature(ParserAddress, GaugeFunction::Signature, {12, 0xBEEF, 3, 2}));
    EXPECT_EQ(model.Config.PlantNumber(), 0xBEEF);
    EXPECT_EQ(model.Identity.HardVersion, 3);
    EXPECT_TRUE(model.Identity.HasExtendedParameters());

    model.Config.SetSystemAddressNew(42);
    request(SystemAddressWrite);
    model.ParseAnswer(AnswerSignature(42, GaugeFunction::SystemAddress, {12, 0xBEEF, 3, 1}));
    EXPECT_EQ(model.SystemAddress(), 42);
    EXPECT_FALSE(model.Identity.HasExtendedParameters());

    request(IdentificationRead);
    model.ParseAnswer(AnswerIdentification(42, {11, 0x0102, 9, 4, 5, 0xA1B2, 0xC3D4}));
    EXPECT_EQ(model.Config.PlantNumber(), 0x0102);
    EXPECT_EQ(model.Identity.IdHardVersion, 9);
    EXPECT_EQ(model.Identity.HardVersion, 3) << "the identification keeps its own hardware version";
    EXPECT_EQ(model.Identity.SoftVersionHost, 4);
    EXPECT_EQ(model.Identity.SoftVersionCOS, 5);
    EXPECT_EQ(model.Identity.CRC16Host, 0xA1B2);
    EXPECT_EQ(model.Identity.CRC16COS, 0xC3D4);
    EXPECT_EQ(model.LinkState.AsInt(), 1);
}

TEST_F(AnswerParser, SpectrumBlockSixteenFillsTheLastThirtyTwoValues)
{
    request(SpectrumReadInit);
    model.Arrays.BlockIndex = 16;
    request(DataBlockRead);
    std::array<float, 32> block{};
    for (int j = 0; j < 32; ++j)
        block[j] = 0.5f + j;
    const QByteArray answer = AnswerSpectrumBlock(ParserAddress, block);

    model.ParseAnswer(AppendCrc16(answer.left(130)));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ReadError) << "132 bytes";
    EXPECT_EQ(model.Arrays.SpectrumMax(), 0);

    model.ParseAnswer(answer);
    EXPECT_EQ(model.LinkState.AsInt(), 1);
    EXPECT_EQ(model.Arrays.Spectrum[479], 0);
    for (int j = 0; j < 32; ++j)
        EXPECT_EQ(model.Arrays.Spectrum[480 + j], 0.5 + j);
}

TEST_F(AnswerParser, SignalBlockHoldsSignedSamples)
{
    request(SignalReadInit);
    model.Arrays.BlockIndex = 32;
    request(DataBlockRead);
    std::array<int32_t, 32> block{};
    for (int j = 0; j < 32; ++j)
        block[j] = -100000 * j + 7;
    model.ParseAnswer(AnswerSignalBlock(ParserAddress, block));
    EXPECT_EQ(model.Arrays.Signal[991], 0);
    for (int j = 0; j < 32; ++j)
        EXPECT_EQ(model.Arrays.Signal[992 + j], block[j]);
}

TEST_F(AnswerParser, BlockOutsideTheArrayOrOfAnotherKindStoresNothing)
{
    const std::array<float, 1> one{1.0f};
    request(SpectrumReadInit);
    model.Arrays.BlockIndex = 17; // changed after the request went out
    model.ParseAnswer(AnswerSpectrumBlock(ParserAddress, one));
    EXPECT_EQ(model.Arrays.SpectrumMax(), 0);
    model.Arrays.BlockIndex = 0;
    model.ParseAnswer(AnswerSpectrumBlock(ParserAddress, one));
    EXPECT_EQ(model.Arrays.SpectrumMax(), 0);

    model.ParseAnswer({});
    ASSERT_EQ(model.LinkState.AsInt(), 2);
    request(TrainingModeStart);
    model.Arrays.BlockIndex = 1;
    model.ParseAnswer(AnswerSpectrumBlock(ParserAddress, one));
    EXPECT_EQ(model.Arrays.SpectrumMax(), 0);
    EXPECT_EQ(model.LinkState.AsInt(), 2) << "a block of another kind is not accepted either";
}

TEST_F(AnswerParser, TemperatureIsASignedByte)
{
    request(TempRead);
    model.ParseAnswer(AnswerByteValue(ParserAddress, 0xF6));
    EXPECT_EQ(model.Readings.Temp.AsDouble(), -10);
    model.ParseAnswer(AnswerByteValue(ParserAddress, 0x19));
    EXPECT_EQ(model.Readings.Temp.AsDouble(), 25);
    EXPECT_EQ(model.LinkState.AsInt(), 0) << "a byte value is never accepted";
    model.ParseAnswer(withCrc({ParserAddress, 0xB4, 0x01}));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ReadError);
}

TEST_F(AnswerParser, DeviceTypeOtherThanElevenOrTwelveIsAnnounced)
{
    request(ProgramTypeRead);
    model.ParseAnswer(AnswerByteValue(ParserAddress, 12));
    EXPECT_EQ(model.Identity.ProgramType, 12);
    model.ParseAnswer(AnswerByteValue(ParserAddress, 13));
    EXPECT_EQ(model.Identity.ProgramType, 12);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Неизвестный тип прибора: 13")});
}

TEST_F(AnswerParser, UndecodedByteValueIgnoresItsLength)
{
    request(ByteParam10Read);
    model.ParseAnswer(withCrc({ParserAddress, 0xB4, 0x01}));
    EXPECT_EQ(model.LastErrorCode, 0);
    EXPECT_EQ(model.LinkState.AsInt(), 0);
}

TEST_F(AnswerParser, ParameterReadsGoThroughTheSetters)
{
    request(LmaxRead);
    model.ParseAnswer(AnswerFloatParameter(ParserAddress, 15500));
    EXPECT_EQ(model.Config.Lmax(), 15000) << "above Hmax";
    model.ParseAnswer(AnswerFloatParameter(ParserAddress, 9000));
    EXPECT_EQ(model.Config.Lmax(), 9000);

    request(KKalmanRead);
    model.ParseAnswer(AnswerFloatParameter(ParserAddress, 0));
    EXPECT_EQ(model.Config.KKalman(), 1);

    request(MUPRead);
    model.ParseAnswer(AnswerWordParameter(ParserAddress, 51));
    EXPECT_EQ(model.Config.MUP(), 1);
    model.ParseAnswer(AnswerWordParameter(ParserAddress, 50));
    EXPECT_EQ(model.Config.MUP(), 50);
    model.ParseAnswer(withCrc({ParserAddress, 0xB5, 0x02, 0x00}));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ReadError);
    EXPECT_EQ(model.LinkState.AsInt(), 2);

    request(HmaxRead);
    model.ParseAnswer(AnswerFloatParameter(ParserAddress, 12000));
    EXPECT_EQ(model.Config.Hmax(), 12000);
    EXPECT_EQ(model.LinkState.AsInt(), 2) << "a parameter read leaves the link state as it was";
}

TEST_F(AnswerParser, BadZoneReadsLandInTheirZone)
{
    request(BadZoneFarRead1 + 2);
    model.ParseAnswer(AnswerFloatParameter(ParserAddress, 1234.5));
    EXPECT_EQ(model.BadZones.Zone(3).Far.AsDouble(), 1234.5);
    EXPECT_EQ(model.BadZones.Zone(3).Near.AsDouble(), 0);
    EXPECT_EQ(model.BadZones.Zone(2).Far.AsDouble(), 0);

    model.FloatParamReadNumber = 25; // no zone 6
    model.ParseAnswer(AnswerFloatParameter(ParserAddress, 99));
    for (int z = 1; z <= 5; ++z)
        EXPECT_NE(model.BadZones.Zone(z).Near.AsDouble(), 99);
}

TEST_F(AnswerParser, ErrorAnswerCodes)
{
    request(HmaxWrite);
    model.ParseAnswer(AnswerError(ParserAddress, 2));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ErrorAnswer);
    EXPECT_EQ(model.LastErrorText, QStringLiteral("Команда не может быть выполенена"));
    EXPECT_EQ(model.LinkState.AsInt(), 2);

    model.ParseAnswer(AnswerError(ParserAddress, 0));
    EXPECT_EQ(model.LastErrorCode, 0);
    EXPECT_EQ(model.LinkState.AsInt(), 1);

    model.ParseAnswer(AnswerError(ParserAddress, 7));
    EXPECT_EQ(model.LastErrorCode, 7);
    EXPECT_EQ(model.LastErrorText, StatusText::Normal);
    EXPECT_EQ(model.ErrorCount, 1);
    EXPECT_EQ(model.LinkState.AsInt(), 1);

    model.SetErrorMax(2);
    model.ParseAnswer(AnswerError(ParserAddress, 1));
    EXPECT_EQ(model.LastErrorCode, 1) << "below the threshold the gauge's code stays";
    model.ParseAnswer(AnswerError(ParserAddress, 3));
    EXPECT_EQ(model.LastErrorCode, StatusCode::ErrorAnswer);
    EXPECT_EQ(model.LastErrorText, QStringLiteral("Ошибка при анализе программы"));
}

} // namespace
