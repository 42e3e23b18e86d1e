#include "ui/dialogs/form_input_bad_zone.h"

#include "device/bad_zones.h"
#include "ui/dialogs/dialog_frame.h"

#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

// A group of two labelled fields; labelWidth lines the fields of both
// groups up under each other.
QGroupBox *group(const QString &title, const QString &label1, QWidget *field1, const QString &label2,
                 QWidget *field2, int labelWidth, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    auto *form = new QFormLayout(box);
    for (const auto &[text, field] : {std::pair{label1, field1}, std::pair{label2, field2}}) {
        auto *label = new QLabel(text, box);
        label->setMinimumWidth(labelWidth);
        form->addRow(label, field);
    }
    return box;
}

} // namespace

TFormInputBadZone::TFormInputBadZone(TBadZone &zone, QWidget *parent)
    : QDialog(parent)
    , lblHint(new QLabel(QStringLiteral("Описание"), this))
    , enValue1(makeField("enValue1", zone.Near.AsDouble()))
    , enValue2(makeField("enValue2", zone.Far.AsDouble()))
    , enSpeedInc(makeField("enSpeedInc", zone.FillSpeed.AsDouble()))
    , enSpeedDec(makeField("enSpeedDec", zone.EmptySpeed.AsDouble()))
    , btnOk(AddOkButton(*this))
    , btnCancel(AddCancelButton(*this))
    , m_zone(zone)
{
    setWindowTitle(QStringLiteral("Введите параметры плохой зоны"));
    lblHint->setObjectName(QStringLiteral("lblHint"));
    QFont bold = lblHint->font();
    bold.setBold(true);
    lblHint->setFont(bold);
    lblHint->setText(zone.Description.Hint);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    btnOk->setMinimumWidth(ButtonWidth(*btnOk));
    btnCancel->setMinimumWidth(ButtonWidth(*btnCancel));

    const QString nearText = QStringLiteral("Ближняя от фланца граница, мм");
    const QString farText = QStringLiteral("Дальняя от фланца граница, мм");
    const QString fillText = QStringLiteral("Налива, мм/с");
    const QString drainText = QStringLiteral("Слива, мм/с");
    const QFontMetrics metrics(font());
    int labelWidth = 0;
    for (const QString &text : {nearText, farText, fillText, drainText})
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(text));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblHint);
    layout->addWidget(group(QStringLiteral("Границы плохой зоны"), nearText, enValue1, farText, enValue2, labelWidth,
                            this));
    layout->addWidget(group(QStringLiteral("Скорости"), fillText, enSpeedInc, drainText, enSpeedDec, labelWidth, this));
    layout->addLayout(buttons);
    FixAndCentre(*this, layout->sizeHint());
    enValue1->setFocus();
    enValue1->selectAll();
}

TEditNum *TFormInputBadZone::makeField(const char *name, double value)
{
    auto *field = new TEditNum(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setFixedWidth(ValueFieldWidth);
    // Any number: the gauge judges the borders and speeds itself.
    field->SetCheckRange(false);
    field->SetFormat(TDescriptionOfDouble::ffGeneral);
    field->SetPrecision(15);
    field->SetDigits(0);
    field->SetValue(value);
    return field;
}

void TFormInputBadZone::accept()
{
    // A field that holds no number (or an infinity) keeps the dialog open.
    for (TEditNum *field : {enValue1, enValue2, enSpeedInc, enSpeedDec}) {
        if (!field->TextValue()) {
            field->setFocus();
            field->selectAll();
            return;
        }
    }
    m_zone.Near.SetValue(enValue1->Value());
    m_zone.Far.SetValue(enValue2->Value());
    m_zone.FillSpeed.SetValue(enSpeedInc->Value());
    m_zone.EmptySpeed.SetValue(enSpeedDec->Value());
    QDialog::accept();
}
