#include "ui/windows/graph_slots.h"

#include "device/tolm472.h"

namespace {

const TGraphSlot Slots[] = {
    {1, "actGraphLevel", "LevelBusy", &Ttolm472::Level},
    {2, "actGraphDistance", "Distance", &Ttolm472::Distance},
    {3, "actGraphLevelSr", "Reserve", &Ttolm472::Reserve},
    {4, "actGraphLevelFree", "LevelFree", &Ttolm472::LevelFree},
    {5, "actGraphUsil", "Usil", nullptr},
    {6, "actGraphTmp", "TmpOfSensor", &Ttolm472::Temp},
    {7, "actGraphCurrentOutputShow", "CurrentOutput", &Ttolm472::CurrentOutput},
};

} // namespace

std::span<const TGraphSlot> GraphSlots()
{
    return Slots;
}

const TGraphSlot *GraphSlot(int slot)
{
    return slot >= 1 && slot <= int(std::size(Slots)) ? &Slots[slot - 1] : nullptr;
}
