#pragma once
// What the gauge procedures (commands with retries, the array reads) need
// from whoever runs them: a progress display, the operator's warnings and
// error messages, and the refresh of the views. The main window implements
// it with its progress window and message boxes, the command-line tool with
// lines on the terminal, tests with a recorder.
//
// Every call comes from the user-interface thread, inside the procedure.

#include <QString>

enum class TCapturedArray { Spectrum, Signal };

class TProcedureHost
{
public:
    virtual ~TProcedureHost() = default;

    // Progress of a long operation at `step` of `count`. The first call after
    // CloseProgress opens the display with this text and count; while it is
    // open, later calls only move it on (the text and count stay those of
    // the opening call, so the retries inside an array read keep showing
    // the array read).
    virtual void ShowProgress(const QString &text, int step, int count) = 0;
    virtual void CloseProgress() = 0;
    // A warning for the operator (the main window: caption "Внимание",
    // warning icon, OK). Lines of the text are separated by "\r".
    virtual void Message(const QString &text) = 0;
    // An error the operator must know of, such as a capture file that could
    // not be written.
    virtual void ErrorMessage(const QString &text) = 0;

    // The model changed: refresh every open view.
    virtual void UpdateAllViews() {}
    // An array read is complete in the model: show it (the spectrum or
    // signal window).
    virtual void ShowCapturedArray(TCapturedArray) {}
};
