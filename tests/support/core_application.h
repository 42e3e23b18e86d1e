#pragma once
// Timers, queued signals and QCoreApplication::arguments() need one
// application object per test program; the first call makes it and it lives
// until the program ends.

void EnsureCoreApplication();
