#pragma once
// TFormRangeDT, "Временной диапазон": the period of a time graph, a date and
// a time for its start and for its end, and a list of usual lengths that
// set the start from the end. A start later than the end is refused with
// "Неверный диапазон" and the dialog stays open; equal ones are a period.

#include "values/date_time.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QTimeEdit;

class TFormRangeDT : public QDialog
{
    Q_OBJECT

public:
    // The pickers take the given bounds; one without a date shows yesterday
    // (start) or today (stop), one without a time of day the present time.
    TFormRangeDT(TDateTime start, TDateTime stop, QWidget *parent = nullptr);

    QDateEdit *dtpStartDate;
    QTimeEdit *dtpStartTime;
    QDateEdit *dtpStopDate;
    QTimeEdit *dtpStopTime;
    QComboBox *cbInterval; // "Произвольный период", "Сутки", "Неделя", "Месяц", "Год"

    TDateTime Start() const;
    TDateTime Stop() const;

    void accept() override;

private:
    void applyInterval(int index);
    void pickedByHand();

    bool m_settingInterval = false;
};
