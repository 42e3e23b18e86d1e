// Requests of every command code, byte for byte, and the request context the
// model records for the parse of the answer. Expected bytes are composed here
// from the gauge's documented request layouts, not taken from the program's
// command table.

#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "protocol/command_codes.h"

#include "support/bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {


QByteArray word(int v) { return bytes({(v >> 8) & 0xFF, v & 0xFF}); }

QByteArray f32(double v)
{
    const float f = float(v);
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return bytes({int(bits >> 24), int(bits >> 16 & 0xFF), int(bits >> 8 & 0xFF), int(bits & 0xFF)});
}

// Float parameter numbers of the bad zones, in the order of their commands:
// near 1..5, far 1..5, fill 1..5, drain 1..5.
int zoneParam(int i) { return 20 + (i / 5) * 10 + i % 5; }

struct Expected {
    QByteArray data; // after the address
    // Recorded context, -1 where the command records nothing.
    int selector = 0, group = -1, arrayKind = -1, wordWrite = -1, floatWrite = -1, byteRead = -1, wordRead = -1,
        floatRead = -1;
};

class BuildRequestTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m.SetSystemAddress(0x5A);
        m.Config.SetPlantNumber(0x1234);
        m.Config.SetSystemAddressNew(7);
        m.Config.SetPlantNumberNew(0xBEEF);
        m.Config.SetVariantProcessing(0x8051);
        m.Config.SetCountBadZones(3);
        m.Config.SetFreqBeg(0x0102);
        m.Config.SetMUP(17);
        m.Config.SetHmax(20000);
        m.Config.SetLmax(12000);
        m.Config.SetKrPer(146.243);
        m.Config.SetSmPer(-2.25);
        m.Config.SetKKalman(0.5);
        m.Config.SetSpeed(3.5);
        m.Config.SetLevelKalibr(100);
        m.Config.SetKrFChH(0.125);
        m.Config.SetSmFChH(7);
        m.Config.SetRadius(25);
        m.Config.SetFreqNes(24000);
        m.Config.SetFreqDev(1000);
        m.Config.SetODPM(2.5);
        for (int i = 0; i < 20; ++i)
            ParameterByNumber(TParameterType::Float, zoneParam(i))->Set(m, 1000.0 + i);
        m.OnMessage = [this](const QString &text) { messages << text; };
    }

    std::map<int, Expected> expectedTable() const
    {
        std::map<int, Expected> t;
        for (int s = 0; s <= 5; ++s)
            t[s] = {bytes({0x01, 0x02, s}), s};
        t[6] = {bytes({0x02, 0x01})};
        t[7] = {bytes({0x10, 0x03, 0xAA, 0x55})};
        t[8] = {bytes({0x20, 0x01})};
        t[9] = {bytes({0x23, 0x01})};
        t[10] = {bytes({0x25, 0x05, 0x0B, 0x12, 0x34, 0x07})};
        t[11] = {bytes({0x30, 0x03, 0xBE, 0xEF})};
        t[12] = {bytes({0xA2, 0x01})};
        const int control[][3] = {{14, 20, 20}, {15, 20, 30}, {16, 20, 50}, {17, 20, 52},
                                  {20, 60, 0},  {21, 60, 1},  {22, 60, 2},  {23, 100, 11}, {24, 100, 12}};
        for (auto [code, group, arg] : control) {
            t[code] = {bytes({0xB1, 0x03, group, arg})};
            t[code].group = group;
            t[code].arrayKind = arg;
        }
        t[18] = {bytes({0xB1, 0x03, 0x28, 0x28})}; // stop: no array selected any more
        t[18].group = 40;
        t[18].arrayKind = 0;
        t[19] = {bytes({0xB1, 0x03, 0x32, 0x32})};
        t[19].group = 50;
        const int words[][2] = {{25, 0x8051}, {26, 3}, {27, 0x0102}, {28, 17}};
        const int wordNumbers[] = {0, 4, 6, 8};
        for (int i = 0; i < 4; ++i) {
            t[words[i][0]] = {bytes({0xB2, 0x04, wordNumbers[i]}) + word(words[i][1])};
            t[words[i][0]].wordWrite = wordNumbers[i];
            t[65 + i] = {bytes({0xB5, 0x02, wordNumbers[i]})};
            t[65 + i].wordRead = wordNumbers[i];
        }
        const std::pair<int, double> floats[] = {{0, 146.243}, {1, -2.25}, {2, 20000}, {3, 12000},
                                                 {4, 0.5},     {6, 3.5},   {10, 100}};
        for (int i = 0; i < 7; ++i) {
            auto [number, value] = floats[i];
            t[29 + i] = {bytes({0xB3, 0x06, number}) + f32(value)};
            t[29 + i].floatWrite = number;
            if (i < 6) {
                t[69 + i] = {bytes({0xB6, 0x02, number})};
                t[69 + i].floatRead = number;
            }
        }
        for (int i = 0; i < 20; ++i) {
            t[36 + i] = {bytes({0xB3, 0x06, zoneParam(i)}) + f32(1000.0 + i)};
            t[36 + i].floatWrite = zoneParam(i);
            t[75 + i] = {bytes({0xB6, 0x02, zoneParam(i)})};
            t[75 + i].floatRead = zoneParam(i);
        }
        const double special[] = {0.125, 7, 25, 24000, 1000, 2.5};
        for (int i = 0; i < 6; ++i) {
            t[56 + i] = {bytes({0xB3, 0x06, 60 + i}) + f32(special[i])};
            t[56 + i].floatWrite = 60 + i;
            t[95 + i] = {bytes({0xB6, 0x02, 60 + i})};
            t[95 + i].floatRead = 60 + i;
        }
        const int byteValues[] = {10, 20, 100};
        for (int i = 0; i < 3; ++i) {
            t[62 + i] = {bytes({0xB4, 0x02, byteValues[i]})};
            t[62 + i].byteRead = byteValues[i];
        }
        t[102] = {bytes({0x04, 0x00, 0x00, 0x00, 0x0F})};
        return t;
    }

    Ttolm472 m;
    QStringList messages;
};

TEST_F(BuildRequestTest, EveryCommandGivesItsPayloadAndRecordsItsContext)
{
    const auto table = expectedTable();
    ASSERT_EQ(table.size(), 101u); // every code but 13 (block read) and 101
    for (const auto &[code, e] : table) {
        SCOPED_TRACE(code);
        // Poison the context so that a field the command should not touch shows.
        m.ReadSelector = 9;
        m.ControlGroup = m.Arrays.ArrayKind = m.WordParamNumber = m.FloatParamNumber = 0xEE;
        m.ByteValueNumber = m.WordParamReadNumber = m.FloatParamReadNumber = 0xEE;
        const auto payload = m.BuildRequest(code);
        ASSERT_TRUE(payload.has_value());
        EXPECT_EQ(payload->toHex(' '), (bytes({0x5A}) + e.data).toHex(' '));
        auto recorded = [](int expected) { return expected < 0 ? 0xEE : expected; };
        EXPECT_EQ(m.ReadSelector, e.selector);
        EXPECT_EQ(m.ControlGroup, recorded(e.group));
        EXPECT_EQ(m.Arrays.ArrayKind, recorded(e.arrayKind));
        EXPECT_EQ(m.WordParamNumber, recorded(e.wordWrite));
        EXPECT_EQ(m.FloatParamNumber, recorded(e.floatWrite));
        EXPECT_EQ(m.ByteValueNumber, recorded(e.byteRead));
        EXPECT_EQ(m.WordParamReadNumber, recorded(e.wordRead));
        EXPECT_EQ(m.FloatParamReadNumber, recorded(e.floatRead));
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(BuildRequestTest, DocumentedExamples)
{
    Ttolm472 g;
    g.SetSystemAddress(1);
    EXPECT_EQ(g.BuildRequest(Echo)->toHex(' '), "01 10 03 aa 55");
    g.SetSystemAddress(255);
    g.Config.SetPlantNumber(0x1234);
    g.Config.SetSystemAddressNew(5);
    EXPECT_EQ(g.BuildRequest(SystemAddressWrite)->toHex(' '), "ff 25 05 0b 12 34 05");
    EXPECT_EQ(g.BuildRequest(HmaxWrite)->toHex(' '), "ff b3 06 02 46 6a 60 00"); // Hmax 15000 by default
    EXPECT_EQ(g.BuildRequest(RegistersRead)->toHex(' '), "ff 04 00 00 00 0f");
    EXPECT_EQ(g.BuildRequest(ODPMWrite)->toHex(' '), "ff b3 06 41 3f 80 00 00"); // ODPM 1
    g.BadZones.Zone(1).Near.SetValue(1234.5);
    EXPECT_EQ(g.BuildRequest(BadZoneNearWrite1)->toHex(' '), "ff b3 06 14 44 9a 50 00");
}

TEST_F(BuildRequestTest, CodesThatAreNoCommandsFailAndClearTheSelector)
{
    for (int code : {101, 103, 255, -1}) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(m.BuildRequest(LevelFreeRead));
        QString error;
        EXPECT_FALSE(m.BuildRequest(code, &error).has_value());
        EXPECT_EQ(error, "Ошибка формирования запроса");
        EXPECT_EQ(m.ReadSelector, 0);
    }
    EXPECT_TRUE(m.BuildRequest(101) == std::nullopt); // no error text wanted
}

TEST_F(BuildRequestTest, BlockReadsStayInsideTheSelectedArray)
{
    const QString initFirst = "Должна быть подана команда \"Инициализация чтения массива данных\"";
    const QString spectrumRange = "Индекс блока данных должен быть в диапазоне от 1 до 16";
    const QString signalRange = "Индекс блока данных должен быть в диапазоне от 1 до 32";
    auto blockRead = [this](int index) {
        m.Arrays.BlockIndex = uint16_t(index);
        return m.BuildRequest(DataBlockRead);
    };

    m.Arrays.ArrayKind = 0;
    EXPECT_FALSE(blockRead(1));
    EXPECT_FALSE(blockRead(0));

    ASSERT_TRUE(m.BuildRequest(SpectrumReadInit));
    EXPECT_EQ(blockRead(1)->toHex(' '), "5a a8 04 00 00 20");
    EXPECT_EQ(blockRead(16)->toHex(' '), "5a a8 04 01 e0 20");
    QString error;
    m.Arrays.BlockIndex = 17;
    EXPECT_FALSE(m.BuildRequest(DataBlockRead, &error));
    EXPECT_EQ(error, spectrumRange);
    EXPECT_FALSE(blockRead(0));

    // Other commands between the init and the block reads keep the array.
    ASSERT_TRUE(m.BuildRequest(Init));
    ASSERT_TRUE(m.BuildRequest(HmaxRead));
    EXPECT_TRUE(blockRead(2));

    ASSERT_TRUE(m.BuildRequest(SignalReadInit));
    EXPECT_EQ(blockRead(32)->toHex(' '), "5a a8 04 03 e0 20");
    EXPECT_FALSE(blockRead(33));

    ASSERT_TRUE(m.BuildRequest(TrainingModeStart));
    EXPECT_EQ(blockRead(40)->toHex(' '), "5a a8 04 04 e0 20"); // no range for training

    ASSERT_TRUE(m.BuildRequest(InitReadStop));
    EXPECT_FALSE(blockRead(1));

    EXPECT_EQ(messages.join('|').toStdString(),
              QStringList({initFirst, initFirst, spectrumRange, spectrumRange, signalRange, initFirst})
                  .join('|')
                  .toStdString());

    m.OnMessage = nullptr; // nobody listening: the refusal still holds
    EXPECT_FALSE(blockRead(1));
}

TEST_F(BuildRequestTest, BuildingRequestsChangesNoPublishedProperty)
{
    auto snapshot = [this] {
        return QList<double>{double(m.SystemAddress()),
                             double(m.Config.SystemAddressNew()),
                             double(m.Config.PlantNumberNew()),
                             double(m.Enabled()),
                             double(m.ErrorMax()),
                             double(m.Config.PlantNumber()),
                             m.Config.Hmax(),
                             m.Config.Lmax(),
                             double(m.Config.Usil()),
                             m.Config.KKalman(),
                             m.Config.KrPer(),
                             m.Config.SmPer(),
                             m.Config.LevelKalibr(),
                             double(m.Config.ModePrediction()),
                             m.Config.Speed(),
                             m.Config.KrFChH(),
                             m.Config.SmFChH(),
                             double(m.Config.VariantProcessing()),
                             double(m.Config.CountBadZones()),
                             double(m.CalibrMode()),
                             m.Config.FreqNes(),
                             m.Config.FreqDev(),
                             double(m.Config.FreqBeg()),
                             m.Config.Radius(),
                             double(m.ProgonMode()),
                             m.Config.ODPM(),
                             double(m.Config.MUP())};
    };
    const auto before = snapshot();
    m.Arrays.ArrayKind = 30;
    m.Arrays.BlockIndex = 3;
    for (int code = 0; code < 110; ++code)
        m.BuildRequest(code);
    EXPECT_EQ(snapshot(), before);
}

TEST(CommandNames, NamesAndCodesRoundTrip)
{
    for (int code = 0; code < CommandCount; ++code) {
        SCOPED_TRACE(code);
        const QString name = CommandName(code);
        if (code == CurrentOutputReading) {
            EXPECT_TRUE(name.isEmpty());
            continue;
        }
        ASSERT_FALSE(name.isEmpty());
        EXPECT_EQ(CommandByName(name), code);
    }
    EXPECT_EQ(CommandName(HmaxRead), "HmaxRead");
    EXPECT_EQ(CommandName(BadZoneNearWrite1 + 2), "BadZoneNearWrite3");
    EXPECT_EQ(CommandName(BadZoneEmptyRead1 + 4), "BadZoneEmptyRead5");
    EXPECT_TRUE(CommandName(103).isEmpty());
    EXPECT_TRUE(CommandName(-1).isEmpty());
    EXPECT_EQ(CommandByName("hmaxread"), -1);
    EXPECT_EQ(CommandByName(""), -1);
}

} // namespace
