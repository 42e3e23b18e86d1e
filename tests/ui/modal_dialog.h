#pragma once
// Modal dialogs run their own event loop; a test reaches the one that the
// code under test is about to open by queueing its actions before the call.

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

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

// Answers the modal dialogs of a procedure on the runner's worker as they
// open: the worker hands each one over when it gets there, so no moment to
// queue an answer before it is known. Each step takes the next modal window
// that opens; a window of another type than the step expects fails the test
// and is closed. Steps left over when the script ends fail the test.
class TModalScript
{
public:
    TModalScript()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    ~TModalScript()
    {
        EXPECT_EQ(m_steps.size(), size_t(0)) << "modal windows that never opened";
    }

    template <typename Dialog>
    TModalScript &Then(std::function<void(Dialog *)> act)
    {
        m_steps.push_back([act](QWidget *modal) {
            auto *dialog = qobject_cast<Dialog *>(modal);
            if (!dialog) {
                ADD_FAILURE() << "expected a modal " << Dialog::staticMetaObject.className() << ", found "
                              << modal->metaObject()->className();
                modal->close();
                return;
            }
            act(dialog);
        });
        return *this;
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_last || m_steps.empty())
            return;
        m_last = modal;
        const auto step = m_steps.front();
        m_steps.erase(m_steps.begin());
        step(modal);
    }

    QTimer m_timer;
    QPointer<QWidget> m_last; // a window that is gone no longer counts as seen
    std::vector<std::function<void(QWidget *)>> m_steps;
};

// Runs act once on the modal window of type Window as soon as it is open
// and ready says so; looks every 5 ms from the moment it is made. A window
// that returns at once from its command is waited for with WaitClosed.
template <typename Window>
class TOnModalWindow
{
public:
    TOnModalWindow(std::function<bool(Window *)> ready, std::function<void(Window *)> act)
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this, ready, act] {
            auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
            if (!window || !ready(window))
                return;
            m_timer.stop();
            m_done = true;
            act(window);
        });
        m_timer.start();
    }
    bool Done() const { return m_done; }
    // Turns the event loop until act has run and no modal window is left
    // (a closed window frees itself later); at most `ms`.
    void WaitClosed(int ms = 60000) const
    {
        QElapsedTimer waited;
        waited.start();
        while ((!m_done || QApplication::activeModalWidget()) && waited.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    QTimer m_timer;
    bool m_done = false;
};
