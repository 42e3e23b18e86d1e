#pragma once
// The seven time graphs of the main window: the action that opens each, the
// archive table it draws and the reading whose live points it adds, as the
// reading's description gives them. The gain has no live value: its graph
// shows the archive only.

#include "device/gauge_answer.h"

#include <QString>

#include <optional>
#include <span>

class Ttolm472;
class TIODouble;

struct TGraphSlot {
    int Slot;
    const char *Action;
    QString Table;
    std::optional<TReadingKind> Reading; // none: archive only
};

std::span<const TGraphSlot> GraphSlots();
// The row of slot 1..7; nullptr for any other number.
const TGraphSlot *GraphSlot(int slot);
// The model's value that brings the slot's live points; nullptr for none.
const TIODouble *LiveValue(const TGraphSlot &slot, const Ttolm472 &gauge);
