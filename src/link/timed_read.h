#pragma once
// The read of an answer with the time-outs of the Windows serial driver,
// which the gauge's line parameters are written for. A read of N bytes ends
//  - when N bytes have come,
//  - when, after the first byte, more than the read interval passes without
//    a byte (an interval of 0 is not used),
//  - when read total constant + N x read total multiplier ms have passed
//    since the read began (both 0: not used),
// and, beyond the driver, as soon as the bytes so far are a complete answer
// with a correct checksum (protocol/answer_layout.h), which gives the same bytes
// a time-out would, only sooner.
//
// Qt implements none of these time-outs, so the timers are our own, on the
// monotonic clock.

#include "protocol/answer_layout.h"
#include "link/byte_receiver.h"

#include <QByteArray>
#include <QString>

// When neither total term limits a read, it still gives up waiting for an
// answer that does not come after this long, so a damaged settings file
// cannot hang the program.
constexpr int UnlimitedReadCeilingMs = 2000;

struct TReadTimeouts
{
    int interval = 50;              // ms, 0: not used
    qint64 totalConstant = 150;     // ms
    qint64 totalMultiplier = 2;     // ms per byte asked for
};

struct TReadOutcome
{
    QByteArray bytes;       // empty when the port failed
    bool failed = false;    // the port reported an error or vanished
    bool complete = false;  // ended early on a complete answer
};

// expected: the answer the request that went out will get (ExpectedAnswer).
TReadOutcome ReadAnswer(IByteReceiver &port, int maxLength, const TReadTimeouts &timeouts,
                         const TExpectedAnswer &expected);
