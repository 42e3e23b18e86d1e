#pragma once
// Faults of the line and of the instruments, on demand: a test or the
// operator of tolm-sim chooses how often an answer goes wrong and in which
// ways; which answer and which way follow from the seed alone.
//
//  none           the answer as the instrument built it
//  no-answer      nothing comes back
//  bad-crc        the answer with its last checksum byte inverted
//  error          the gauge's 0xFA error answer (code 2 unless chosen)
//  truncated      the answer cut short, 1 to length-1 bytes, checksum wrong
//  garbage        1 to 32 random bytes whose checksum is wrong
//  split          the whole answer, but with a pause longer than the read
//                 interval after a random byte, so a reader that keeps to
//                 its inter-byte time-out takes only the first part
//  wrong-address  the answer of another address (the address byte changed,
//                 checksum recomputed to match)
// The meter has no error answer and no address byte of interest, so for its
// answers "error" and "wrong-address" are never chosen.

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "sim/sim_noise.h"

enum class TSimFault { None, NoAnswer, BadCrc, ErrorAnswer, Truncated, Garbage, Split, WrongAddress };

// "no-answer", "bad-crc", ... as listed above; "none" for None.
QString SimFaultName(TSimFault fault);
std::optional<TSimFault> SimFaultFromName(const QString &name);
// Every fault kind except None, in the order of the enumeration.
QList<TSimFault> AllSimFaults();
// A comma-separated list of names ("bad-crc,split"; "all" for every kind).
// False with `error` naming the first unknown name.
bool ParseSimFaultList(const QString &text, QList<TSimFault> &out, QString &error);

struct TSimFaultConfig
{
    uint64_t seed = 1;
    double rate = 0;                    // share of answers that go wrong, 0..1
    QList<TSimFault> kinds = AllSimFaults();
    uint8_t errorCode = 2;              // code of the 0xFA answer
    int splitPauseMs = 120;             // longer than the usual 50 ms read interval
};

// One answer after the faults: the bytes to send and, for a split answer,
// where the pause falls (bytes [0, splitAt) before it).
struct TSimFaultOutcome
{
    TSimFault fault = TSimFault::None;
    QByteArray bytes;
    int splitAt = -1;
};

class TSimFaults
{
public:
    explicit TSimFaults(const TSimFaultConfig &config);

    // `answer` is a complete answer with its checksum (CRC-8 when `meter`).
    TSimFaultOutcome apply(const QByteArray &answer, bool meter);
    // The next answer gets this fault whatever the rate (once).
    void forceNext(TSimFault fault) { m_forced = fault; }
    const TSimFaultConfig &config() const { return m_config; }

private:
    TSimFault choose(bool meter);
    TSimFaultOutcome inflict(TSimFault fault, const QByteArray &answer, bool meter);

    TSimFaultConfig m_config;
    TSimRandom m_random;
    std::optional<TSimFault> m_forced;
};
