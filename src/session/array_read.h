#pragma once
// The block reads of the gauge's two arrays, as the operator's "Считать
// спектр" and "Считать сигнал" and the periodic signal capture run them,
// each followed by its capture files in the archive's folder of the day.
//
// Order on the line: InitReadStop (its failure ignored: it only ends an
// array read the gauge may still be in), the array's init command, 1000 ms
// for the gauge to take the array, the blocks (16 of the spectrum with
// 200 ms after each, 32 of the signal without pause), 1000 ms, InitReadStop.
// Every pause goes through the program clock. A block the gauge never
// answers keeps its zeros and the read goes on; a failed init ends the read
// after its message, with no file and the counter unchanged; a failed final
// InitReadStop is reported and the files are still written.
//
// Takes at least two seconds (the spectrum 5.2): the program runs it on the
// procedure runner, so the user-interface thread goes on while the read
// waits; the command-line tool runs it in its only thread. The model is
// touched only in the user-interface thread.

#include "archive/capture_files.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class TCommandSender;
class TGaugeViews;
class Ttolm472;

// The numbering of the capture files since the last reset.
struct TCaptureCounters {
    int SpectrumFileCounter = 0;
    int SignalFileCounter = 0;
    QDateTime SpectrumStartTime;
    QDateTime SignalStartTime;
    // Counters 0, both start times `now`: at the main window's creation and
    // at every start of the periodic signal capture.
    void Reset(const QDateTime &now);
};

struct TArrayReadResult {
    bool Initialised = false; // false: the init command failed, nothing else happened
    int BlockCount = 0;       // 16 or 32
    int BlocksRead = 0;       // blocks the gauge answered
    bool Stopped = false;     // the final InitReadStop was answered
    bool Saved = false;       // every capture file written
    QStringList Files;        // the files written
    bool Complete() const { return Initialised && BlocksRead == BlockCount && Stopped && Saved; }
};

// `views` is told when the array is in the model (refresh, then show it).
TArrayReadResult ReadSpectrum(TCommandSender &sender, TGaugeViews &views, TCaptureCounters &counters,
                              const QString &dbPath);
TArrayReadResult ReadSignal(TCommandSender &sender, TGaugeViews &views, TCaptureCounters &counters,
                            const QString &dbPath);

// The nine values of the capture summary from the model: the integers in
// decimal, the five doubles with the locale's digit grouping, at most nine
// significant digits and no decimals (so a smoothing coefficient of 0.5
// shows as a whole number, as the workstations write it).
TSummaryValues ParameterSummaryValues(const Ttolm472 &model);
