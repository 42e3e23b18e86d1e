#include "archive/spectrum_reference.h"

#include "app/text_file.h"
#include "archive/day_folder.h"

#include <QDir>

#include <cmath>

namespace {

const QString Heading = QStringLiteral("Эталон спектра ТОЛМ472И");
const QString TimeFormat = QStringLiteral("dd.MM.yyyy hh:mm:ss");
const QString Prefix = QStringLiteral("SpectrumReference_");
const QChar Separator = QLatin1Char(';');
constexpr int HeadLines = 5;

QString number(double value)
{
    return QString::number(value, 'g', 17);
}

// "name;value" with the expected name; the value, or a null string.
QString field(const QStringList &lines, int index, const QString &name)
{
    const QStringList cells = lines.value(index).split(Separator);
    if (cells.size() != 2 || cells[0] != name)
        return QString();
    return cells[1];
}

bool finiteNumber(const QString &text, double &value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

// The newest entry of a folder whose name matches `pattern`, newest first
// by name (the archive's folders and the reference names sort by time).
QStringList newestFirst(const QString &folder, const QString &pattern, QDir::Filters filters)
{
    return QDir(folder).entryList({pattern}, filters, QDir::Name | QDir::Reversed);
}

} // namespace

QString SpectrumReferencePath(const QString &dbPath, const QDateTime &saved)
{
    return QDir(DayFolder(dbPath, saved.date()))
        .filePath(Prefix + saved.toString(QStringLiteral("yyyyMMdd_hhmmss")) + QStringLiteral(".txt"));
}

bool SaveSpectrumReference(const QString &dbPath, const TSpectrumReference &reference, QString &path,
                           QString &error)
{
    path = SpectrumReferencePath(dbPath, reference.Saved);
    QStringList lines{Heading,
                      QStringLiteral("Записан;") + reference.Saved.toString(TimeFormat),
                      QStringLiteral("Заводской номер;") + QString::number(reference.PlantNumber),
                      QStringLiteral("Крутизна;") + number(reference.KrPer),
                      QStringLiteral("Точка;Значение")};
    for (int i = 0; i < TSpectrumReference::Size; ++i)
        lines.append(QString::number(i + 1) + Separator + number(reference.Values[size_t(i)]));
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !WriteTextLines(path, lines)) {
        error = QStringLiteral("Не удалось записать эталон спектра в файл ") + QDir::toNativeSeparators(path);
        return false;
    }
    return true;
}

bool LoadSpectrumReference(const QString &path, TSpectrumReference &reference, QString &error)
{
    const QString name = QDir::toNativeSeparators(path);
    QStringList lines;
    if (!ReadTextLines(path, lines)) {
        error = QStringLiteral("Не удалось прочитать файл эталона спектра ") + name;
        return false;
    }
    const auto refuse = [&](const QString &why) {
        error = QStringLiteral("Файл эталона спектра ") + name + QStringLiteral(" поврежден: ") + why;
        return false;
    };
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.value(0) != Heading || lines.value(4) != QStringLiteral("Точка;Значение"))
        return refuse(QStringLiteral("нет заголовка"));
    TSpectrumReference read;
    read.Saved = QDateTime::fromString(field(lines, 1, QStringLiteral("Записан")), TimeFormat);
    bool plantOk = false;
    const uint plant = field(lines, 2, QStringLiteral("Заводской номер")).toUInt(&plantOk);
    if (!read.Saved.isValid() || !plantOk || plant > 0xFFFF ||
        !finiteNumber(field(lines, 3, QStringLiteral("Крутизна")), read.KrPer))
        return refuse(QStringLiteral("неверный заголовок"));
    read.PlantNumber = uint16_t(plant);
    if (lines.size() != HeadLines + TSpectrumReference::Size)
        return refuse(QStringLiteral("не 512 точек"));
    for (int i = 0; i < TSpectrumReference::Size; ++i) {
        const QStringList cells = lines[HeadLines + i].split(Separator);
        if (cells.size() != 2 || cells[0] != QString::number(i + 1) ||
            !finiteNumber(cells[1], read.Values[size_t(i)]))
            return refuse(QStringLiteral("строка ") + QString::number(HeadLines + i + 1));
    }
    reference = read;
    return true;
}

QString NewestSpectrumReference(const QString &dbPath)
{
    if (dbPath.isEmpty())
        return QString();
    const QDir::Filters folders = QDir::Dirs | QDir::NoDotAndDotDot;
    const QDir root(dbPath);
    for (const QString &year : newestFirst(dbPath, QStringLiteral("[0-9][0-9][0-9][0-9]"), folders))
        for (const QString &month : newestFirst(root.filePath(year), QStringLiteral("[0-9][0-9]"), folders))
            for (const QString &day :
                 newestFirst(root.filePath(year + QLatin1Char('/') + month), QStringLiteral("[0-9][0-9]"), folders)) {
                const QString folder = root.filePath(year + QLatin1Char('/') + month + QLatin1Char('/') + day);
                const QStringList files = newestFirst(folder, Prefix + QStringLiteral("*.txt"), QDir::Files);
                if (!files.isEmpty())
                    return QDir(folder).filePath(files.first());
            }
    return QString();
}
