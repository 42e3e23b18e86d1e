#pragma once
// A step button that repeats while it is held, for nudging a coefficient:
// pressing the mouse button picks the button's step, performs it once at
// once and starts a 100 ms timer; every tick performs the picked step again;
// letting go stops the timer. The last step picked is kept after the
// release, and a tick before any step was picked does nothing.
//
// The ticks are the timer's, on the user-interface thread; a test holds a
// button for a second by raising the timer's ten ticks itself.

#include <QObject>
#include <QTimer>

#include <functional>

class QAbstractButton;

class TStepRepeat final : public QObject
{
public:
    static constexpr int PeriodMs = 100;

    explicit TStepRepeat(QObject *parent);

    // The button's press picks `step`, its release stops the repeat.
    void Attach(QAbstractButton &button, std::function<void()> step);

    QTimer &Timer() { return m_timer; }

private:
    void press(std::function<void()> step);
    void tick();

    QTimer m_timer;
    std::function<void()> m_step;
};
