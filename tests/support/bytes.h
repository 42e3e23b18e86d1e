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
