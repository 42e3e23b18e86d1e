#include "link/reading_archive.h"

#include "device/readings.h"
#include "protocol/command_codes.h"

QVector<TArchivedValue> TakeReading(const TGaugeAnswer &answer)
{
    QVector<TArchivedValue> values;
    const auto take = [&](TReadingKind kind) {
        if (const std::optional<double> v = answer.Reading(kind)) {
            const TReadingDescription &d = DescribeReading(kind);
            values.append({QString::fromLatin1(d.Name), *v, d.Digits});
        }
    };
    const auto usil = [&] {
        if (answer.Usil)
            values.append({QStringLiteral("Usil"), double(*answer.Usil), 0});
    };
    switch (answer.Code) {
    case BeatFreqRead: take(TReadingKind::Freq); break;
    case DistanceRead: take(TReadingKind::Distance); break;
    case LevelRead: take(TReadingKind::Level); break;
    case LevelFreeRead: take(TReadingKind::LevelFree); break;
    case ReserveRead: take(TReadingKind::Reserve); break;
    case UsilRead: usil(); break;
    case LevelAllRead:
        for (TReadingKind kind : {TReadingKind::Freq, TReadingKind::Distance, TReadingKind::Level,
                                  TReadingKind::LevelFree, TReadingKind::Reserve})
            take(kind);
        usil();
        break;
    case TempRead: take(TReadingKind::Temp); break;
    case CurrentOutputReading: take(TReadingKind::CurrentOutput); break;
    default: break;
    }
    return values;
}

QStringList ArchivedNames()
{
    return {QStringLiteral("Freq"),      QStringLiteral("Distance"), QStringLiteral("LevelBusy"),
            QStringLiteral("LevelFree"), QStringLiteral("Reserve"),  QStringLiteral("Usil"),
            QStringLiteral("TmpOfSensor"), QStringLiteral("CurrentOutput")};
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
