#include "ui/widgets/spin_edit.h"

#include "values/whole_number.h"

#include <limits>

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
