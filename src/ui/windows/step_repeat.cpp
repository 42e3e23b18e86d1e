#include "ui/windows/step_repeat.h"

#include <QAbstractButton>

TStepRepeat::TStepRepeat(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(PeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &TStepRepeat::tick);
}

void TStepRepeat::Attach(QAbstractButton &button, std::function<void()> step)
{
    connect(&button, &QAbstractButton::pressed, this, [this, step = std::move(step)] { press(step); });
    connect(&button, &QAbstractButton::released, &m_timer, &QTimer::stop);
}

void TStepRepeat::press(std::function<void()> step)
{
    m_step = std::move(step);
    m_timer.start();
    m_step();
}

void TStepRepeat::tick()
{
    if (m_step)
        m_step();
}
