#include "link/reading_archive.h"

#include "device/tolm472.h"

namespace {

TArchivedValue of(const char *name, const TIODouble &value, int digits)
{
    return {QString::fromLatin1(name), value.AsDouble(), digits};
}

} // namespace

QVector<TArchivedValue> TakeReading(int code, const Ttolm472 &model)
{
    const auto freq = [&] { return of("Freq", model.Freq, 2); };
    const auto distance = [&] { return of("Distance", model.Distance, 1); };
    const auto level = [&] { return of("LevelBusy", model.Level, 1); };
    const auto levelFree = [&] { return of("LevelFree", model.LevelFree, 1); };
    const auto reserve = [&] { return of("Reserve", model.Reserve, model.Reserve.Description.Digits); };
    const auto usil = [&] { return TArchivedValue{QStringLiteral("Usil"), double(model.Usil()), 0}; };
    switch (code) {
    case BeatFreqRead: return {freq()};
    case DistanceRead: return {distance()};
    case LevelRead: return {level()};
    case LevelFreeRead: return {levelFree()};
    case ReserveRead: return {reserve()};
    case UsilRead: return {usil()};
    case LevelAllRead: return {freq(), distance(), level(), levelFree(), reserve(), usil()};
    case TempRead: return {of("TmpOfSensor", model.Temp, 0)};
    case CurrentOutputReading: return {of("CurrentOutput", model.CurrentOutput, 2)};
    default: return {};
    }
}

QStringList ArchivedNames()
{
    return {QStringLiteral("Freq"),      QStringLiteral("Distance"), QStringLiteral("LevelBusy"),
            QStringLiteral("LevelFree"), QStringLiteral("Reserve"),  QStringLiteral("Usil"),
            QStringLiteral("TmpOfSensor"), QStringLiteral("CurrentOutput")};
}
