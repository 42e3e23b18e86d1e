#include "ui/dialogs/form_input_value.h"

#include "ui/dialogs/dialog_frame.h"

#include <algorithm>

namespace {

constexpr int ValueMargin = 5;
constexpr int Top = 10;
constexpr int Bottom = 10;
constexpr int ButtonsGap = 12;

} // namespace

TFormInputValue::TFormInputValue(const QString &title, const QString &label, QWidget *parent)
    : QDialog(parent)
    , lblCaption(new QLabel(label, this))
    , btnOk(AddOkButton(*this))
    , btnCancel(AddCancelButton(*this))
{
    setWindowTitle(title);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
}

int TFormInputValue::buttonsWidth() const
{
    return ButtonWidth(*btnOk) + ButtonWidth(*btnCancel) + 3 * ValueMargin;
}

int TFormInputValue::placeButtons(int clientWidth, int top)
{
    const int height = std::max(btnOk->sizeHint().height(), btnCancel->sizeHint().height());
    const int cancelLeft = clientWidth - ValueMargin - ButtonWidth(*btnCancel);
    btnCancel->setGeometry(cancelLeft, top, ButtonWidth(*btnCancel), height);
    btnOk->setGeometry(cancelLeft - ValueMargin - ButtonWidth(*btnOk), top, ButtonWidth(*btnOk), height);
    return top + height + Bottom;
}

void TFormInputValue::ArrangeBeside(QWidget *field, int fieldWidth)
{
    const QSize label = lblCaption->sizeHint();
    const int fieldHeight = field->sizeHint().height();
    const int width = std::max(label.width() + fieldWidth + 3 * ValueMargin, buttonsWidth());
    const int rowHeight = std::max(label.height(), fieldHeight);
    lblCaption->setGeometry(ValueMargin, Top + (rowHeight - label.height()) / 2, label.width(), label.height());
    // Either way the field ends 5 pixels from the right edge: after the
    // label when the label decides the width, pushed right when the buttons
    // do.
    field->setGeometry(width - ValueMargin - fieldWidth, Top + (rowHeight - fieldHeight) / 2, fieldWidth, fieldHeight);
    FixAndCentre(*this, QSize(width, placeButtons(width, Top + rowHeight + ButtonsGap)));
}

void TFormInputValue::ArrangeBelow(QWidget *field, int fieldWidth)
{
    const QSize label = lblCaption->sizeHint();
    const int fieldHeight = field->sizeHint().height();
    const int width = std::max({label.width() + 2 * ValueMargin, fieldWidth + 2 * ValueMargin, buttonsWidth()});
    lblCaption->setGeometry(ValueMargin, Top, label.width(), label.height());
    const int fieldTop = Top + label.height() + ValueMargin;
    field->setGeometry(ValueMargin, fieldTop, width - 2 * ValueMargin, fieldHeight);
    FixAndCentre(*this, QSize(width, placeButtons(width, fieldTop + fieldHeight + ButtonsGap)));
}
