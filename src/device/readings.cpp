#include "device/readings.h"

#include "protocol/command_codes.h"

namespace {

// In the order of TReadingKind. The temperature is archived in whole
// degrees though the readings window shows a tenth.
constexpr TReadingDescription Readings[] = {
    {.Kind = TReadingKind::Freq, .Name = "Freq", .Digits = 2, .Title = "Оценка частоты биений",
     .Hint = "Оценка частоты биений", .Unit = "", .Min = 0, .Max = 100000, .ShownDigits = 2, .ReadCode = BeatFreqRead,
     .InLevelAll = true, .GraphSlot = 0, .MultiGraphPlace = 0, .Color = 0, .MultiGraphFullModeOnly = false},
    {.Kind = TReadingKind::Distance, .Name = "Distance", .Digits = 1, .Title = "Расстояние",
     .Hint = "Расстояние до продукта", .Unit = "мм", .Min = 0, .Max = 45000, .ShownDigits = 1, .ReadCode = DistanceRead,
     .InLevelAll = true, .GraphSlot = 2, .MultiGraphPlace = 2, .Color = 0xff0000, .MultiGraphFullModeOnly = false},
    {.Kind = TReadingKind::Level, .Name = "LevelBusy", .Digits = 1, .Title = "Уровень", .Hint = "Уровень продукта",
     .Unit = "мм", .Min = 0, .Max = 45000, .ShownDigits = 1, .ReadCode = LevelRead, .InLevelAll = true,
     .GraphSlot = 1, .MultiGraphPlace = 1, .Color = 0x0000ff, .MultiGraphFullModeOnly = false},
    {.Kind = TReadingKind::LevelFree, .Name = "LevelFree", .Digits = 1, .Title = "Свободное простанство",
     .Hint = "Свободное пространство емкости", .Unit = "мм", .Min = 0, .Max = 45000, .ShownDigits = 1,
     .ReadCode = LevelFreeRead, .InLevelAll = true, .GraphSlot = 4, .MultiGraphPlace = 3, .Color = 0x008000,
     .MultiGraphFullModeOnly = false},
    {.Kind = TReadingKind::Reserve, .Name = "Reserve", .Digits = 3, .Title = "Резерв", .Hint = "Резерв", .Unit = "-",
     .Min = 0, .Max = 45000, .ShownDigits = 3, .ReadCode = ReserveRead, .InLevelAll = true, .GraphSlot = 3,
     .MultiGraphPlace = 4, .Color = 0xffff00, .MultiGraphFullModeOnly = true},
    {.Kind = TReadingKind::Temp, .Name = "TmpOfSensor", .Digits = 0, .Title = "Температура",
     .Hint = "Температура внутри прибора", .Unit = "°C", .Min = -50, .Max = 100, .ShownDigits = 1,
     .ReadCode = TempRead, .InLevelAll = false, .GraphSlot = 6, .MultiGraphPlace = 0, .Color = 0,
     .MultiGraphFullModeOnly = false},
    {.Kind = TReadingKind::CurrentOutput, .Name = "CurrentOutput", .Digits = 2, .Title = "Ток", .Hint = "Ток",
     .Unit = "мА", .Min = 0, .Max = 20, .ShownDigits = 2, .ReadCode = CurrentOutputReading, .InLevelAll = false,
     .GraphSlot = 7, .MultiGraphPlace = 0, .Color = 0, .MultiGraphFullModeOnly = false},
};
static_assert(std::size(Readings) == size_t(TReadingKind::Count));

} // namespace

const TReadingDescription &DescribeReading(TReadingKind kind)
{
    return Readings[size_t(kind)];
}

std::span<const TReadingDescription> ReadingDescriptions()
{
    return Readings;
}

const TReadingDescription *ReadingOfGraphSlot(int slot)
{
    for (const TReadingDescription &d : Readings)
        if (slot != 0 && d.GraphSlot == slot)
            return &d;
    return nullptr;
}

std::vector<TReadingKind> ReadingsOfCommand(int code)
{
    std::vector<TReadingKind> kinds;
    for (const TReadingDescription &d : Readings)
        if (d.ReadCode == code || (code == LevelAllRead && d.InLevelAll))
            kinds.push_back(d.Kind);
    return kinds;
}

bool CarriesGain(int code)
{
    return code == UsilRead || code == LevelAllRead;
}
