#pragma once
// Timers, queued signals and QCoreApplication::arguments() need one
// application object per test program; the first call makes it and it lives
// until the program ends.
//
// Both calls also make the test fail on any warning of Qt about an object
// used from a thread it does not belong to (a timer started, a notifier
// touched, a child made or an object deleted there): such a fault only
// shows as a warning, and now and then as a crash in the field.

void EnsureCoreApplication();
void FailOnThreadWarnings();
