#include "device/bad_zones.h"

namespace {

void describeZoneValue(TIODouble &value, int zone, const QString &title, const QString &hint,
                       const QString &dimension)
{
    TDescriptionOfDouble &d = value.Description;
    d.Title = title;
    d.Hint = hint;
    d.Dimension = dimension;
    d.Precision = 9;
    d.Digits = 1;
    value.Tag = zone;
}

} // namespace

TBadZone::TBadZone(int number)
    : m_number(number)
{
    Description.Title = QString::number(number) + QStringLiteral(".Плохая зона");
    Description.Hint = Description.Title;

    const QString mm = QStringLiteral("мм");
    const QString mmPerSecond = QStringLiteral("мм/с");
    describeZoneValue(Near, number, QStringLiteral("Ближняя граница"),
                      QStringLiteral("Ближняя от фланца граница плохой зоны"), mm);
    describeZoneValue(Far, number, QStringLiteral("Дальняя граница"),
                      QStringLiteral("Дальняя от фланца граница плохой зоны"), mm);
    describeZoneValue(FillSpeed, number, QStringLiteral("Скорость налива"), QStringLiteral("Скорость налива"),
                      mmPerSecond);
    describeZoneValue(EmptySpeed, number, QStringLiteral("Скорость слива"), QStringLiteral("Скорость слива"),
                      mmPerSecond);
}

TBadZones::TBadZones()
{
    for (int n = 1; n <= Count; ++n)
        m_zones[n - 1] = std::make_unique<TBadZone>(n);
}
