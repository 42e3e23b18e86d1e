#include "device/readings.h"

namespace {

// In the order of TReadingKind.
constexpr TReadingDescription Readings[] = {
    {TReadingKind::Freq, "Freq", 2},
    {TReadingKind::Distance, "Distance", 1},
    {TReadingKind::Level, "LevelBusy", 1},
    {TReadingKind::LevelFree, "LevelFree", 1},
    {TReadingKind::Reserve, "Reserve", 3},
    {TReadingKind::Temp, "TmpOfSensor", 0},
    {TReadingKind::CurrentOutput, "CurrentOutput", 2},
};
static_assert(std::size(Readings) == size_t(TReadingKind::Count));

} // namespace

const TReadingDescription &DescribeReading(TReadingKind kind)
{
    return Readings[size_t(kind)];
}
