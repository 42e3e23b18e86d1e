#pragma once
// When an answer on the line is complete before the read time-outs say so.
//
// Frames carry no length, so a plain read waits for a pause longer than the
// read interval after the last byte. The function byte (offset 1) of a gauge
// answer fixes its length, though, and a gauge sends nothing after its CRC:
// an answer that has exactly its layout's length and a correct checksum is
// exactly what the time-out-ended read would deliver, only sooner. Anything
// else (an unknown function byte, a wrong checksum, too few or too many
// bytes) is never complete, and its read ends by the time-outs.
//
// Lengths, CRC included:
//   0x01 one reading         11, or 9 for the gain (the reader does not know
//                            which was asked: 9 bytes with a correct CRC are
//                            complete, otherwise it waits for 11)
//   0x02 all readings        29
//   0x10 echo                 7
//   0x20, 0x25, 0x30          10  signature, system address, plant number
//   0x23 identification      15
//   0xA2, 0xB1, 0xB2, 0xB3     5  acknowledgements
//   0xA8 data block         133
//   0xB4 byte value           6
//   0xB5 word parameter       7
//   0xB6 float parameter      9
//   0xFA error answer         6
// The current-loop meter's answer is 8 bytes with its CRC-8 last (meter
// address, two header bytes, the data count, the channel state, the current
// low byte first, CRC-8): the shortest answer its parser takes.

#include <QByteArray>

#include <cstdint>

enum class TAnswerKind { Gauge, Meter };

constexpr int MeterAnswerLength = 8;

// Length of a complete gauge answer with this function byte, 0 when the
// function is not an answer of the gauge. For 0x01 it gives the longer
// form (11).
int GaugeAnswerLength(uint8_t function);

// True when the bytes received so far are one whole answer with a correct
// checksum, so the read may end now.
bool IsAnswerComplete(TAnswerKind kind, const QByteArray &received);
