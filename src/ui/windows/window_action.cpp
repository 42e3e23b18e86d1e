#include "ui/windows/window_action.h"

#include <QAction>

QAction *WindowAction(const char *name, const QString &caption, const QString &hint, QObject *parent)
{
    auto *action = new QAction(caption, parent);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}
