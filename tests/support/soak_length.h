#pragma once
// How long a soak under `make soak` runs: TOLM_SOAK_SECONDS when it is a
// whole number above 0, a minute otherwise.

#include <QtGlobal>

inline int SoakSeconds()
{
    const int seconds = qEnvironmentVariableIntValue("TOLM_SOAK_SECONDS");
    return seconds > 0 ? seconds : 60;
}
