#include "app/ini_file.h"
#include "app/text_file.h"
#include "support/temp_home.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

// Pins the locale for one test and puts the previous one back.
class LocaleScope
{
public:
    explicit LocaleScope(QLocale::Language language)
    {
        QLocale::setDefault(QLocale(language));
    }
    ~LocaleScope() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

} // namespace

TEST(Cp1251, RussianTextAndSymbolsMapToTheirBytes)
{
    EXPECT_EQ(ToCp1251(QStringLiteral("АЯаяЁё№")), QByteArray("\xC0\xDF\xE0\xFF\xA8\xB8\xB9"));
    EXPECT_EQ(FromCp1251(QByteArray("\xC0\xDF\xE0\xFF\xA8\xB8\xB9\x88")), QStringLiteral("АЯаяЁё№€"));
    // Outside the code page: one question mark per character, also for a
    // character that takes two UTF-16 units.
    EXPECT_EQ(ToCp1251(QStringLiteral("a中b😀c")), QByteArray("a?b?c"));
}

TEST(Cp1251, EveryByteSurvivesAReadAndAWrite)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(ToCp1251(FromCp1251(all)), all);
}

TEST(TextFile, ReadsCrLfAndLfAndAnUnendedLastLine)
{
    TempHome home;
    home.writeRaw("a.txt", "one\r\ntwo\nthree");
    QStringList lines;
    ASSERT_TRUE(ReadTextLines(home.file("a.txt"), lines));
    EXPECT_EQ(lines, QStringList({"one", "two", "three"}));

    home.writeRaw("b.txt", "one\r\n\r\n");
    ASSERT_TRUE(ReadTextLines(home.file("b.txt"), lines));
    EXPECT_EQ(lines, QStringList({"one", ""}));

    EXPECT_FALSE(ReadTextLines(home.file("missing.txt"), lines));
    EXPECT_TRUE(lines.isEmpty());
}

TEST(TextFile, WritesAndAppendsCp1251WithCrLf)
{
    TempHome home;
    ASSERT_TRUE(WriteTextLines(home.file("w.txt"), {QStringLiteral("Уровень"), "2"}));
    ASSERT_TRUE(AppendTextLine(home.file("w.txt"), QStringLiteral("ещё")));
    EXPECT_EQ(home.readRaw("w.txt"), QByteArray("\xD3\xF0\xEE\xE2\xE5\xED\xFC\r\n2\r\n\xE5\xF9\xB8\r\n"));

    EXPECT_TRUE(AppendTextLine(home.file("new.txt"), "x"));
    EXPECT_EQ(home.readRaw("new.txt"), QByteArray("x\r\n"));
    // The folder is not made for the caller.
    EXPECT_FALSE(AppendTextLine(home.file("nofolder/x.txt"), "x"));
    EXPECT_FALSE(WriteTextLines(home.file("nofolder/x.txt"), {"x"}));
}

TEST(IniFile, CyrillicValuesRoundTripAsCp1251WithCrLf)
{
    TempHome home;
    const QString name = home.file("INI/ComPort.ini");
    {
        TIniFile ini(name);
        EXPECT_FALSE(ini.Loaded());
        ini.WriteString("Tolm", "Title", QStringLiteral("ТОЛМ472И резервуар"));
        ini.WriteInteger("Tolm", "BaudRate", 9600);
        ASSERT_TRUE(ini.UpdateFile());
    }
    EXPECT_EQ(home.readRaw("INI/ComPort.ini"),
              QByteArray("[Tolm]\r\nTitle=\xD2\xCE\xCB\xCC\x34\x37\x32\xC8 \xF0\xE5\xE7\xE5\xF0\xE2\xF3\xE0\xF0\r\n"
                         "BaudRate=9600\r\n"));
    TIniFile again(name);
    EXPECT_TRUE(again.Loaded());
    EXPECT_EQ(again.ReadString("Tolm", "Title", ""), QStringLiteral("ТОЛМ472И резервуар"));
    EXPECT_EQ(again.ReadInteger("Tolm", "BaudRate", 0), 9600);
}

TEST(IniFile, WritingAKeyKeepsEverythingElseInPlace)
{
    TempHome home;
    const QByteArray original = "; settings of the line\r\n"
                                "[Tolm]\r\n"
                                "Port = COM1 \r\n"
                                "; a note\r\n"
                                "Unknown=keep me\r\n"
                                "\r\n"
                                "[Other]\r\n"
                                "Strange line without equals\r\n"
                                "X=1\r\n";
    home.writeRaw("INI/a.ini", original);
    TIniFile ini(home.file("INI/a.ini"));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(home.readRaw("INI/a.ini"), original) << "an unchanged file must come back byte for byte";

    ini.WriteString("tolm", "PORT", "COM3");       // existing key, other case
    ini.WriteInteger("Tolm", "Parity", 2);         // new key in an existing section
    ini.WriteBool("New", "Enabled", true);         // new section
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(home.readRaw("INI/a.ini"), QByteArray("; settings of the line\r\n"
                                                    "[Tolm]\r\n"
                                                    "Port=COM3\r\n"
                                                    "; a note\r\n"
                                                    "Unknown=keep me\r\n"
                                                    "Parity=2\r\n"
                                                    "\r\n"
                                                    "[Other]\r\n"
                                                    "Strange line without equals\r\n"
                                                    "X=1\r\n"
                                                    "[New]\r\n"
                                                    "Enabled=1\r\n"));
}

TEST(IniFile, NamesCompareWithoutCaseAndValuesAreTrimmed)
{
    TempHome home;
    home.writeRaw("INI/a.ini", ToCp1251(QStringLiteral("[FormMain]\n  Left =  12  \nЛевый=ДА\n[ФОРМА]\nКлюч=1\n")));
    TIniFile ini(home.file("INI/a.ini"));
    EXPECT_EQ(ini.ReadInteger("formmain", "LEFT", 0), 12);
    EXPECT_EQ(ini.ReadString(" FORMMAIN ", " left ", ""), "12");
    EXPECT_EQ(ini.ReadString("FormMain", QStringLiteral("ЛЕВЫЙ"), ""), QStringLiteral("ДА"));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("форма"), QStringLiteral("ключ")));
    EXPECT_EQ(ini.Sections(), QStringList({"FormMain", QStringLiteral("ФОРМА")}));
    EXPECT_EQ(ini.Keys("formmain"), QStringList({"Left", QStringLiteral("Левый")}));
}

TEST(IniFile, DamagedOrMissingFilesReadAsDefaults)
{
    TempHome home;
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) % 256));
    home.writeRaw("INI/garbage.ini", garbage);
    home.writeRaw("INI/broken.ini", QByteArray("[Sec\r\n=nokey\r\nnovalue\r\n[Sec]\r\nA=\x00\x01\r\nB=12", 40));
    home.writeRaw("INI/before.ini", "A=1\r\n[Sec]\r\n");

    for (const char *name : {"INI/garbage.ini", "INI/broken.ini", "INI/before.ini", "INI/missing.ini",
                             "NOINI/missing.ini"}) {
        SCOPED_TRACE(name);
        TIniFile ini(home.file(name));
        EXPECT_EQ(ini.ReadInteger("Sec", "A", 7), 7);
        EXPECT_EQ(ini.ReadString("Sec", "Z", "def"), "def");
        EXPECT_TRUE(ini.ReadBool("Sec", "A", true));
        EXPECT_DOUBLE_EQ(ini.ReadFloat("Sec", "A", 2.5), 2.5);
    }
    // The last line of a truncated file still counts.
    EXPECT_EQ(TIniFile(home.file("INI/broken.ini")).ReadInteger("Sec", "B", 0), 12);

    TIniFile noFolder(home.file("NOINI/x.ini"));
    noFolder.WriteInteger("Sec", "A", 1);
    EXPECT_FALSE(noFolder.UpdateFile());
    EXPECT_EQ(noFolder.ReadInteger("Sec", "A", 0), 1) << "the picture in memory stays";
}

TEST(IniFile, AFileThatCannotBeReadIsNeverReplaced)
{
    TempHome home;
    // A folder where the file should be: exists, but cannot be read as a file.
    QDir(home.path()).mkpath("INI/Timer.ini");
    TIniFile ini(home.file("INI/Timer.ini"));
    EXPECT_FALSE(ini.Loaded());
    ini.WriteInteger("ctReqDevices", "Interval", 1000);
    EXPECT_FALSE(ini.UpdateFile());
}

TEST(IniFile, IntegersInDecimalAndHexadecimal)
{
    TempHome home;
    home.writeRaw("INI/a.ini", "[S]\nd=-42\nh=0x1F\nh2=0XfF\nd2=$A0\nbig=0xFFFFFFFF\nhuge=99999999999\n"
                               "bad=12abc\nbadhex=0xZ1\nempty=\nlong=0x7FFFFFFFFFFFFFFF\n");
    TIniFile ini(home.file("INI/a.ini"));
    EXPECT_EQ(ini.ReadInteger("S", "d", 0), -42);
    EXPECT_EQ(ini.ReadInteger("S", "h", 0), 31);
    EXPECT_EQ(ini.ReadInteger("S", "h2", 0), 255);
    EXPECT_EQ(ini.ReadInteger("S", "d2", 0), 160);
    EXPECT_EQ(ini.ReadInteger("S", "big", 0), -1);
    EXPECT_EQ(ini.ReadInt64("S", "big", 0), 0xFFFFFFFFLL);
    EXPECT_EQ(ini.ReadInteger("S", "huge", 5), 5);
    EXPECT_EQ(ini.ReadInt64("S", "huge", 5), 99999999999LL);
    EXPECT_EQ(ini.ReadInt64("S", "long", 0), 0x7FFFFFFFFFFFFFFFLL);
    for (const char *key : {"bad", "badhex", "empty"})
        EXPECT_EQ(ini.ReadInteger("S", key, 77), 77) << key;
}

TEST(IniFile, BooleansAreIntegers)
{
    TempHome home;
    home.writeRaw("INI/a.ini", "[S]\nzero=0\none=1\nminus=-1\nhex=0x10\nword=true\n");
    TIniFile ini(home.file("INI/a.ini"));
    EXPECT_FALSE(ini.ReadBool("S", "zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "one", false));
    EXPECT_TRUE(ini.ReadBool("S", "minus", false));
    EXPECT_TRUE(ini.ReadBool("S", "hex", false));
    EXPECT_FALSE(ini.ReadBool("S", "word", false)) << "a word is not an integer: default";
    EXPECT_TRUE(ini.ReadBool("S", "word", true));

    ini.WriteBool("S", "w", true);
    ini.WriteBool("S", "v", false);
    EXPECT_EQ(ini.ReadString("S", "w", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "v", ""), "0");
}

TEST(IniFile, FloatsWithTheLocaleSeparatorAndThePoint)
{
    LocaleScope russian(QLocale::Russian);
    TempHome home;
    home.writeRaw("INI/a.ini", "[S]\ncomma=0,125\npoint=2.5\nexp=1,5E-7\ngroups=1\xA0" "500,5\nnan=nan\nword=abc\n");
    TIniFile ini(home.file("INI/a.ini"));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "comma", 0), 0.125);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "point", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "exp", 0), 1.5e-7);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "groups", -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "nan", -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "word", -1), -1);

    ini.WriteFloat("S", "a", 0.1);
    ini.WriteFloat("S", "b", 123456.75);
    ini.WriteFloat("S", "c", 1.0 / 3.0);
    ini.WriteFloat("S", "d", 20);
    EXPECT_EQ(ini.ReadString("S", "a", ""), "0,1");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "123456,75");
    EXPECT_EQ(ini.ReadString("S", "c", ""), "0,333333333333333");
    EXPECT_EQ(ini.ReadString("S", "d", ""), "20");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "b", 0), 123456.75);
}

TEST(IniFile, FloatsWrittenWithAPointLocaleStillReadTheComma)
{
    LocaleScope english(QLocale::English);
    TempHome home;
    home.writeRaw("INI/a.ini", "[S]\ncomma=0,5\npoint=0.25\nthousands=1,500\n");
    TIniFile ini(home.file("INI/a.ini"));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "comma", 0), 0.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "point", 0), 0.25);
    // A workstation's "1,500" is one and a half, never fifteen hundred.
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "thousands", 0), 1.5);
    ini.WriteFloat("S", "w", 1234.5);
    EXPECT_EQ(ini.ReadString("S", "w", ""), "1234.5");
}

TEST(IniFile, LineBreaksInAValueCannotOpenASection)
{
    TempHome home;
    TIniFile ini(home.file("INI/a.ini"));
    ini.WriteString("S", "Name", "a\r\n[Evil]\nX=1");
    ASSERT_TRUE(ini.UpdateFile());
    TIniFile again(home.file("INI/a.ini"));
    EXPECT_FALSE(again.SectionExists("Evil"));
    EXPECT_EQ(again.ReadString("S", "Name", ""), "a  [Evil] X=1");
}

TEST(IniFile, EraseSectionAndDeleteKey)
{
    TempHome home;
    home.writeRaw("INI/a.ini", "[A]\nx=1\ny=2\n[B]\nz=3\n[a]\nx=9\n");
    TIniFile ini(home.file("INI/a.ini"));
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1) << "the first of two equal sections counts";
    ini.DeleteKey("A", "X");
    EXPECT_FALSE(ini.ValueExists("A", "x"));
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
    ini.EraseSection("a");
    EXPECT_FALSE(ini.SectionExists("A"));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(home.readRaw("INI/a.ini"), QByteArray("[B]\r\nz=3\r\n"));
}

TEST(IniFile, NamesThatWouldNotReadBackAreRefused)
{
    TempHome home;
    home.writeRaw("INI/a.ini", "[S]\n[odd=1\n;c=2\n");
    TIniFile ini(home.file("INI/a.ini"));
    EXPECT_EQ(ini.Keys("S"), QStringList());
    for (const char *key : {"", "a=b", ";c", "[odd", "two\nlines"})
        ini.WriteString("S", key, "v]");
    ini.WriteString("S]x", "k", "v");
    ini.WriteString("S\n[T", "k", "v");
    EXPECT_EQ(ini.Keys("S"), QStringList());
    EXPECT_EQ(ini.Sections(), QStringList({"S"}));
}
