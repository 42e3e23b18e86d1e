#include "support/core_application.h"

#include <QCoreApplication>

void EnsureCoreApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "tolm-test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}
