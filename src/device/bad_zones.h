#pragma once
// The gauge's five bad zones: distance ranges from the flange, each with a
// near and a far border and a filling and draining speed, that the gauge
// uses in its own processing. The model keeps a copy as observable values
// so windows can show and edit them.

#include "values/io_data.h"

#include <array>
#include <memory>

class TBadZone
{
public:
    explicit TBadZone(int number);

    int Number() const { return m_number; }
    TDescriptionOfValue Description;
    TIODouble Near;
    TIODouble Far;
    TIODouble FillSpeed;
    TIODouble EmptySpeed;

private:
    int m_number;
};

class TBadZones
{
public:
    static constexpr int Count = 5;
    TBadZones();
    // Zone by its number 1 to 5.
    TBadZone &Zone(int number) { return *m_zones.at(number - 1); }
    const TBadZone &Zone(int number) const { return *m_zones.at(number - 1); }

private:
    std::array<std::unique_ptr<TBadZone>, Count> m_zones;
};
