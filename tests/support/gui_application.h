#pragma once
// Widget tests need a QApplication (not a bare QCoreApplication) and the
// workstations' locale: Russian, decimal comma, no-break space between
// thousands. The first call makes both; the application is freed when the
// test program's last test has run, while Qt's own static objects still
// exist (freeing it later, at exit, crashes in Qt). Only test programs that
// link Qt Widgets include this.

#include "support/core_application.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

inline void EnsureGuiApplication()
{
    FailOnThreadWarnings();
    if (QCoreApplication::instance())
        return;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    static int argc = 1;
    static char name[] = "tolm-test";
    static char *argv[] = {name, nullptr};
    class Application final : public ::testing::Environment
    {
    public:
        void TearDown() override { delete QCoreApplication::instance(); }
    };
    new QApplication(argc, argv);
    ::testing::AddGlobalTestEnvironment(new Application);
}

// Base of widget test fixtures: the application exists before the
// fixture's own widgets are made.
class GuiTest : public ::testing::Test
{
protected:
    GuiTest() { EnsureGuiApplication(); }
};
