#include "app/ini_file.h"

#include "app/text_file.h"

#include <QFileInfo>
#include <QLocale>

#include <cmath>
#include <limits>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value must stay on its line: a line break inside it would open a new key
// or section when the file is read back, here or on a workstation.
QString oneLine(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out.trimmed();
}

// A key that reads back as itself: not empty, on one line, no '=', and not
// starting like a comment or a section line (a value with ']' would turn
// "[k=v]" into one).
bool usableKey(const QString &key)
{
    return !key.isEmpty() && !key.contains(QLatin1Char('\n')) && !key.contains(QLatin1Char('='))
           && !key.startsWith(QLatin1Char(';')) && !key.startsWith(QLatin1Char('['));
}

bool usableSection(const QString &section)
{
    return !section.contains(QLatin1Char('\n')) && !section.contains(QLatin1Char(']'));
}

struct ParsedInteger {
    bool ok = false;
    bool hex = false;
    qint64 value = 0;
};

// Decimal with an optional sign, or up to 16 hexadecimal digits after "0x"
// or "$", as the workstations read them; a hexadecimal value above the
// signed range wraps, as it does there.
ParsedInteger parseInteger(const QString &raw)
{
    const QString text = raw.trimmed();
    ParsedInteger result;
    qsizetype digits = -1;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = 2;
    else if (text.startsWith(QLatin1Char('$')))
        digits = 1;
    if (digits < 0) {
        result.value = text.toLongLong(&result.ok, 10);
        return result;
    }
    const QStringView hexDigits = QStringView(text).mid(digits);
    if (hexDigits.isEmpty() || hexDigits.size() > 16)
        return result;
    quint64 value = 0;
    for (QChar c : hexDigits) {
        const char16_t u = c.unicode();
        int digit = 0;
        if (u >= '0' && u <= '9')
            digit = u - '0';
        else if (u >= 'a' && u <= 'f')
            digit = u - 'a' + 10;
        else if (u >= 'A' && u <= 'F')
            digit = u - 'A' + 10;
        else
            return result;
        value = value * 16 + quint64(digit);
    }
    result.ok = true;
    result.hex = true;
    result.value = qint64(value);
    return result;
}

// Locales whose parsing never takes a group separator: "1,500" must not be
// read as 1500 where the comma is not the decimal separator.
QLocale strictLocale(QLocale locale)
{
    locale.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

TIniFile::TIniFile(const QString &fileName)
    : m_fileName(fileName)
{
    QStringList texts;
    m_loaded = ReadTextLines(fileName, texts);
    // A file that is there but cannot be read must never be replaced by the
    // few keys written during this run.
    m_unreadable = !m_loaded && QFileInfo::exists(fileName);
    if (!m_loaded)
        return;
    bool inSection = false;
    m_lines.reserve(texts.size());
    for (const QString &text : std::as_const(texts)) {
        Line line;
        line.text = text;
        const QString trimmed = text.trimmed();
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (trimmed.startsWith(QLatin1Char('[')) && close > 0) {
            line.kind = Line::Section;
            line.section = trimmed.mid(1, close - 1).trimmed();
            inSection = true;
        } else if (inSection) {
            const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
            const QString key = trimmed.left(eq).trimmed();
            if (eq > 0 && usableKey(key)) {
                line.kind = Line::Key;
                line.key = key;
                line.value = trimmed.mid(eq + 1).trimmed();
            }
        }
        m_lines.append(line);
    }
}

int TIniFile::findSection(const QString &section) const
{
    const QString name = section.trimmed();
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::Section && sameName(m_lines[i].section, name))
            return i;
    }
    return -1;
}

int TIniFile::sectionEnd(int sectionLine) const
{
    int i = sectionLine + 1;
    while (i < m_lines.size() && m_lines[i].kind != Line::Section)
        ++i;
    return i;
}

int TIniFile::findKey(const QString &section, const QString &key) const
{
    const int start = findSection(section);
    if (start < 0)
        return -1;
    const QString name = key.trimmed();
    const int end = sectionEnd(start);
    for (int i = start + 1; i < end; ++i) {
        if (m_lines[i].kind == Line::Key && sameName(m_lines[i].key, name))
            return i;
    }
    return -1;
}

bool TIniFile::SectionExists(const QString &section) const
{
    return findSection(section) >= 0;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return findKey(section, key) >= 0;
}

QStringList TIniFile::Sections() const
{
    QStringList names;
    for (const Line &line : m_lines) {
        if (line.kind == Line::Section && !names.contains(line.section, Qt::CaseInsensitive))
            names.append(line.section);
    }
    return names;
}

QStringList TIniFile::Keys(const QString &section) const
{
    QStringList names;
    const int start = findSection(section);
    if (start < 0)
        return names;
    const int end = sectionEnd(start);
    for (int i = start + 1; i < end; ++i) {
        if (m_lines[i].kind == Line::Key && !names.contains(m_lines[i].key, Qt::CaseInsensitive))
            names.append(m_lines[i].key);
    }
    return names;
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const int i = findKey(section, key);
    return i < 0 ? def : m_lines[i].value;
}

qint64 TIniFile::ReadInt64(const QString &section, const QString &key, qint64 def) const
{
    const int i = findKey(section, key);
    if (i < 0)
        return def;
    const ParsedInteger parsed = parseInteger(m_lines[i].value);
    return parsed.ok ? parsed.value : def;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const int i = findKey(section, key);
    if (i < 0)
        return def;
    const ParsedInteger parsed = parseInteger(m_lines[i].value);
    if (!parsed.ok)
        return def;
    if (parsed.value >= std::numeric_limits<int>::min() && parsed.value <= std::numeric_limits<int>::max())
        return int(parsed.value);
    // "0xFFFFFFFF" is -1 for a 32-bit integer on the workstations.
    if (parsed.hex && parsed.value > 0 && parsed.value <= qint64(std::numeric_limits<quint32>::max()))
        return int(quint32(parsed.value));
    return def;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    const int i = findKey(section, key);
    if (i < 0)
        return def;
    const ParsedInteger parsed = parseInteger(m_lines[i].value);
    return parsed.ok ? parsed.value != 0 : def;
}

double TIniFile::ReadFloat(const QString &section, const QString &key, double def) const
{
    const int i = findKey(section, key);
    if (i < 0)
        return def;
    const QString text = m_lines[i].value;
    bool ok = false;
    double value = strictLocale(QLocale()).toDouble(text, &ok);
    if (!ok) {
        // Files come from workstations with either separator; with group
        // separators refused, "0,5" and "0.5" can only mean one half.
        QString point = text;
        point.replace(QLatin1Char(','), QLatin1Char('.'));
        value = strictLocale(QLocale::c()).toDouble(point, &ok);
    }
    // "nan" or "inf" would slip past every range check of the gauge model.
    if (!ok || !std::isfinite(value))
        return def;
    return value;
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    const QString text = oneLine(value);
    if (!usableKey(keyName) || !usableSection(sectionName))
        return;
    const int found = findKey(sectionName, keyName);
    if (found >= 0) {
        Line &line = m_lines[found];
        line.value = text;
        line.text = line.key + QLatin1Char('=') + text;
        return;
    }
    Line line;
    line.kind = Line::Key;
    line.key = keyName;
    line.value = text;
    line.text = keyName + QLatin1Char('=') + text;
    int start = findSection(sectionName);
    if (start < 0) {
        Line head;
        head.kind = Line::Section;
        head.section = sectionName;
        head.text = QLatin1Char('[') + sectionName + QLatin1Char(']');
        m_lines.append(head);
        m_lines.append(line);
        return;
    }
    // After the last non-blank line of the section, so that the blank line
    // that separates it from the next section stays where it was.
    int at = sectionEnd(start);
    while (at > start + 1 && m_lines[at - 1].text.trimmed().isEmpty())
        --at;
    m_lines.insert(at, line);
}

void TIniFile::WriteInteger(const QString &section, const QString &key, qint64 value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteFloat(const QString &section, const QString &key, double value)
{
    WriteString(section, key, strictLocale(QLocale()).toString(value, 'g', 15));
}

void TIniFile::EraseSection(const QString &section)
{
    for (int start = findSection(section); start >= 0; start = findSection(section))
        m_lines.remove(start, sectionEnd(start) - start);
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    for (int i = findKey(section, key); i >= 0; i = findKey(section, key))
        m_lines.removeAt(i);
}

bool TIniFile::UpdateFile()
{
    if (m_unreadable)
        return false;
    QStringList texts;
    texts.reserve(m_lines.size());
    for (const Line &line : std::as_const(m_lines))
        texts.append(line.text);
    return WriteTextLines(m_fileName, texts);
}
