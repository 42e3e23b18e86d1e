#include "link/reading_archive.h"

#include "device/readings.h"

QVector<TArchivedValue> TakeReading(const TGaugeAnswer &answer)
{
    QVector<TArchivedValue> values;
    for (TReadingKind kind : ReadingsOfCommand(answer.Code))
        if (const std::optional<double> v = answer.Reading(kind)) {
            const TReadingDescription &d = DescribeReading(kind);
            values.append({QString::fromLatin1(d.Name), *v, d.Digits});
        }
    if (CarriesGain(answer.Code) && answer.Usil)
        values.append({QString::fromLatin1(GainArchiveName), double(*answer.Usil), 0});
    return values;
}

QStringList ArchivedNames()
{
    // The level-all answer's readings, the gain it carries, then the rest.
    QStringList names;
    for (const TReadingDescription &d : ReadingDescriptions())
        if (d.InLevelAll)
            names.append(QString::fromLatin1(d.Name));
    names.append(QString::fromLatin1(GainArchiveName));
    for (const TReadingDescription &d : ReadingDescriptions())
        if (!d.InLevelAll)
            names.append(QString::fromLatin1(d.Name));
    return names;
}

bool ArchivesReading(int code)
{
    TGaugeAnswer full;
    full.Code = code;
    full.Usil = 0;
    for (std::optional<double> &reading : full.Readings)
        reading = 0;
    return !TakeReading(full).isEmpty();
}
