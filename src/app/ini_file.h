#pragma once
// Settings files of the program and of the workstations they come from:
// "[Section]" lines and "Key=Value" lines, Windows-1251, CR LF line ends.
//
// Section and key names compare case-insensitively, as on the Windows
// workstations these files are shared with. The file is read once when the
// object is made; writes change the picture in memory and UpdateFile() puts
// the whole file back, keeping every other section, key, comment and line
// order exactly as it was read. A missing, unreadable or damaged file reads
// as empty, so every read gives its default.

#include "values/settings_store.h"

#include <QList>
#include <QString>
#include <QStringList>

class TIniFile : public TSettingsStore
{
public:
    explicit TIniFile(const QString &fileName);

    const QString &FileName() const { return m_fileName; }
    // Whether the file existed (and could be read) when the object was made.
    bool Loaded() const { return m_loaded; }

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    QStringList Sections() const;
    QStringList Keys(const QString &section) const;

    QString ReadString(const QString &section, const QString &key, const QString &def) const override;
    // Decimal, or hexadecimal after "0x"/"$"; anything else gives def.
    qint64 ReadInt64(const QString &section, const QString &key, qint64 def) const override;
    int ReadInteger(const QString &section, const QString &key, int def) const;
    // 0 is false, any other integer true; a value that is not an integer gives def.
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    // Accepts the locale's decimal separator and ".", a value that does not
    // parse gives def.
    double ReadFloat(const QString &section, const QString &key, double def) const override;

    // Line breaks in the value become blanks, surrounding blanks go. A name
    // that would not read back as itself (with a line feed, an empty key, a
    // key with '=' or starting with ';' or '[', a section with ']') is
    // refused.
    void WriteString(const QString &section, const QString &key, const QString &value) override;
    void WriteInteger(const QString &section, const QString &key, qint64 value) override;
    // Written as 1 or 0.
    void WriteBool(const QString &section, const QString &key, bool value);
    // Shortest general form, up to 15 significant digits, with the locale's
    // decimal separator (as the workstations write doubles).
    void WriteFloat(const QString &section, const QString &key, double value) override;

    void EraseSection(const QString &section);
    void DeleteKey(const QString &section, const QString &key);

    // Writes the file back (atomically: a crash never leaves half a file).
    // False when the file cannot be written; the picture in memory stays.
    bool UpdateFile();

private:
    struct Line {
        QString text;    // the line as it goes back to the file (as read unless written)
        QString section; // for a section line: its name
        QString key;     // for a key line: its name
        QString value;   // for a key line: its value
        enum Kind { Other, Section, Key } kind = Other;
    };
    int findSection(const QString &section) const;
    int findKey(const QString &section, const QString &key) const;
    int sectionEnd(int sectionLine) const;

    QString m_fileName;
    bool m_loaded = false;
    // The file exists but could not be read: UpdateFile must not replace it.
    bool m_unreadable = false;
    QList<Line> m_lines;
};
