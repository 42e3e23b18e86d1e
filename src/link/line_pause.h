#pragma once
// The pause of nine-bit addressing: the gauge recognises the start of a
// request by the parity bit of the address byte, and wants at least this
// long between that byte and the rest of the frame, sent with the parity bit
// clear.

#include "link/byte_receiver.h"

constexpr auto AddressPause = std::chrono::milliseconds(3);

// Sleeps, then checks the monotonic clock, so the pause is never shorter
// than asked whatever the sleep's granularity.
void PauseAtLeast(TLineClock::duration pause);
