#include "values/descriptions.h"

#include "app/description_file.h"
#include "app/text_file.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Key names of one section in the order they stand in the file.
QStringList keysInFile(const QString &fileName, const QString &section)
{
    QStringList lines, keys;
    EXPECT_TRUE(ReadTextLines(fileName, lines));
    bool inside = false;
    for (const QString &line : std::as_const(lines)) {
        if (line.startsWith(QLatin1Char('[')))
            inside = line == '[' + section + ']';
        else if (inside && line.contains(QLatin1Char('=')))
            keys << line.section(QLatin1Char('='), 0, 0);
    }
    return keys;
}

template <class T>
void placeIn(T &d, const TempHome &home, const QString &section)
{
    d.SetFileName(home.file(QStringLiteral("INI/values.ini")));
    d.SetSection(section);
}

} // namespace

TEST(Descriptions, OwnerGivesSectionWithTheClassNameAndFile)
{
    TDescriptionOfThreeStates states;
    TDescriptionOfDouble number;
    states.SetFileName(QStringLiteral("/tmp/gauge.ini"));
    states.SetSection(QStringLiteral("Ttolm472"));
    number.SetOwner(states);
    EXPECT_EQ(number.Section, QStringLiteral("Ttolm472.DescriptionOfValue"));
    EXPECT_EQ(number.FileName, QStringLiteral("/tmp/gauge.ini"));
    states.SetOwner(number);
    EXPECT_EQ(states.Section, QStringLiteral("Ttolm472.DescriptionOfValue.DescriptionOfThreeStates"));
}

TEST(Descriptions, RangeSettersKeepMinNotAboveMax)
{
    TDescriptionOfDouble d;
    d.SetMin(150);
    d.SetMax(-1);
    d.SetRange(10, 20);
    d.SetRange(NAN, 1);
    d.SetMin(NAN);
    EXPECT_EQ(d.Min(), 0);
    EXPECT_EQ(d.Max(), 100);
    d.SetMin(100); // equal to Max is taken
    EXPECT_EQ(d.Min(), 100);
    d.SetRange(45000, -50);
    EXPECT_EQ(d.Min(), -50);
    EXPECT_EQ(d.Max(), 45000);
}

TEST(Descriptions, SaveWritesEveryKeyInOrderAndLoadReadsItBack)
{
    TempHome home;
    home.writeRaw(QStringLiteral("INI/values.ini"), "; hand-made\r\n[Other]\r\nKey=1\r\n");
    TDescriptionOfDouble temp;
    placeIn(temp, home, QStringLiteral("Temp"));
    temp.Title = QStringLiteral("Температура");
    temp.Hint = QStringLiteral("Температура внутри прибора");
    temp.Dimension = QStringLiteral("°C");
    temp.SetRange(100.25, -50.5);
    temp.Format = TDescriptionOfDouble::ffNumber;
    temp.Precision = 12;
    temp.Digits = 4;
    TDescriptionOfThreeStates link;
    placeIn(link, home, QStringLiteral("LinkState"));
    link.Title = QStringLiteral("Ошибка");
    link.SetCaptions(QStringLiteral("Нет данных"), QStringLiteral("Норма"), QStringLiteral("Сбой"));
    link.SetColors1(0x123456, 0xFFFFFF, 0);
    link.SetColors2(0x8000000F, 0x80000005, 0x00ABCDEF);
    ASSERT_TRUE(SaveDescription(temp));
    ASSERT_TRUE(SaveDescription(link));

    EXPECT_EQ(keysInFile(temp.FileName, temp.Section),
              (QStringList{"Title", "Hint", "Max", "Min", "Dimension", "Format", "Precision", "Digits"}));
    EXPECT_EQ(keysInFile(link.FileName, link.Section),
              (QStringList{"Title", "Hint", "Captions[tsUnknown]", "Captions[tsFalse]", "Captions[tsTrue]",
                           "Color1[tsUnknown]", "Color1[tsFalse]", "Color1[tsTrue]", "Color2[tsUnknown]",
                           "Color2[tsFalse]", "Color2[tsTrue]"}));
    const QByteArray bytes = home.readRaw(QStringLiteral("INI/values.ini"));
    EXPECT_TRUE(bytes.startsWith("; hand-made\r\n[Other]\r\nKey=1\r\n"));
    EXPECT_TRUE(bytes.contains(ToCp1251(temp.Hint)));
    // System colours go out as the workstations write them, signed.
    EXPECT_TRUE(bytes.contains("Color2[tsUnknown]=-2147483633\r\n"));

    TDescriptionOfDouble temp2;
    placeIn(temp2, home, temp.Section);
    LoadDescription(temp2);
    EXPECT_EQ(temp2.Title, temp.Title);
    EXPECT_EQ(temp2.Hint, temp.Hint);
    EXPECT_EQ(temp2.Dimension, temp.Dimension);
    EXPECT_EQ(temp2.Min(), -50.5);
    EXPECT_EQ(temp2.Max(), 100.25);
    EXPECT_EQ(temp2.Format, temp.Format);
    EXPECT_EQ(temp2.Precision, temp.Precision);
    EXPECT_EQ(temp2.Digits, temp.Digits);
    TDescriptionOfThreeStates link2;
    placeIn(link2, home, link.Section);
    LoadDescription(link2);
    EXPECT_EQ(link2.Title, link.Title);
    EXPECT_EQ(link2.Captions, link.Captions);
    EXPECT_EQ(link2.Color1, link.Color1);
    EXPECT_EQ(link2.Color2, link.Color2);

    temp.SetFileName(home.file(QStringLiteral("no such folder/values.ini")));
    EXPECT_FALSE(SaveDescription(temp));
}

TEST(Descriptions, LoadKeepsWhatTheFileCannotGive)
{
    TempHome home;
    home.writeRaw(QStringLiteral("INI/values.ini"),
                  "[Level]\r\nMax=10\r\nMin=20\r\nPrecision=abc\r\nDigits=300\r\n"
                  "[Link]\r\nColor1[tsFalse]=zzz\r\nColor1[tsTrue]=0x00FF0000\r\nColor2[tsTrue]=99999999999\r\n");
    TDescriptionOfDouble level;
    placeIn(level, home, QStringLiteral("Level"));
    level.Title = QStringLiteral("Уровень");
    level.SetRange(45000, 5);
    level.Precision = 7;
    LoadDescription(level);
    EXPECT_EQ(level.Min(), 5); // Min above Max in the file: the old range stays
    EXPECT_EQ(level.Max(), 45000);
    EXPECT_EQ(level.Title, QStringLiteral("Уровень"));
    EXPECT_EQ(level.Precision, 7);
    EXPECT_EQ(level.Digits, 2);
    // No Format key reads as the exponent format, as on the workstations.
    EXPECT_EQ(level.Format, TDescriptionOfDouble::ffExponent);

    TDescriptionOfThreeStates link;
    placeIn(link, home, QStringLiteral("Link"));
    LoadDescription(link);
    EXPECT_EQ(link.Color1, (std::array<uint32_t, 3>{0x808080, 0x0000FF, 0xFF0000}));
    EXPECT_EQ(link.Color2[tsTrue], 0x8000000Fu);
}

TEST(Descriptions, AssignCopiesWhatIsShownNotWhereItIsKept)
{
    TDescriptionOfDouble level, copy;
    level.Title = QStringLiteral("Уровень");
    level.Section = QStringLiteral("Level");
    level.SetRange(45000, -10);
    level.Digits = 1;
    copy.Assign(level);
    EXPECT_EQ(copy.Title, level.Title);
    EXPECT_TRUE(copy.Section.isEmpty());
    EXPECT_EQ(copy.Min(), -10);
    EXPECT_EQ(copy.Max(), 45000);
    EXPECT_EQ(copy.Digits, 1);

    TDescriptionOfThreeStates states;
    copy.Assign(states);
    EXPECT_TRUE(copy.Title.isEmpty());
    EXPECT_EQ(copy.Name, QStringLiteral("DescriptionOfValue"));
    EXPECT_EQ(copy.Max(), 45000);
}
