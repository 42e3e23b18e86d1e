#include "ui/widgets/io_double_visual.h"

#include "ui/widgets/screen_text.h"
#include "ui/widgets/vhistogram.h"
#include "values/float_format.h"

TIODoubleVisual::TIODoubleVisual()
{
    OnChange = [this](TIOData *) { Show(); };
}

void TIODoubleVisual::Show()
{
    if (TitleControl)
        TitleControl->setText(Description.Title);

    bool isNumber = false;
    const double v = Value.toDouble(&isNumber);
    if (!isNumber)
        return;
    // On screen the number always has thousands separators and the
    // descriptor's digits, whatever format the archive and reports use.
    const QString text = FloatToStrF(v, TDescriptionOfDouble::ffNumber, Description.Precision, Description.Digits);
    const QString hint = Description.Title + QLatin1Char('\r') + Description.Hint + QLatin1Char('\r') + text +
                         QLatin1Char(' ') + Description.Dimension;
    ShowNumber(v, text, hint);

    if (DimensionControl)
        DimensionControl->setText(Description.Dimension);
}

void TIODoubleLabel::ShowNumber(double, const QString &text, const QString &hint)
{
    if (!m_valueControl)
        return;
    m_valueControl->setText(text);
    m_valueControl->setToolTip(ScreenText(hint));
}

void TIODoubleStaticText::SetValueControl(QLabel *control)
{
    if (control)
        control->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    TIODoubleLabel::SetValueControl(control);
}

TVHistogram *TIODoubleVHistogram::ValueControl() const
{
    return m_valueControl;
}

void TIODoubleVHistogram::SetValueControl(TVHistogram *control)
{
    m_valueControl = control;
}

void TIODoubleVHistogram::ShowNumber(double value, const QString &, const QString &hint)
{
    if (!m_valueControl)
        return;
    m_valueControl->SetValue(value);
    m_valueControl->setToolTip(ScreenText(hint));
}
