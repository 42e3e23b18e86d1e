#pragma once
// What a test reads from the frames a gauge was sent: the command codes.

#include "protocol/command_table.h"

#include <QByteArray>
#include <QList>

// The command code a gauge frame was built from: the code whose function
// byte and fixed data start the frame after its address (the longest such
// data wins); -1 for none.
inline int CodeOfFrame(const QByteArray &frame)
{
    int best = -1;
    size_t bestLength = 0;
    for (int code = 0; code < CommandCount; ++code) {
        const TCommandRow *row = CommandRow(code);
        if (!row || frame.size() < 2 || uint8_t(frame.at(1)) != row->function)
            continue;
        const QByteArray data(row->data.data(), qsizetype(row->data.size()));
        if (frame.mid(2).startsWith(data) && (best < 0 || row->data.size() > bestLength)) {
            best = code;
            bestLength = row->data.size();
        }
    }
    return best;
}

// first, first + 1, ... count codes.
inline QList<int> CodeRange(int first, int count)
{
    QList<int> codes;
    for (int code = first; code < first + count; ++code)
        codes.append(code);
    return codes;
}
