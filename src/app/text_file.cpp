#include "app/text_file.h"

#include <QFile>
#include <QSaveFile>

#include <array>

namespace {

// Upper half of Windows-1251, bytes 0x80 to 0xFF. 0x98 is unassigned in the
// code page; it maps to the C1 control U+0098 so that every byte survives a
// read and a write unchanged.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

char encodeOne(char32_t code)
{
    if (code < 0x80)
        return char(code);
    // Most text is Russian: А..я is one contiguous block at 0xC0..0xFF.
    if (code >= 0x0410 && code <= 0x044F)
        return char(0xC0 + (code - 0x0410));
    for (int i = 0; i < 0x40; ++i) {
        if (kUpperHalf[i] == code)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray ToCp1251(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            // One character outside the code page, one question mark.
            ++i;
            out.append('?');
            continue;
        }
        out.append(encodeOne(c.unicode()));
    }
    return out;
}

QString FromCp1251(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        dst[i] = b < 0x80 ? QChar(b) : QChar(kUpperHalf[b - 0x80]);
    }
    return out;
}

QString TextProblem(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return QStringLiteral("это не текстовый файл");
    if (bytes.contains('\r') && !bytes.contains('\n'))
        return QStringLiteral("строки разделены только символом CR (нужны CR LF)");
    return {};
}

bool ReadTextLines(const QString &fileName, QStringList &lines)
{
    lines.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    if (bytes.isEmpty())
        return true;
    const QString text = FromCp1251(bytes);
    lines = text.split(QLatin1Char('\n'));
    // A final line end closes the last line; it does not open an empty one.
    if (text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return true;
}

bool WriteTextLines(const QString &fileName, const QStringList &lines)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += ToCp1251(line);
        bytes += "\r\n";
    }
    // A full disk shows at the write or at the flush; either way the old
    // file stays as it was. The commit syncs the new one before the rename.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool AppendTextLines(const QString &fileName, const QStringList &lines)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 before = file.size();
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += ToCp1251(line);
        bytes += "\r\n";
    }
    // One write call: lines of two writers to the same file never interleave.
    if (file.write(bytes) == bytes.size())
        return true;
    // A full disk takes part of the lines: the file ends where it ended, so
    // the next line does not start in the middle of a broken one.
    file.resize(before);
    return false;
}

bool AppendTextLine(const QString &fileName, const QString &line)
{
    return AppendTextLines(fileName, {line});
}
