#pragma once
// Modal dialogs run their own event loop; a test reaches the one that the
// code under test is about to open by queueing its actions before the call.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Runs act on the modal dialog of type Dialog that is open once the event
// loop runs next. Without such a dialog the test fails and whatever modal
// window is open is closed, so the test does not hang.
template <typename Dialog>
void OnNextModal(std::function<void(Dialog *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<Dialog *>(modal);
        if (!dialog) {
            ADD_FAILURE() << "no modal " << Dialog::staticMetaObject.className() << " open";
            if (modal)
                modal->close();
            return;
        }
        act(dialog);
    });
}
