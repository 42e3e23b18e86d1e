#pragma once
// The factory's calibration table of the conversion characteristic: 2 or 5
// points, each the distance a reference target was set to and the free
// space the gauge measured there. The operator types the distances (with a
// point or a comma, whatever the locale), captures the gauge's free space
// into the point whose gate holds it, loads the 2- or 5-point preset,
// resets the coefficients, and has the model fit new ones. Nothing here is
// sent to the gauge: the write buttons of slope and offset do that.

#include <QWidget>

class QTableWidget;
class QTableWidgetItem;
class TMainServices;
class Ttolm472;

class TCalibrationTable final : public QWidget
{
public:
    TCalibrationTable(Ttolm472 &model, TMainServices &services, QWidget *parent);

    // The points of the model's calibration mode, the current one in bold.
    void Redraw();
    // The first point (1..mode) whose gate holds the model's free space;
    // 0 when none does.
    static int CurrentPoint(const Ttolm472 &model);

    QTableWidget *Grid() const { return m_grid; }

private:
    void edited(QTableWidgetItem *item);
    void capture();
    void choosePoints(int points, const QString &question);
    void erase();
    void compute();

    Ttolm472 &m_model;
    TMainServices &m_services;
    QTableWidget *m_grid;
};
