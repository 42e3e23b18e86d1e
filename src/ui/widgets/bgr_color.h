#pragma once
// Colours of the descriptors and of the bar indicator are kept as the
// workstations keep them in their settings: 0x00BBGGRR integers, red in the
// low byte. A top byte of 0x80 marks a system colour, the low byte its index
// (0x8000000F is the face colour of buttons).

#include <QColor>
#include <cstdint>

QColor ColorFromBGR(uint32_t color);
