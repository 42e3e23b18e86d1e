#include "register/register_record.h"

#include <cstdlib>

namespace {

struct TKindNames {
    TRecordKind Kind;
    const char *Name;
    const char *Title;
};
const TKindNames KindNames[] = {
    {TRecordKind::TestRun, "testrun", "Прогон"},
    {TRecordKind::Calibration, "calibration", "Калибровка"},
    {TRecordKind::Configuration, "configuration", "Параметры"},
    {TRecordKind::Bundle, "bundle", "Пакет для сервиса"},
};

} // namespace

QString RecordKindName(TRecordKind kind)
{
    for (const TKindNames &each : KindNames)
        if (each.Kind == kind)
            return QString::fromLatin1(each.Name);
    return {};
}

std::optional<TRecordKind> RecordKindFromName(const QString &name)
{
    for (const TKindNames &each : KindNames)
        if (name == QLatin1String(each.Name))
            return each.Kind;
    return std::nullopt;
}

QString RecordKindTitle(TRecordKind kind)
{
    for (const TKindNames &each : KindNames)
        if (each.Kind == kind)
            return QString::fromUtf8(each.Title);
    return {};
}

QString RecordTimeText(const QDateTime &time)
{
    // The offset always as ±hh:mm, also at UTC itself (Qt would write "Z").
    const int offset = time.offsetFromUtc();
    return time.toOffsetFromUtc(offset).toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz")) +
           (offset < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1:%2").arg(std::abs(offset) / 3600, 2, 10, QLatin1Char('0')).arg(std::abs(offset) % 3600 / 60, 2, 10, QLatin1Char('0'));
}

QString RecordUtcText(const QDateTime &time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'"));
}

QDateTime RecordTimeFromUtc(const QString &utc, int offsetSeconds)
{
    // The text ends in "Z": it reads back as UTC.
    return QDateTime::fromString(utc, Qt::ISODateWithMs).toOffsetFromUtc(offsetSeconds);
}
