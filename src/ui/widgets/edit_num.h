#pragma once
// TEditNum: the numeric field of the input dialogs. It lets through only
// what can make a number (digits, a minus in front, one decimal separator of
// the locale), keeps its value inside Minimum..Maximum when the entry is
// committed (Enter, leaving the field, or a value set by the program), shows
// an out-of-range text in red and an uncommitted one in bold.

#include <QLineEdit>
#include <functional>
#include <optional>

class TEditNum : public QLineEdit
{
    Q_OBJECT

public:
    using TNotify = std::function<void(TEditNum *sender)>;

    explicit TEditNum(QWidget *parent = nullptr);

    // The text as a number; 0 when it is not one.
    double Value() const;
    // Commits v: clamped (with CheckRange), shown in the field's format,
    // then OnFinishEdit.
    void SetValue(double v);
    // The text as a number, nothing when it is not one.
    std::optional<double> TextValue() const;

    double Minimum() const { return m_minimum; }
    void SetMinimum(double v) { m_minimum = v; }
    double Maximum() const { return m_maximum; }
    void SetMaximum(double v) { m_maximum = v; }
    // Both taken only when min <= max.
    void SetRange(double max, double min);
    bool CheckRange() const { return m_checkRange; }
    void SetCheckRange(bool on);

    // Format (general, exponent, fixed, number), significant digits and
    // digits after the separator of the committed text. Changing any of them
    // commits the present value again in the new form.
    int Format() const { return m_format; }
    void SetFormat(int format);
    int Precision() const { return m_precision; }
    void SetPrecision(int precision);
    int Digits() const { return m_digits; }
    void SetDigits(int digits);

    // After every commit.
    TNotify OnFinishEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool accepts(const QString &typed) const;
    void updateLook();

    double m_minimum = 0;
    double m_maximum = 100;
    bool m_checkRange = true;
    int m_format = 0;
    int m_precision = 15;
    int m_digits = 4;
};
