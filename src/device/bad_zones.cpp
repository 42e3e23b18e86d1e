#include "device/bad_zones.h"

namespace {

void describe(TIODouble &value, int zone, const QString &title, const QString &hint, const QString &dimension)
{
    TDescriptionOfDouble &d = value.Description;
    d.Title = title;
    d.Hint = hint;
    d.Dimension = dimension;
    d.Precision = 9;
    d.Digits = 1;
    value.Tag = zone;
}

// Float parameter numbers on the line: zone n uses base + n - 1.
constexpr int NearBase = 20;
constexpr int FarBase = 30;
constexpr int FillBase = 40;
constexpr int EmptyBase = 50;

} // namespace

TBadZone::TBadZone(int number)
    : m_number(number)
{
    Description.Title = QString::number(number) + QStringLiteral(".Плохая зона");
    Description.Hint = Description.Title;

    const QString mm = QStringLiteral("мм");
    const QString mmPerSecond = QStringLiteral("мм/с");
    describe(Near, number, QStringLiteral("Ближняя граница"), QStringLiteral("Ближняя от фланца граница плохой зоны"),
             mm);
    describe(Far, number, QStringLiteral("Дальняя граница"), QStringLiteral("Дальняя от фланца граница плохой зоны"),
             mm);
    describe(FillSpeed, number, QStringLiteral("Скорость налива"), QStringLiteral("Скорость налива"), mmPerSecond);
    describe(EmptySpeed, number, QStringLiteral("Скорость слива"), QStringLiteral("Скорость слива"), mmPerSecond);
}

TBadZones::TBadZones()
{
    for (int n = 1; n <= Count; ++n)
        m_zones[n - 1] = std::make_unique<TBadZone>(n);
}

TIODouble *TBadZones::ByParamNumber(int number)
{
    const int zone = number % 10 + 1;
    if (zone > Count || number < NearBase)
        return nullptr;
    switch (number - (zone - 1)) {
    case NearBase: return &Zone(zone).Near;
    case FarBase: return &Zone(zone).Far;
    case FillBase: return &Zone(zone).FillSpeed;
    case EmptyBase: return &Zone(zone).EmptySpeed;
    default: return nullptr;
    }
}
