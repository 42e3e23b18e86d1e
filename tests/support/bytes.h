#pragma once
// Frames written as lists of byte values in tests: bytes({0x01, 0x10, 0x03}).

#include <QByteArray>
#include <initializer_list>

inline QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(char(b));
    return out;
}

// The echo request to the gauge at address 1 (function 0x10, data 03 AA 55),
// before its CRC.
inline const QByteArray kEchoPayload("\x01\x10\x03\xAA\x55", 5);
