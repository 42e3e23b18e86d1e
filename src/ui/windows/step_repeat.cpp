#include "ui/windows/step_repeat.h"

#include <QAbstractButton>

TStepRepeat::TStepRepeat(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(PeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &TStepRepeat::Tick);
}

void TStepRepeat::Attach(QAbstractButton &button, std::function<void()> step)
{
    connect(&button, &QAbstractButton::pressed, this, [this, step = std::move(step)] { Press(step); });
    connect(&button, &QAbstractButton::released, this, &TStepRepeat::Release);
}

void TStepRepeat::Press(std::function<void()> step)
{
    m_step = std::move(step);
    m_timer.start();
    m_step();
}

void TStepRepeat::Release()
{
    m_timer.stop();
}

void TStepRepeat::Tick()
{
    if (m_step)
        m_step();
}
