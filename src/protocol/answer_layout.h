#pragma once
// The gauge's answers: which function byte answers which request and how
// long each answer is, and when an answer on the line is complete before
// the read time-outs say so.
//
// Frames carry no length, so a plain read waits for a pause longer than the
// read interval after the last byte. The request that was sent fixes the
// length of its answer, though, and a gauge sends nothing after its CRC: an
// answer of exactly that length with a correct checksum is exactly what the
// time-out-ended read would deliver, only sooner. Anything else (another
// function byte, a wrong checksum, too few or too many bytes) is never
// complete, and its read ends by the time-outs.
//
// The gauge answers with the function byte of the request, or with the
// six-byte error answer 0xFA. Lengths, CRC included:
//   0x01 one reading         11; 9 when the request asked for the gain
//                            (selector 5): the two forms share the function
//                            byte, so only the request tells them apart
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
// The register read (0x04) has no layout here: the program takes no
// register answer, so its read always ends by the time-outs.
// The current-loop meter's answer is 8 bytes with its CRC-8 last (meter
// address, two header bytes, the data count, the channel state, the current
// low byte first, CRC-8): the shortest answer its parser takes.

#include <QByteArray>

#include <optional>

#include <cstdint>

enum class TAnswerKind { Gauge, Meter };

constexpr int MeterAnswerLength = 8;
constexpr uint8_t ErrorAnswerFunction = 0xFA;
// The read selector of the gain in a 0x01 request: its answer is the short form.
constexpr uint8_t GainSelector = 5;

// Length of the gauge's answer with this function byte to a request with
// this read selector (only 0x01 looks at it), 0 when the function is no
// answer the program takes.
int GaugeAnswerLength(uint8_t function, uint8_t readSelector);

// The answer a request will get, read off the frame as sent.
struct TExpectedAnswer
{
    TAnswerKind kind = TAnswerKind::Gauge;
    uint8_t function = 0; // the gauge's: the request's function byte
    int length = 0;       // the gauge's, CRC included; 0: unknown, time-outs decide
};
TExpectedAnswer ExpectedAnswer(TAnswerKind kind, const QByteArray &request);

// True when the bytes received so far are one whole answer to the request
// with a correct checksum (or the gauge's error answer), so the read may
// end now.
bool IsAnswerComplete(const TExpectedAnswer &expected, const QByteArray &received);

// The value a parameter answer carries (0xB5 word, 0xB6 float), as the
// gauge sent it, before any rule of the program judged it; nothing for
// other answers or one too short.
std::optional<double> ParameterValueCarried(const QByteArray &answer);
