#include "values/descriptions.h"

#include "app/text_file.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Key names of one section in the order they stand in the file.
QStringList keysInFile(const QString &fileName, const QString &section)
{
    QStringList lines;
    EXPECT_TRUE(ReadTextLines(fileName, lines));
    QStringList keys;
    bool inside = false;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('['))) {
            inside = line == QLatin1Char('[') + section + QLatin1Char(']');
            continue;
        }
        if (inside && line.contains(QLatin1Char('=')))
            keys << line.section(QLatin1Char('='), 0, 0);
    }
    return keys;
}

} // namespace

TEST(Descriptions, DefaultsAndNames)
{
    TDescriptionOfCustomValue custom;
    TDescriptionOfValue value;
    TDescriptionOfThreeStates states;
    TDescriptionOfDouble number;
    EXPECT_EQ(custom.Name, QStringLiteral("DescriptionOfCustomValue"));
    EXPECT_EQ(value.Name, QStringLiteral("DescriptionOfValue"));
    EXPECT_EQ(states.Name, QStringLiteral("DescriptionOfThreeStates"));
    EXPECT_EQ(number.Name, QStringLiteral("DescriptionOfValue"));
    EXPECT_TRUE(number.Title.isEmpty());

    EXPECT_EQ(states.Captions, (std::array<QString, 3>{"Unknown", "Off", "On"}));
    EXPECT_EQ(states.Color1, (std::array<uint32_t, 3>{0x808080, 0x0000FF, 0x00FF00}));
    EXPECT_EQ(states.Color2, (std::array<uint32_t, 3>{0x8000000F, 0x8000000F, 0x8000000F}));

    EXPECT_EQ(number.Min(), 0);
    EXPECT_EQ(number.Max(), 100);
    EXPECT_EQ(number.Format, 0);
    EXPECT_EQ(number.Precision, 9);
    EXPECT_EQ(number.Digits, 2);
}

TEST(Descriptions, RangeSettersKeepMinNotAboveMax)
{
    TDescriptionOfDouble d;
    d.SetMin(150);
    EXPECT_EQ(d.Min(), 0);
    d.SetMax(-1);
    EXPECT_EQ(d.Max(), 100);
    d.SetRange(10, 20);
    EXPECT_EQ(d.Min(), 0);
    EXPECT_EQ(d.Max(), 100);

    d.SetMin(100); // equal to Max is taken
    EXPECT_EQ(d.Min(), 100);
    d.SetRange(-50, -50);
    EXPECT_EQ(d.Min(), -50);
    EXPECT_EQ(d.Max(), -50);
    d.SetRange(45000, 0);
    EXPECT_EQ(d.Min(), 0);
    EXPECT_EQ(d.Max(), 45000);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    d.SetMin(nan);
    d.SetMax(nan);
    d.SetRange(nan, 1);
    d.SetRange(1, nan);
    EXPECT_EQ(d.Min(), 0);
    EXPECT_EQ(d.Max(), 45000);
}

TEST(Descriptions, OwnerGivesSectionAndFile)
{
    TDescriptionOfThreeStates owner;
    owner.SetFileName(QStringLiteral("/tmp/gauge.ini"));
    owner.SetSection(QStringLiteral("Ttolm472"));
    TDescriptionOfDouble level;
    level.SetOwner(owner);
    EXPECT_EQ(level.Section, QStringLiteral("Ttolm472.DescriptionOfValue"));
    EXPECT_EQ(level.FileName, QStringLiteral("/tmp/gauge.ini"));
}

TEST(Descriptions, DoubleSavesEveryKeyInOrderAndLoadsItBack)
{
    TempHome home;
    TDescriptionOfDouble saved;
    saved.SetFileName(home.file(QStringLiteral("INI/values.ini")));
    saved.SetSection(QStringLiteral("Temp"));
    saved.Title = QStringLiteral("Температура");
    saved.Hint = QStringLiteral("Температура внутри прибора");
    saved.Dimension = QStringLiteral("°C");
    saved.SetRange(100.25, -50.5);
    saved.Format = TDescriptionOfDouble::ffNumber;
    saved.Precision = 12;
    saved.Digits = 4;
    ASSERT_TRUE(saved.Save());

    EXPECT_EQ(keysInFile(saved.FileName, saved.Section),
              (QStringList{"Title", "Hint", "Max", "Min", "Dimension", "Format", "Precision", "Digits"}));
    // The file is for the workstations: Windows-1251, no UTF-8.
    EXPECT_TRUE(home.readRaw(QStringLiteral("INI/values.ini")).contains(ToCp1251(saved.Hint)));

    TDescriptionOfDouble loaded;
    loaded.SetFileName(saved.FileName);
    loaded.SetSection(saved.Section);
    loaded.Load();
    EXPECT_EQ(loaded.Title, saved.Title);
    EXPECT_EQ(loaded.Hint, saved.Hint);
    EXPECT_EQ(loaded.Dimension, saved.Dimension);
    EXPECT_EQ(loaded.Min(), -50.5);
    EXPECT_EQ(loaded.Max(), 100.25);
    EXPECT_EQ(loaded.Format, saved.Format);
    EXPECT_EQ(loaded.Precision, saved.Precision);
    EXPECT_EQ(loaded.Digits, saved.Digits);
}

TEST(Descriptions, ThreeStatesSaveEveryKeyInOrderAndLoadItBack)
{
    TempHome home;
    TDescriptionOfThreeStates saved;
    saved.SetFileName(home.file(QStringLiteral("INI/values.ini")));
    saved.SetSection(QStringLiteral("LinkState"));
    saved.Title = QStringLiteral("Ошибка");
    saved.Hint = QStringLiteral("Ошибка обмена");
    saved.SetCaptions(QStringLiteral("Нет данных"), QStringLiteral("Норма"), QStringLiteral("Сбой"));
    saved.SetColors1(0x123456, 0xFFFFFF, 0);
    saved.SetColors2(0x8000000F, 0x80000005, 0x00ABCDEF);
    ASSERT_TRUE(saved.Save());

    EXPECT_EQ(keysInFile(saved.FileName, saved.Section),
              (QStringList{"Title", "Hint", "Captions[tsUnknown]", "Captions[tsFalse]", "Captions[tsTrue]",
                           "Color1[tsUnknown]", "Color1[tsFalse]", "Color1[tsTrue]", "Color2[tsUnknown]",
                           "Color2[tsFalse]", "Color2[tsTrue]"}));
    // System colours go out as the workstations write them, signed.
    EXPECT_TRUE(home.readRaw(QStringLiteral("INI/values.ini")).contains("Color2[tsUnknown]=-2147483633\r\n"));

    TDescriptionOfThreeStates loaded;
    loaded.SetFileName(saved.FileName);
    loaded.SetSection(saved.Section);
    loaded.Load();
    EXPECT_EQ(loaded.Title, saved.Title);
    EXPECT_EQ(loaded.Hint, saved.Hint);
    EXPECT_EQ(loaded.Captions, saved.Captions);
    EXPECT_EQ(loaded.Color1, saved.Color1);
    EXPECT_EQ(loaded.Color2, saved.Color2);
}

TEST(Descriptions, SaveKeepsTheRestOfTheFileAndReportsFailure)
{
    TempHome home;
    home.writeRaw(QStringLiteral("INI/values.ini"), "; hand-made\r\n[Other]\r\nKey=1\r\n");
    TDescriptionOfValue d;
    d.SetFileName(home.file(QStringLiteral("INI/values.ini")));
    d.SetSection(QStringLiteral("Level"));
    d.Title = QStringLiteral("Уровень");
    ASSERT_TRUE(d.Save());
    const QByteArray text = home.readRaw(QStringLiteral("INI/values.ini"));
    EXPECT_TRUE(text.startsWith("; hand-made\r\n[Other]\r\nKey=1\r\n"));
    EXPECT_TRUE(text.contains("[Level]\r\nTitle="));

    d.SetFileName(home.file(QStringLiteral("no such folder/values.ini")));
    EXPECT_FALSE(d.Save());
}

TEST(Descriptions, LoadKeepsTheRangeWhenTheFileHasMinAboveMax)
{
    TempHome home;
    home.writeRaw(QStringLiteral("INI/values.ini"), "[Level]\r\nMax=10\r\nMin=20\r\nTitle=X\r\n");
    TDescriptionOfDouble d;
    d.SetFileName(home.file(QStringLiteral("INI/values.ini")));
    d.SetSection(QStringLiteral("Level"));
    d.SetRange(45000, 5);
    d.Load();
    EXPECT_EQ(d.Min(), 5);
    EXPECT_EQ(d.Max(), 45000);
    EXPECT_EQ(d.Title, QStringLiteral("X"));

    // One bound alone is checked against the other bound as it stands.
    home.writeRaw(QStringLiteral("INI/values.ini"), "[Level]\r\nMax=1\r\n");
    d.Load();
    EXPECT_EQ(d.Min(), 5);
    EXPECT_EQ(d.Max(), 45000);
    home.writeRaw(QStringLiteral("INI/values.ini"), "[Level]\r\nMax=6\r\n");
    d.Load();
    EXPECT_EQ(d.Max(), 6);
}

TEST(Descriptions, LoadWithoutFormatGivesExponentAndSkipsGarbage)
{
    TempHome home;
    home.writeRaw(QStringLiteral("INI/values.ini"),
                  "[Level]\r\nPrecision=abc\r\nDigits=300\r\nMin=nan\r\n"
                  "[Link]\r\nColor1[tsFalse]=zzz\r\nColor1[tsTrue]=0x00FF0000\r\nColor2[tsTrue]=99999999999\r\n");
    TDescriptionOfDouble level;
    level.SetFileName(home.file(QStringLiteral("INI/values.ini")));
    level.SetSection(QStringLiteral("Level"));
    level.Title = QStringLiteral("Уровень");
    level.Precision = 7;
    level.Digits = 1;
    level.SetMin(-3);
    level.Load();
    EXPECT_EQ(level.Format, TDescriptionOfDouble::ffExponent);
    EXPECT_EQ(level.Title, QStringLiteral("Уровень"));
    EXPECT_EQ(level.Precision, 7);
    EXPECT_EQ(level.Digits, 1);
    EXPECT_EQ(level.Min(), -3);

    TDescriptionOfThreeStates link;
    link.SetFileName(level.FileName);
    link.SetSection(QStringLiteral("Link"));
    link.Load();
    EXPECT_EQ(link.Color1, (std::array<uint32_t, 3>{0x808080, 0x0000FF, 0xFF0000}));
    EXPECT_EQ(link.Color2[tsTrue], 0x8000000Fu);

    // A missing file is no error: every key keeps its value, Format excepted.
    TDescriptionOfDouble missing;
    missing.SetFileName(home.file(QStringLiteral("INI/none.ini")));
    missing.SetSection(QStringLiteral("Level"));
    missing.Load();
    EXPECT_EQ(missing.Format, TDescriptionOfDouble::ffExponent);
    EXPECT_EQ(missing.Max(), 100);
}

TEST(Descriptions, AssignCopiesTheFieldsOfTheSourceClass)
{
    TDescriptionOfDouble level;
    level.Title = QStringLiteral("Уровень");
    level.Dimension = QStringLiteral("мм");
    level.SetRange(45000, -10);
    level.Precision = 5;
    level.Digits = 1;
    level.Format = TDescriptionOfDouble::ffFixed;

    TDescriptionOfDouble copy;
    copy.Assign(level);
    EXPECT_EQ(copy.Title, level.Title);
    EXPECT_EQ(copy.Dimension, level.Dimension);
    EXPECT_EQ(copy.Min(), -10);
    EXPECT_EQ(copy.Max(), 45000);
    EXPECT_EQ(copy.Format, level.Format);
    EXPECT_EQ(copy.Precision, 5);
    EXPECT_EQ(copy.Digits, 1);

    // From another class only the common texts come over.
    TDescriptionOfThreeStates states;
    states.Title = QStringLiteral("Ошибка");
    copy.Assign(states);
    EXPECT_EQ(copy.Title, QStringLiteral("Ошибка"));
    EXPECT_EQ(copy.Max(), 45000);
}
