#include "ui/widgets/spin_edit.h"

#include <limits>

int WholeNumberInLimits(const QString &text, int max, int min)
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    if (!ok)
        return min;
    if (number > max)
        return max;
    if (number < min)
        return min;
    return int(number);
}

TSpinEdit::TSpinEdit(QWidget *parent)
    : QSpinBox(parent)
{
    // The arrows keep to the limits; typing is free and is judged when the
    // number is read.
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void TSpinEdit::SetLimits(int min, int max)
{
    if (min < max)
        setRange(min, max);
    else
        setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

QValidator::State TSpinEdit::validate(QString &, int &) const
{
    return QValidator::Acceptable;
}

int TSpinEdit::valueFromText(const QString &text) const
{
    return WholeNumberInLimits(text, maximum(), minimum());
}
