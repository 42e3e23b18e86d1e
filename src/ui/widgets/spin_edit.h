#pragma once
// TSpinEdit: the whole-number field of the integer dialog. It takes any
// typed text; what counts is the number read back from it: text that is not
// a whole number counts as the minimum, and a number outside the limits is
// pulled to the nearer limit. Leaving the field shows that number.

#include <QSpinBox>

class TSpinEdit : public QSpinBox
{
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget *parent = nullptr);
    // As the workstations' spin fields: equal limits mean no limits.
    void SetLimits(int min, int max);

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
};
