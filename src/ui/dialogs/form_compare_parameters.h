#pragma once
// TFormCompareParameters, "Сравнение с прибором": a backup file against the
// gauge, a row per parameter ("Параметр | В файле | В приборе") with the
// differing rows in bold on a pale red, a summary line, and the buttons
// "Записать в прибор" (only when something differs) and "Закрыть".

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
struct TConfigurationComparison;

class TFormCompareParameters : public QDialog
{
    Q_OBJECT

public:
    TFormCompareParameters(const TConfigurationComparison &comparison, const QString &fileName,
                           QWidget *parent = nullptr);

    QTableWidget *grdParameters;
    QLabel *lblSummary;
    QPushButton *btnWrite;

    // After exec(): "Записать в прибор" was pressed.
    bool WriteRequested() const { return result() == Accepted; }
};
