#include "protocol/frame.h"

#include "support/bytes.h"

#include <gtest/gtest.h>
#include <cmath>

TEST(Crc16, CheckValuesOfTheModbusCrc)
{
    EXPECT_EQ(Crc16(QByteArray()), 0xFFFF);
    EXPECT_EQ(Crc16("123456789"), 0x4B37);
    EXPECT_EQ(AppendCrc16(bytes({0x01, 0x10, 0x03, 0xAA, 0x55})), bytes({0x01, 0x10, 0x03, 0xAA, 0x55, 0x53, 0x9F}));
}

TEST(Crc16, CoversStringsLongerThan255Bytes)
{
    // A byte count taken modulo 256 would checksum only the tail here.
    QByteArray longer(300, '\x5A');
    EXPECT_NE(Crc16(longer), Crc16(longer.right(300 - 256)));
    EXPECT_TRUE(CheckCrc16(AppendCrc16(longer)));
}

TEST(Crc16, CheckRejectsShortStringsAndSwappedTrailer)
{
    EXPECT_FALSE(CheckCrc16(QByteArray()));
    EXPECT_FALSE(CheckCrc16(bytes({0xFF, 0xFF})));
    EXPECT_FALSE(CheckCrc16(bytes({0x01, 0x00})));
    EXPECT_TRUE(CheckCrc16(bytes({0x01, 0x10, 0x03, 0xAA, 0x55, 0x53, 0x9F})));
    EXPECT_FALSE(CheckCrc16(bytes({0x01, 0x10, 0x03, 0xAA, 0x55, 0x9F, 0x53})));
    // Every 3-byte string whose last two bytes are the CRC of the first passes.
    for (int b = 0; b < 256; ++b)
        EXPECT_TRUE(CheckCrc16(AppendCrc16(bytes({b}))));
}

TEST(Crc8, CheckValuesOfTheMeterCrc)
{
    EXPECT_EQ(Crc8("123456789"), 0x0B);
    EXPECT_EQ(Crc8(bytes({0x01, 0x00, 0x01, 0x00})), 0xA0);
    EXPECT_EQ(AppendCrc8(bytes({1, 0, 1, 0})), bytes({1, 0, 1, 0, 0xA0}));
    EXPECT_FALSE(CheckCrc8(bytes({0xFF, 0xFF})));
    EXPECT_FALSE(CheckCrc8(AppendCrc8(bytes({0x07}))));   // 2 bytes: too short
    EXPECT_TRUE(CheckCrc8(AppendCrc8(bytes({0x07, 0x08}))));
    EXPECT_FALSE(CheckCrc8(bytes({1, 0, 1, 0, 0xA1})));
}

TEST(Renderings, HexAndDecimalOfTheEchoRequest)
{
    const QByteArray echo = bytes({0x01, 0x10, 0x03, 0xAA, 0x55, 0x53, 0x9F});
    EXPECT_EQ(BytesToHex(echo), QStringLiteral("01 10 03 AA 55 53 9F"));
    EXPECT_EQ(BytesToDec(echo, true), QStringLiteral("001 016 003 170 085 083 159"));
    EXPECT_EQ(BytesToDec(echo, false), QStringLiteral("1 16 3 170 85 83 159"));
    EXPECT_EQ(BytesToDec(bytes({5, 42, 200}), true), QStringLiteral("005 042 200"));
    EXPECT_EQ(BytesToHex(QByteArray()), QString());
    EXPECT_EQ(BytesToDec(QByteArray(), true), QString());
    EXPECT_EQ(RenderFrame(echo, 16, true), BytesToHex(echo));
    EXPECT_EQ(RenderFrame(echo, 10, false), BytesToDec(echo, false));
}

TEST(NumberPacking, SinglesMostSignificantByteFirst)
{
    EXPECT_EQ(BytesToSingle(0x3F, 0x80, 0x00, 0x00), 1.0f);
    EXPECT_NE(BytesToSingle(0x00, 0x00, 0x80, 0x3F), 1.0f);
    QByteArray f;
    AppendSingle(f, 15000.0);
    EXPECT_EQ(f, bytes({0x46, 0x6A, 0x60, 0x00}));
    f.clear();
    AppendSingle(f, 1234.5);
    EXPECT_EQ(f, bytes({0x44, 0x9A, 0x50, 0x00}));
    EXPECT_EQ(SingleAt(f, 0), 1234.5f);
    uint8_t b[4];
    SingleToBytes(-2.5f, b);
    EXPECT_EQ(BytesToSingle(b[0], b[1], b[2], b[3]), -2.5f);
}

TEST(NumberPacking, IntegersAndWords)
{
    EXPECT_EQ(BytesToLongInt(0xFF, 0xFF, 0xFF, 0xFE), -2);
    EXPECT_EQ(BytesToLongInt(0x01, 0x02, 0x03, 0x04), 0x01020304);
    EXPECT_EQ(BytesToWord(0x34, 0x12), 0x1234);
    QByteArray w;
    AppendWord(w, 0x1234);
    AppendLongInt(w, -2);
    EXPECT_EQ(w, bytes({0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFE}));
    EXPECT_EQ(WordAt(w, 0), 0x1234);
    EXPECT_EQ(LongIntAt(w, 2), -2);
}

TEST(NumberPacking, BitOperations)
{
    EXPECT_EQ(SetBit(0, 31, true), 0x80000000u);
    EXPECT_EQ(SetBit(0xFF, 3, false), 0xF7u);
    EXPECT_TRUE(TestBit(0x8000, 15));
    EXPECT_FALSE(TestBit(0x8000, 14));
    EXPECT_EQ(SetBit(5, 32, true), 5u);   // out-of-range index changes nothing
    EXPECT_FALSE(TestBit(0xFFFFFFFF, -1));
    EXPECT_EQ(TextToBytes(BytesToText(bytes({0, 1, 255}))), bytes({0, 1, 255}));
}
