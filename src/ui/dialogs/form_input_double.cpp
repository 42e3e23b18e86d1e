#include "ui/dialogs/form_input_double.h"

#include "ui/dialogs/dialog_frame.h"
#include "values/descriptions.h"
#include "values/float_format.h"

TFormInputDouble::TFormInputDouble(const QString &title, const QString &label, int decimals, double max, double min,
                                   double value, QWidget *parent)
    : TFormInputValue(title, label, parent)
    , enValue(new TEditNum(this))
    , m_value(value)
    , m_entered(value)
{
    enValue->setObjectName(QStringLiteral("enValue"));
    // Reversed limits name no range: the field then checks none rather than
    // holding the entry to its own 0..100.
    if (min <= max)
        enValue->SetRange(max, min);
    else
        enValue->SetCheckRange(false);
    enValue->setText(FloatToStrF(value, TDescriptionOfDouble::ffFixed, 9, decimals));
    ArrangeBeside(enValue, ValueFieldWidth);
    enValue->setFocus();
    enValue->selectAll();
}

void TFormInputDouble::accept()
{
    const std::optional<double> number = enValue->TextValue();
    if (!number) {
        setFieldBackground(Qt::red);
        return;
    }
    setFieldBackground(Qt::white);
    m_entered = *number;
    TFormInputValue::accept();
}

void TFormInputDouble::setFieldBackground(const QColor &color)
{
    QPalette look = enValue->palette();
    look.setColor(QPalette::Base, color);
    enValue->setPalette(look);
}
