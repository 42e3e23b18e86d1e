#pragma once
// The seven time graphs of the main window: which archive table each draws
// and which of the model's values brings its live points. The gain has no
// live value: its graph shows the archive only.

#include <span>

class Ttolm472;
class TIODouble;

struct TGraphSlot {
    int Slot;
    const char *Action;
    const char *Table;
    TIODouble Ttolm472::*Value; // nullptr: archive only
};

std::span<const TGraphSlot> GraphSlots();
// The row of slot 1..7; nullptr for any other number.
const TGraphSlot *GraphSlot(int slot);
