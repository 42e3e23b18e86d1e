#pragma once
// Visual values: observable values that put a title, a number and a unit on
// screen controls whenever their value changes. A window makes one per shown
// reading, links it as a listener of the gauge model's value
// (SetSource(value, false)) and hands it the controls. The controls belong to
// the window; a value whose control is gone simply stops drawing on it.

#include "values/io_data.h"

#include <QLabel>
#include <QPointer>

class TVHistogram;

class TIODoubleVisual : public TIODouble
{
public:
    TIODoubleVisual();

    // Title, number and unit on their controls, and the number's hint
    // (title, hint, number and unit on three lines) on the value control.
    // A value that is not a number leaves the number and the unit as they
    // were.
    virtual void Show();

    QPointer<QLabel> TitleControl;
    QPointer<QLabel> DimensionControl;

protected:
    // Puts the number (as value and as text) on the value control, if any.
    virtual void ShowNumber(double value, const QString &text, const QString &hint) = 0;
};

// The number on a label.
class TIODoubleLabel : public TIODoubleVisual
{
public:
    QLabel *ValueControl() const { return m_valueControl; }
    virtual void SetValueControl(QLabel *control) { m_valueControl = control; }

protected:
    void ShowNumber(double value, const QString &text, const QString &hint) override;

private:
    QPointer<QLabel> m_valueControl;
};

// The number in a static text: a label in a sunken box, the form in which
// the readings window shows its main figures.
class TIODoubleStaticText final : public TIODoubleLabel
{
public:
    void SetValueControl(QLabel *control) override;
};

// The number as the height of a bar indicator.
class TIODoubleVHistogram final : public TIODoubleVisual
{
public:
    TVHistogram *ValueControl() const;
    void SetValueControl(TVHistogram *control);

protected:
    void ShowNumber(double value, const QString &text, const QString &hint) override;

private:
    QPointer<TVHistogram> m_valueControl;
};
