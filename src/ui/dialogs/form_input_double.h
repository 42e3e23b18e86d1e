#pragma once
// TFormInputDouble: the dialog for a floating-point parameter (heights,
// slopes, frequencies, ...). The field shows the initial value with the
// given number of decimals and keeps entries inside the limits; OK with a
// text that is no number turns the field red and keeps the dialog open.

#include "ui/dialogs/form_input_value.h"
#include "ui/widgets/edit_num.h"

class TFormInputDouble : public TFormInputValue
{
    Q_OBJECT

public:
    TFormInputDouble(const QString &title, const QString &label, int decimals, double max, double min, double value,
                     QWidget *parent = nullptr);

    TEditNum *enValue;

    // The number after OK, the initial value otherwise.
    double Result() const { return result() == Accepted ? m_entered : m_value; }

    void accept() override;

private:
    void setFieldBackground(const QColor &color);

    double m_value;
    double m_entered;
};
