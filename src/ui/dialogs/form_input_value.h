#pragma once
// The common form of the single-value dialogs: a label saying what to enter,
// one value field, "OK" and "Отменить". The dialog is as wide as the label,
// the field and the buttons need, with 5-pixel margins.

#include <QDialog>
#include <QLabel>
#include <QPushButton>

class TFormInputValue : public QDialog
{
    Q_OBJECT

public:
    QLabel *lblCaption;
    QPushButton *btnOk;
    QPushButton *btnCancel;

protected:
    TFormInputValue(const QString &title, const QString &label, QWidget *parent);
    // Label and field side by side, the buttons below: width = the wider of
    // (label + field + 15) and (both buttons + 15). The field stands 10
    // pixels after the label or, when the buttons are wider, 5 pixels from
    // the right edge.
    void ArrangeBeside(QWidget *field, int fieldWidth);
    // The field under its label, the buttons below: width = the widest of
    // (label + 10), (field + 10) and (both buttons + 15).
    void ArrangeBelow(QWidget *field, int fieldWidth);

private:
    // Places the buttons right-aligned at top; returns the client height.
    int placeButtons(int clientWidth, int top);
    int buttonsWidth() const;
};
