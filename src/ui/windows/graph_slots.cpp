#include "ui/windows/graph_slots.h"

#include "device/readings.h"
#include "device/tolm472.h"

#include <vector>

namespace {

// The action of each slot; what it draws comes with its reading.
constexpr const char *Actions[] = {"actGraphLevel", "actGraphDistance", "actGraphLevelSr",          "actGraphLevelFree",
                                   "actGraphUsil",  "actGraphTmp",      "actGraphCurrentOutputShow"};

std::vector<TGraphSlot> makeSlots()
{
    std::vector<TGraphSlot> rows;
    for (int n = 1; n <= int(std::size(Actions)); ++n) {
        TGraphSlot slot{n, Actions[n - 1], QString::fromLatin1(GainArchiveName), std::nullopt};
        if (const TReadingDescription *reading = ReadingOfGraphSlot(n)) {
            slot.Table = QString::fromLatin1(reading->Name);
            slot.Reading = reading->Kind;
        }
        rows.push_back(slot);
    }
    return rows;
}

} // namespace

std::span<const TGraphSlot> GraphSlots()
{
    static const std::vector<TGraphSlot> rows = makeSlots();
    return rows;
}

const TGraphSlot *GraphSlot(int slot)
{
    const std::span<const TGraphSlot> rows = GraphSlots();
    return slot >= 1 && slot <= int(rows.size()) ? &rows[size_t(slot - 1)] : nullptr;
}

const TIODouble *LiveValue(const TGraphSlot &slot, const Ttolm472 &gauge)
{
    return slot.Reading ? &gauge.Readings.Value(*slot.Reading) : nullptr;
}
