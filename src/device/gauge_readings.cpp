#include "device/gauge_readings.h"

#include "device/readings.h"

TGaugeReadings::TGaugeReadings()
{
    for (const TReadingDescription &reading : ReadingDescriptions()) {
        TDescriptionOfDouble &d = Value(reading.Kind).Description;
        d.Title = QString::fromUtf8(reading.Title);
        d.Hint = QString::fromUtf8(reading.Hint);
        d.Dimension = QString::fromUtf8(reading.Unit);
        d.SetRange(reading.Max, reading.Min);
        d.Precision = 9;
        d.Digits = uint8_t(reading.ShownDigits);
    }
}

TIODouble &TGaugeReadings::Value(TReadingKind kind)
{
    return const_cast<TIODouble &>(std::as_const(*this).Value(kind));
}

const TIODouble &TGaugeReadings::Value(TReadingKind kind) const
{
    switch (kind) {
    case TReadingKind::Freq: return Freq;
    case TReadingKind::Distance: return Distance;
    case TReadingKind::Level: return Level;
    case TReadingKind::LevelFree: return LevelFree;
    case TReadingKind::Reserve: return Reserve;
    case TReadingKind::Temp: return Temp;
    case TReadingKind::CurrentOutput:
    case TReadingKind::Count: break;
    }
    return CurrentOutput;
}
