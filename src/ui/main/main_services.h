#pragma once
// What the windows and the composite gauge procedures need from the main
// window: its actions by name, the refresh of every open window, and the
// mode and range rules. The main window implements it; tests use a fake.
//
// Everything runs in the user-interface thread.

#include <QString>

// A window that the main window refreshes after every command.
class TView
{
public:
    virtual ~TView() = default;
    virtual void UpdateView() = 0;
};

class TMainServices
{
public:
    virtual ~TMainServices() = default;

    // Runs the main window's action `name` ("actWriteToPZU", ...) when it
    // exists and is enabled; a hidden action runs too. False when it did
    // not run.
    virtual bool ExecuteAction(const QString &name) = 0;
    virtual bool ActionEnabled(const QString &name) const = 0;

    // UpdateView of every open window, in the main window's order.
    virtual void UpdateAllViews() = 0;
    // Visibility of the full-mode and extended actions, then the default
    // poll selection.
    virtual void ApplyModeVisibility() = 0;
    // Display ranges of level, free space (0..Lmax) and distance (0..Hmax).
    virtual void ApplyValueRanges() = 0;

    // Opens (or brings forward) the parameters window; with factoryTab its
    // tab "Заводские" is selected. Nothing when the window cannot be made.
    virtual void ShowParametersWindow(bool factoryTab) = 0;
};
