#pragma once
// What the simulated instruments know of the requests before they have read
// them whole. The gauge's requests carry a count byte at offset 2 that covers
// itself and the data after it, so a request is 4 + count bytes with its
// CRC; the register read (function 4) is always 8 bytes; the meter's request
// is its fixed five bytes 01 00 01 00 A0. A receiver that has the first bytes
// of a request can therefore tell where it ends without waiting for silence.

#include <QByteArray>
#include <cstdint>

// The count byte the gauge expects at offset 2 for a function, or -1 for a
// function without one (register read) or unknown to the gauge.
int RequestCountByte(uint8_t function);

// The full length (CRC included) of the request whose first bytes are
// `head`: 0 while too few bytes have come to tell, -1 when the bytes are no
// request the instruments know (the receiver then waits for silence).
int ExpectedRequestLength(const QByteArray &head);

// The current-loop meter's one request: 01 00 01 00, then its CRC-8.
QByteArray MeterRequestPayload();
// The same, CRC-8 included: 01 00 01 00 A0.
QByteArray MeterRequest();

// True for exactly the meter's request 01 00 01 00 A0.
bool IsMeterRequest(const QByteArray &request);
