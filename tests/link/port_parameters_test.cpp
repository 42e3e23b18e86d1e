#include "app/ini_file.h"
#include "link/port_parameters.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

TEST(PortEnums, EveryTextConvertsBothWays)
{
    const QStringList baud = BaudRateTexts();
    ASSERT_EQ(baud.size(), 16);
    for (int i = 0; i < baud.size(); ++i) {
        TBaudRate value = TBaudRate::Custom;
        ASSERT_TRUE(TextToBaudRate(baud[i], value)) << baud[i].toStdString();
        EXPECT_EQ(BaudRateToText(value), baud[i]);
    }
    EXPECT_EQ(BaudRateBitsPerSecond(TBaudRate::br56000), 56000);
    EXPECT_EQ(BaudRateBitsPerSecond(TBaudRate::Custom), 0);

    for (const QString &text : StopBitsTexts()) {
        TStopBits value = TStopBits::sb2;
        ASSERT_TRUE(TextToStopBits(text, value));
        EXPECT_EQ(StopBitsToText(value), text);
    }
    EXPECT_EQ(StopBitsTexts(), (QStringList{"1", "1.5", "2"}));
    EXPECT_EQ(ParityTexts(), (QStringList{"None", "Odd", "Even", "Mark", "Space"}));
    EXPECT_EQ(FlowControlTexts(), (QStringList{"Hardware", "Software", "None", "Custom"}));
    EXPECT_EQ(DataBitsTexts(), (QStringList{"5", "6", "7", "8"}));
}

TEST(PortEnums, UnknownTextLeavesTheValueAlone)
{
    TParity parity = TParity::Mark;
    EXPECT_FALSE(TextToParity("none", parity)); // the files write "None"
    EXPECT_FALSE(TextToParity("", parity));
    EXPECT_EQ(parity, TParity::Mark);
    TBaudRate baud = TBaudRate::br4800;
    EXPECT_FALSE(TextToBaudRate("9601", baud));
    EXPECT_EQ(baud, TBaudRate::br4800);
    EXPECT_TRUE(TextToBaudRate(" 19200 ", baud));
    EXPECT_EQ(baud, TBaudRate::br19200);
}

TEST(PortParameters, DefaultsWithoutSettingsFile)
{
    TempHome home;
    TPortParameters set(home.path());
    EXPECT_EQ(set.FileName, home.file("INI/ComPort.ini"));
    set.Section = "Tolm";
    set.LoadFromFile();
    EXPECT_EQ(set, [&] {
        TPortParameters fresh(home.path());
        fresh.Section = "Tolm";
        return fresh;
    }());
    EXPECT_EQ(set.BaudRate, TBaudRate::br9600);
    EXPECT_EQ(set.DataBits, TDataBits::db8);
    EXPECT_EQ(set.StopBits, TStopBits::sb1);
    EXPECT_EQ(set.Parity, TParity::None);
    EXPECT_EQ(set.FlowControl, TFlowControl::None);
    EXPECT_EQ(set.ReadInterval, 50);
    EXPECT_EQ(set.ReadTotalTimeout(140), 430);
    EXPECT_EQ(set.ReadTotalTimeout(70), 290);
    EXPECT_FALSE(QFile::exists(set.FileName)) << "loading must not create the file";
}

TEST(PortParameters, GaugeSectionChangesOnlyTheGaugeSet)
{
    TempHome home;
    home.writeRaw("INI/ComPort.ini", "[Tolm]\r\nBaudRate=19200\r\n[Transmitter]\r\nPort=COM3\r\n");
    TPortParameters tolm(home.path());
    tolm.Section = "Tolm";
    tolm.LoadFromFile();
    TPortParameters lumidor(home.path());
    lumidor.Section = "Lumidor";
    lumidor.LoadFromFile();

    EXPECT_EQ(tolm.BaudRate, TBaudRate::br19200);
    EXPECT_EQ(tolm.ReadInterval, 50) << "a missing key keeps the default";
    EXPECT_EQ(lumidor.BaudRate, TBaudRate::br9600);
}

TEST(PortParameters, DamagedValuesKeepWhatWasThere)
{
    TempHome home;
    home.writeRaw("INI/ComPort.ini",
                  "[Tolm]\r\nBaudRate=fast\r\nParity=Mark\r\nReadInterval=-5\r\nReadTotalConstant=abc\r\n"
                  "ReadTotalMultiplier=7\r\nStopBits=3\r\n");
    TPortParameters set(home.path());
    set.Section = "Tolm";
    set.StopBits = TStopBits::sb2;
    set.LoadFromFile();
    EXPECT_EQ(set.BaudRate, TBaudRate::br9600);
    EXPECT_EQ(set.Parity, TParity::Mark);
    EXPECT_EQ(set.ReadInterval, 50);
    EXPECT_EQ(set.ReadTotalConstant, 150);
    EXPECT_EQ(set.ReadTotalMultiplier, 7);
    EXPECT_EQ(set.StopBits, TStopBits::sb2);
}

TEST(PortParameters, SaveAndLoadGiveTheSameSet)
{
    TempHome home;
    TPortParameters written(home.path());
    written.Section = "Transmitter.PortParameters";
    written.BaudRate = TBaudRate::br115200;
    written.DataBits = TDataBits::db7;
    written.StopBits = TStopBits::sb1_5;
    written.Parity = TParity::Space;
    written.FlowControl = TFlowControl::Hardware;
    written.ReadInterval = 11;
    written.ReadTotalConstant = 12;
    written.ReadTotalMultiplier = 13;
    written.WriteTotalConstant = 14;
    written.WriteTotalMultiplier = 15;
    {
        TIniFile ini(written.FileName);
        ASSERT_TRUE(written.Save(&ini));
        ASSERT_TRUE(ini.UpdateFile());
    }
    const QByteArray text = home.readRaw("INI/ComPort.ini");
    EXPECT_TRUE(text.contains("[Transmitter.PortParameters]\r\n"));
    EXPECT_TRUE(text.contains("BaudRate=115200\r\n"));
    EXPECT_TRUE(text.contains("StopBits=1.5\r\n"));
    EXPECT_TRUE(text.contains("Parity=Space\r\n"));

    TPortParameters read(home.path());
    read.Section = written.Section;
    read.LoadFromFile();
    EXPECT_EQ(read, written);
}

TEST(PortParameters, NoFileGivenIsRefused)
{
    TPortParameters set;
    set.BaudRate = TBaudRate::br600;
    EXPECT_FALSE(set.Load(nullptr));
    EXPECT_FALSE(set.Save(nullptr));
    EXPECT_EQ(set.BaudRate, TBaudRate::br600);
}
