#pragma once
// TFormInputBadZone: the near and far border of a bad zone and its filling
// and draining speeds, in one dialog. The fields take any number; OK stores
// all four into the zone (its viewers hear of it), cancel changes nothing.

#include "ui/widgets/edit_num.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

class TBadZone;

class TFormInputBadZone : public QDialog
{
    Q_OBJECT

public:
    explicit TFormInputBadZone(TBadZone &zone, QWidget *parent = nullptr);

    QLabel *lblHint;
    TEditNum *enValue1;
    TEditNum *enValue2;
    TEditNum *enSpeedInc;
    TEditNum *enSpeedDec;
    QPushButton *btnOk;
    QPushButton *btnCancel;

    void accept() override;

private:
    TEditNum *makeField(const char *name, double value);

    TBadZone &m_zone;
};
