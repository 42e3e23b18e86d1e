#pragma once
// A bench for a tool window on its own: the device model it shows, the
// fake main window it executes actions on, a scripted operator and a clock
// standing at 08.12.2026 10:15:00, in a throw-away program folder. A test
// fixture frees the windows it opened in its own destructor.

#include "app/app_context.h"
#include "device/tolm472.h"
#include "fake_main_services.h"

#include "support/gui_application.h"
#include "support/installed_operator.h"
#include "support/manual_clock.h"
#include "support/temp_home.h"

#include <QCoreApplication>

class ModelWindowBench : public GuiTest
{
protected:
    // arguments: the program's command line ("tolm47x", "/full", ...).
    explicit ModelWindowBench(const QStringList &arguments = {})
    {
        SetAppContext(TAppContext(home.path(), home.path(), arguments));
    }
    ~ModelWindowBench() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetAppContext(TAppContext());
    }

    TempHome home;
    ManualClockScope clock{QDateTime(QDate(2026, 12, 8), QTime(10, 15, 0))};
    TInstalledOperator op;
    Ttolm472 model{home.path()};
    TFakeMainServices services;
};
