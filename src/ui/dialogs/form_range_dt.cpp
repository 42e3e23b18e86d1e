#include "ui/dialogs/form_range_dt.h"

#include "ui/dialogs/dialog_frame.h"
#include "ui/dialogs/operator.h"
#include "values/clock.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int IntervalDays[] = {0, 1, 7, 30, 365};

QDateTime combined(const QDateEdit *date, const QTimeEdit *time)
{
    return QDateTime(date->date(), time->time());
}

QGroupBox *periodGroup(const QString &title, QDateEdit *&date, QTimeEdit *&time, QWidget *parent)
{
    auto *group = new QGroupBox(title, parent);
    auto *form = new QFormLayout(group);
    date = new QDateEdit(group);
    date->setCalendarPopup(true);
    date->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    time = new QTimeEdit(group);
    time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    form->addRow(QStringLiteral("Дата:"), date);
    form->addRow(QStringLiteral("Время:"), time);
    return group;
}

// The bound's date, or fallbackDay when it has none; its time, or the
// present time when it has less than a second.
void showBound(TDateTime value, int fallbackOffset, QDateEdit *date, QTimeEdit *time)
{
    const QDateTime now = Clock().Now();
    const QDateTime given = DateTimeToQDateTime(value);
    const bool hasDate = std::trunc(value) != 0;
    date->setDate(hasDate ? given.date() : now.date().addDays(fallbackOffset));
    const double fraction = std::fabs(value - std::trunc(value));
    time->setTime(fraction >= 1.0 / 86400 ? given.time() : now.time());
}

} // namespace

TFormRangeDT::TFormRangeDT(TDateTime start, TDateTime stop, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormRangeDT"));
    setWindowTitle(QStringLiteral("Временной диапазон"));
    auto *layout = new QVBoxLayout(this);
    auto *periods = new QHBoxLayout;
    periods->addWidget(periodGroup(QStringLiteral(" Начало периода "), dtpStartDate, dtpStartTime, this));
    periods->addWidget(periodGroup(QStringLiteral(" Конец периода "), dtpStopDate, dtpStopTime, this));
    layout->addLayout(periods);
    auto *intervalGroup = new QGroupBox(QStringLiteral("Интервал"), this);
    auto *intervalLayout = new QVBoxLayout(intervalGroup);
    cbInterval = new QComboBox(intervalGroup);
    cbInterval->addItems({QStringLiteral("Произвольный период"), QStringLiteral("Сутки"), QStringLiteral("Неделя"),
                          QStringLiteral("Месяц"), QStringLiteral("Год")});
    intervalLayout->addWidget(cbInterval);
    layout->addWidget(intervalGroup);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(AddOkButton(*this));
    buttons->addWidget(AddCancelButton(*this));
    layout->addLayout(buttons);

    showBound(start, -1, dtpStartDate, dtpStartTime);
    showBound(stop, 0, dtpStopDate, dtpStopTime);
    cbInterval->setCurrentIndex(0);

    connect(cbInterval, &QComboBox::activated, this, &TFormRangeDT::applyInterval);
    connect(dtpStartDate, &QDateEdit::dateChanged, this, &TFormRangeDT::pickedByHand);
    connect(dtpStopDate, &QDateEdit::dateChanged, this, &TFormRangeDT::pickedByHand);
    connect(dtpStartTime, &QTimeEdit::timeChanged, this, &TFormRangeDT::pickedByHand);
    connect(dtpStopTime, &QTimeEdit::timeChanged, this, &TFormRangeDT::pickedByHand);
}

TDateTime TFormRangeDT::Start() const
{
    return QDateTimeToDateTime(combined(dtpStartDate, dtpStartTime));
}

TDateTime TFormRangeDT::Stop() const
{
    return QDateTimeToDateTime(combined(dtpStopDate, dtpStopTime));
}

void TFormRangeDT::applyInterval(int index)
{
    if (index <= 0 || index >= int(std::size(IntervalDays)))
        return;
    m_settingInterval = true;
    dtpStartDate->setDate(dtpStopDate->date().addDays(-IntervalDays[index]));
    dtpStartTime->setTime(dtpStopTime->time());
    m_settingInterval = false;
}

void TFormRangeDT::pickedByHand()
{
    if (!m_settingInterval)
        cbInterval->setCurrentIndex(0);
}

void TFormRangeDT::accept()
{
    if (combined(dtpStartDate, dtpStartTime) > combined(dtpStopDate, dtpStopTime)) {
        Operator().Warning(QStringLiteral("Неверный диапазон"));
        return;
    }
    QDialog::accept();
}
