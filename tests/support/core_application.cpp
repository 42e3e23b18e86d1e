#include "support/core_application.h"

#include <QCoreApplication>
#include <QString>

#include <gtest/gtest.h>

namespace {

QtMessageHandler g_previous = nullptr;

void failOnThreadWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("another thread")) || message.contains(QLatin1String("different thread")))
        ADD_FAILURE() << "Qt thread warning: " << message.toStdString();
    if (g_previous)
        g_previous(type, context, message);
}

} // namespace

void FailOnThreadWarnings()
{
    static const bool installed = [] {
        g_previous = qInstallMessageHandler(failOnThreadWarning);
        return true;
    }();
    (void)installed;
}

void EnsureCoreApplication()
{
    FailOnThreadWarnings();
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "tolm-test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}
