#pragma once
// What the windows need from the main window: its actions by name, and
// what the gauge procedures need of it too (the refresh of every open
// window, the mode and range rules, the parameters window). The main
// window implements it; tests use a fake.
//
// Everything runs in the user-interface thread.

#include "session/gauge_views.h"

#include <QString>
#include <QStringList>

#include <functional>

// A window that the main window refreshes after every command.
class TView
{
public:
    virtual ~TView() = default;
    virtual void UpdateView() = 0;
};

class TMainServices : public TGaugeViews
{
public:
    // Runs the main window's action `name` ("actWriteToPZU", ...) when it
    // exists and is enabled; a hidden action runs too. False when it did
    // not run.
    virtual bool ExecuteAction(const QString &name) = 0;
    virtual bool ActionEnabled(const QString &name) const = 0;
    // Runs the actions one after another, each once the command the one
    // before started has ended (a write, then the read that shows what the
    // gauge took), then `after`. Here: each as ExecuteAction runs it.
    virtual void ExecuteInTurn(const QStringList &names, std::function<void()> after = {})
    {
        for (const QString &name : names)
            ExecuteAction(name);
        if (after)
            after();
    }
};
