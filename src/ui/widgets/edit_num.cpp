#include "ui/widgets/edit_num.h"

#include "values/float_format.h"

#include <QKeyEvent>
#include <QLocale>

#include <cmath>

TEditNum::TEditNum(QWidget *parent)
    : QLineEdit(QStringLiteral("0"), parent)
{
}

std::optional<double> TEditNum::TextValue() const
{
    bool ok = false;
    const double v = QLocale().toDouble(text().trimmed(), &ok);
    // "inf" and "nan" read as numbers, but no gauge holds one.
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double TEditNum::Value() const
{
    return TextValue().value_or(0);
}

void TEditNum::SetValue(double v)
{
    if (m_checkRange) {
        if (v < m_minimum)
            v = m_minimum;
        else if (v > m_maximum)
            v = m_maximum;
    }
    setText(FloatToStrF(v, m_format, m_precision, m_digits));
    setModified(false);
    updateLook();
    if (OnFinishEdit) {
        const TNotify call = OnFinishEdit;
        call(this);
    }
}

void TEditNum::SetRange(double max, double min)
{
    if (min > max)
        return;
    m_minimum = min;
    m_maximum = max;
}

void TEditNum::SetCheckRange(bool on)
{
    m_checkRange = on;
    updateLook();
}

void TEditNum::SetFormat(int format)
{
    m_format = format;
    SetValue(Value());
}

void TEditNum::SetPrecision(int precision)
{
    m_precision = precision;
    SetValue(Value());
}

void TEditNum::SetDigits(int digits)
{
    m_digits = digits;
    SetValue(Value());
}

// What a typed character may add: digits always, a minus only in front of
// the number, the locale's decimal separator only once.
bool TEditNum::accepts(const QString &typed) const
{
    if (typed.size() != 1)
        return false;
    const QChar c = typed.at(0);
    if (c.isDigit())
        return true;
    if (c == QLatin1Char('-'))
        return (hasSelectedText() ? selectionStart() : cursorPosition()) == 0;
    const QString separator = QLocale().decimalPoint();
    if (typed == separator)
        return !text().contains(separator);
    return false;
}

void TEditNum::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        SetValue(Value());
        // The dialog around the field still sees Enter and presses its
        // default button.
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Printable characters go through the filter; editing and navigation
    // keys (backspace, delete, arrows, Esc for the dialog) pass unchanged.
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !accepts(typed)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TEditNum::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    updateLook();
}

void TEditNum::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A pop-up menu or another program taking the input does not leave the
    // field: the entry is not finished yet.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        SetValue(Value());
}

void TEditNum::updateLook()
{
    const double v = Value();
    QPalette look = palette();
    look.setColor(QPalette::Text, m_checkRange && (v < m_minimum || v > m_maximum) ? Qt::red : Qt::black);
    setPalette(look);
    QFont f = font();
    f.setBold(isModified());
    setFont(f);
}
