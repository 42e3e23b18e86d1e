#pragma once
// A bench for the readings, communication and poll-selection windows: the
// simulated gauge and meter on an in-process line, the gauge session with
// its request cycle and request thread, the fake main window and a scripted operator, in a
// throw-away program and start folder (window positions, exchange log).
//
// Passes run in the request thread exactly as polling runs them; the test's
// thread is the user-interface thread and serves their hand-overs while it
// waits.

#include "app/app_context.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/ui_hand_over.h"
#include "session/gauge_session.h"
#include "sim/simulated_line.h"
#include "ui/windows/form_req_ans.h"
#include "ui/windows/form_select_cmd.h"
#include "ui/windows/form_tolm472i.h"

#include "support/gui_application.h"
#include "support/run_passes.h"
#include "support/installed_operator.h"
#include "support/temp_home.h"

#include "fake_main_services.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

inline TSimLineConfig ViewsLineConfig()
{
    TSimLineConfig config;
    config.gauge.parameters.systemAddress = 1;
    return config;
}

class ViewsBench : public GuiTest
{
protected:
    ViewsBench()
    {
        SetAppContext(TAppContext(home.path(), home.path()));
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(home.path()); // the exchange log lands there
        model.SetSystemAddress(1);
        model.SetErrorMax(1);
        ExchangeStatistics() = {};
    }
    ~ViewsBench() override
    {
        // The windows are freed before the objects they show.
        delete TFormReqAns::Instance();
        delete TFormSelectCMD::Instance();
        delete TFormTolm472I::Instance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        thread.Terminate();
        QDir::setCurrent(m_oldDir);
        SetAppContext(TAppContext());
    }

    void SetFullMode(bool on) { AppContext().Flags.FullMode = on; }

    // Runs `count` polling passes in the request thread, one after another.
    void RunPasses(int count)
    {
        ::RunPasses(thread, count);
        DeliverQueued();
    }
    // Lets queued notifications reach the windows.
    static void DeliverQueued()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // A click on a box's indicator, where the operator clicks.
    static void Click(QWidget *box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    // Status byte of the simulated gauge's reading answers.
    void SetGaugeStatus(uint8_t status)
    {
        line.WithSimulator([status](TSimLine &sim) { sim.gauge().setStatus(status); });
    }

    TInstalledOperator op;
    TempHome home;
    TSimulatedLine line{ViewsLineConfig()};
    TGaugeSession session{TGaugeSessionSetup{home.path()}, line};
    Ttolm472 &model = session.Model();
    TUiHandOver &handOver = session.HandOver();
    TRequestCycle &cycle = session.Cycle();
    TRequestThread &thread = session.RequestThread();
    TFakeMainServices services;

private:
    QString m_oldDir;
};
