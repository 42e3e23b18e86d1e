#pragma once
// The main window as the windows and the gauge procedures see it, for tests:
// it records every action executed by name and counts the refreshes. An
// action runs the handler registered for its name (none: it runs and does
// nothing); an action named in Disabled does not run, as a disabled action
// of the main window does nothing.

#include "ui/main/main_services.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>

#include <functional>

class TFakeMainServices : public TMainServices
{
public:
    // Names in the order they were asked for, disabled ones included.
    QStringList Executed;
    QSet<QString> Disabled;
    int UpdateAllViewsCount = 0;
    int ApplyModeVisibilityCount = 0;
    int ApplyValueRangesCount = 0;
    // The factoryTab argument of each ShowParametersWindow.
    QList<bool> ParametersWindowShown;

    void On(const QString &name, std::function<void()> handler) { m_handlers.insert(name, std::move(handler)); }

    bool ExecuteAction(const QString &name) override
    {
        Executed.append(name);
        if (Disabled.contains(name))
            return false;
        const auto handler = m_handlers.constFind(name);
        if (handler != m_handlers.constEnd() && *handler)
            (*handler)();
        return true;
    }
    bool ActionEnabled(const QString &name) const override { return !Disabled.contains(name); }
    void UpdateAllViews() override { ++UpdateAllViewsCount; }
    void ApplyModeVisibility() override { ++ApplyModeVisibilityCount; }
    void ApplyValueRanges() override { ++ApplyValueRangesCount; }
    void ShowParametersWindow(bool factoryTab) override { ParametersWindowShown.append(factoryTab); }

private:
    QHash<QString, std::function<void()>> m_handlers;
};
