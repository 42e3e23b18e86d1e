#include "ui/form_input_bad_zone.h"

#include "device/bad_zones.h"
#include "ui/dialog_frame.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int FieldWidth = 121;

QGroupBox *group(const QString &title, const QString &label1, QWidget *field1, const QString &label2,
                 QWidget *field2, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    auto *form = new QFormLayout(box);
    form->addRow(label1, field1);
    form->addRow(label2, field2);
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

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblHint);
    layout->addWidget(group(QStringLiteral("Границы плохой зоны"), QStringLiteral("Ближняя от фланца граница, мм"),
                            enValue1, QStringLiteral("Дальняя от фланца граница, мм"), enValue2, this));
    layout->addWidget(group(QStringLiteral("Скорости"), QStringLiteral("Налива, мм/с"), enSpeedInc,
                            QStringLiteral("Слива, мм/с"), enSpeedDec, this));
    layout->addLayout(buttons);
    FixAndCentre(*this, layout->sizeHint());
    enValue1->setFocus();
    enValue1->selectAll();
}

TEditNum *TFormInputBadZone::makeField(const char *name, double value)
{
    auto *field = new TEditNum(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setFixedWidth(FieldWidth);
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
    m_zone.Near.SetValue(enValue1->Value());
    m_zone.Far.SetValue(enValue2->Value());
    m_zone.FillSpeed.SetValue(enSpeedInc->Value());
    m_zone.EmptySpeed.SetValue(enSpeedDec->Value());
    QDialog::accept();
}
