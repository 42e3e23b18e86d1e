#pragma once
// What the gauge procedures tell the program's windows: the model changed
// (refresh every open view), the gauge's identity or a range changed, the
// parameters window should come forward, an array read is complete. The
// main window implements it; the command-line tool has no windows and
// takes this do-nothing base; tests count the calls.
//
// Called in the user-interface thread; a procedure on the runner's worker
// reaches the main window through TUiThreadViews.

#include <QByteArray>

enum class TCapturedArray { Spectrum, Signal };

class TGaugeViews
{
public:
    virtual ~TGaugeViews() = default;

    // UpdateView of every open window, in the main window's order.
    virtual void UpdateAllViews() {}
    // Visibility of the full-mode and extended actions, then the default
    // poll selection (after the signature tells the software version).
    virtual void ApplyModeVisibility() {}
    // Display ranges of level, free space (0..Lmax) and distance (0..Hmax).
    virtual void ApplyValueRanges() {}
    // Opens (or brings forward) the parameters window; with factoryTab its
    // tab "Заводские" is selected.
    virtual void ShowParametersWindow(bool /*factoryTab*/) {}
    // An array read is complete in the model: show it (the spectrum or
    // signal window).
    virtual void ShowCapturedArray(TCapturedArray) {}
    // Stops periodic polling ("Остановить опрос"); true when it was running,
    // so that the caller starts it again when done. No program: never ran.
    virtual bool StopPolling() { return false; }
    // "Начать опрос".
    virtual void StartPolling() {}
    // The calibration page as the calibration window shows it, as PDF bytes
    // for the register; empty without that window.
    virtual QByteArray CalibrationPagePdf() { return {}; }
};
