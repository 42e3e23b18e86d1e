#include "ui/dialogs/form_input_integer.h"

#include "ui/dialogs/dialog_frame.h"
#include "values/whole_number.h"

TFormInputInteger::TFormInputInteger(const QString &title, const QString &label, int value, int max, int min,
                                     QWidget *parent)
    : TFormInputValue(title, label, parent)
    , speValue(new TSpinEdit(this))
    , m_value(value)
    , m_max(max)
    , m_min(min)
    , m_entered(value)
{
    speValue->setObjectName(QStringLiteral("speValue"));
    speValue->SetLimits(min, max);
    speValue->setValue(value);
    ArrangeBeside(speValue, ValueFieldWidth);
    speValue->setFocus();
    speValue->selectAll();
}

void TFormInputInteger::accept()
{
    m_entered = WholeNumberInLimits(speValue->cleanText(), m_max, m_min);
    TFormInputValue::accept();
}
