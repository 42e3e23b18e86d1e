#pragma once
// The simulated gauge's non-volatile memory on disk: the parameters stored
// by the "write to ROM" command (0xA2) survive a restart of the simulator.
//
// The file is UTF-8 JSON text, written atomically (a temporary file renamed
// over the old one), so a crash or a full disk leaves the previous state:
//   { "kind": "tolm-sim gauge state", "version": 1,
//     "systemAddress": 255, "plantNumber": 1, "deviceType": 11,
//     "hardVersion": 1, "softVersion": 2, "softVersionHost": 2,
//     "softVersionCOS": 1, "crc16Host": 14940, "crc16COS": 40481,
//     "predictionMode": 0,
//     "words":  { "0": 0, "4": 5, ... },
//     "floats": { "0": 146.24299621582031, ..., "65": 1 },
//     "bytes":  { "10": 0 } }
// Floats are the single-precision values widened to double, so they read
// back bit for bit; a value that is not a number is written as "nan", "inf"
// or "-inf". Missing keys keep the factory value; numbers the gauge does not
// know are ignored.

#include "sim/gauge_parameters.h"

#include <QString>

enum class TSimStateLoad { Loaded, Missing, Corrupt };

// Loads the file over `params`. Missing: the file does not exist, `params`
// unchanged. Corrupt: unreadable or malformed, `params` unchanged and `error`
// says why.
TSimStateLoad LoadGaugeState(const QString &path, TSimGaugeParameters &params, QString &error);
// False with `error` when the file cannot be written; the old file is then
// untouched.
bool SaveGaugeState(const QString &path, const TSimGaugeParameters &params, QString &error);
