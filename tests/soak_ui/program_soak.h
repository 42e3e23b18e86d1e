#pragma once
// The base of the soaks with windows: the program as "/sim" starts it (the
// simulated line with the byte timing of the gauge's speed), in a folder of
// its own that is the current directory (settings, window positions,
// exchange log), with the operator's answers scripted.

#include "app/app_context.h"
#include "sim/program_sim_line.h"
#include "sim/simulated_line.h"
#include "ui/main/form_main.h"
#include "ui/main/program.h"

#include "support/gui_application.h"
#include "support/installed_operator.h"
#include "support/temp_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <memory>

class ProgramSoak : public GuiTest
{
protected:
    // switches: after "/sim".
    explicit ProgramSoak(const QStringList &switches) : m_oldDir(QDir::currentPath())
    {
        QDir::setCurrent(home.path());
        SetAppContext(TAppContext(home.path(), home.path(),
                                  QStringList{QStringLiteral("tolm47x"), QStringLiteral("/sim")} + switches));
    }
    ~ProgramSoak() override
    {
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        program.reset();
        QDir::setCurrent(m_oldDir);
        SetAppContext(TAppContext());
    }

    // Makes the program and shows its main window with the windows it
    // opens at start.
    void StartProgram()
    {
        program = std::make_unique<TProgram>([this] {
            return std::make_unique<TSimulatedLine>(ProgramSimLineConfig(home.path(), false));
        });
        form = std::make_unique<TFormMain>(*program);
        form->show();
    }

    TempHome home;
    TInstalledOperator op;
    std::unique_ptr<TProgram> program;
    std::unique_ptr<TFormMain> form;

private:
    QString m_oldDir;
};
