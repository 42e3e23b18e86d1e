#include "ui/dialogs/operator_messages.h"

#include "device/tolm472.h"
#include "link/transmitter.h"
#include "ui/dialogs/operator.h"

#include <QCoreApplication>
#include <QThread>

#include <functional>

namespace {

void inUserInterfaceThread(std::function<void()> show)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        show();
    else
        QMetaObject::invokeMethod(app, std::move(show), Qt::QueuedConnection);
}

} // namespace

void RouteModelMessages(Ttolm472 &model)
{
    // Always queued: the model takes its answers in the middle of other work
    // of the user-interface thread, which must not wait for the box.
    model.OnMessage = [](const QString &text) {
        if (QCoreApplication *app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [text] { Operator().Warning(text); }, Qt::QueuedConnection);
    };
}

void RouteTransmitterMessages(TTransmitter &transmitter)
{
    transmitter.SetOnErrorMessage([](const QString &caption, const QString &text) {
        inUserInterfaceThread([caption, text] { Operator().ShowMessage(TMessageIcon::Error, caption, text); });
    });
}
