// Any bytes as a settings file: reading every section and key in every type,
// writing, putting the file back and reading it again must neither crash nor
// change what was read, and the written values must come back.

#include "app/ini_file.h"
#include "app/text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// What a written value reads back as: one line, no surrounding blanks.
QString asStored(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value.trimmed();
}

void readEverything(const TIniFile &ini)
{
    for (const QString &section : ini.Sections()) {
        check(ini.SectionExists(section));
        for (const QString &key : ini.Keys(section)) {
            check(ini.ValueExists(section, key));
            ini.ReadString(section, key, QString());
            ini.ReadInt64(section, key, 0);
            ini.ReadInteger(section, key, 0);
            ini.ReadBool(section, key, false);
            ini.ReadFloat(section, key, 0.0);
        }
    }
    ini.ReadFloat(QStringLiteral("Tolm471"), QStringLiteral("Hmax"), 1.5);
    ini.ReadInteger(QStringLiteral("ctReqDevices"), QStringLiteral("Interval"), 200);
}

// Both pictures hold the same sections, keys and values.
void checkSame(const TIniFile &a, const TIniFile &b)
{
    check(a.Sections() == b.Sections());
    for (const QString &section : a.Sections()) {
        check(a.Keys(section) == b.Keys(section));
        for (const QString &key : a.Keys(section))
            check(a.ReadString(section, key, QString()) == b.ReadString(section, key, QString()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString fileName = [] {
        QDir(dir.path()).mkpath(QStringLiteral("INI"));
        return QDir(dir.path()).filePath(QStringLiteral("INI/fuzz.ini"));
    }();

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(fileName);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        check(file.write(bytes) == bytes.size());
    }

    TIniFile ini(fileName);
    check(ini.Loaded());
    readEverything(ini);

    // Writes into the first section of the file (or a new one), to one of
    // its keys and to a new key; the value is a slice of the input.
    const QStringList sections = ini.Sections();
    const QString section = sections.isEmpty() ? QStringLiteral("Fuzz") : sections.first();
    const QStringList keys = ini.Keys(section);
    const QString value = FromCp1251(bytes.left(64));
    if (sections.size() > 1)
        ini.EraseSection(sections.last());
    if (keys.size() > 1)
        ini.DeleteKey(section, keys.first());
    if (!keys.isEmpty())
        ini.WriteString(section, keys.last(), value);
    ini.WriteString(section, QStringLiteral("FuzzValue"), value);
    ini.WriteFloat(QStringLiteral("Fuzz Float"), QStringLiteral("X"), double(size) / 7.0);
    ini.WriteInteger(QStringLiteral("Fuzz Float"), QStringLiteral("N"), qint64(size) - 100);

    check(ini.UpdateFile());
    const TIniFile again(fileName);
    readEverything(again);
    checkSame(ini, again);
    check(again.ReadString(section, QStringLiteral("FuzzValue"), QString()) == asStored(value));
    check(again.ReadInteger(QStringLiteral("Fuzz Float"), QStringLiteral("N"), 0) == int(size) - 100);
    return 0;
}
