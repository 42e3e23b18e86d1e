#pragma once
// TFormInputInteger: the whole-number dialog (system address, plant number,
// poll periods, ...). Whatever is typed, OK gives a number within the
// limits: text that is not a whole number counts as the minimum, a number
// beyond a limit becomes that limit. Cancel gives the initial value back.

#include "ui/dialogs/form_input_value.h"
#include "ui/widgets/spin_edit.h"

class TFormInputInteger : public TFormInputValue
{
    Q_OBJECT

public:
    TFormInputInteger(const QString &title, const QString &label, int value, int max, int min,
                      QWidget *parent = nullptr);

    TSpinEdit *speValue;

    // The number after OK, the initial value otherwise.
    int Result() const { return result() == Accepted ? m_entered : m_value; }

    void accept() override;

private:
    int m_value;
    int m_max;
    int m_min;
    int m_entered;
};
