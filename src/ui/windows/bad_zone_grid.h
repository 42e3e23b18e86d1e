#pragma once
// The grid of the gauge's bad zones: one row per zone the gauge counts
// ("№", the near and far border, the filling and draining speed), shown
// only for a count of 1 to 5. Double-clicking a zone's row opens the
// bad-zone dialog on it; what the operator enters changes the model only,
// the write button of the zones sends them.

#include <QStringList>
#include <QTableWidget>

class Ttolm472;
struct TParameter;

// The grid's column captions, "№" first, then the zone's four values.
QStringList BadZoneColumns();
// A bad-zone value as the grid names it: "1.Плохая зона: Ближняя граница,
// мм"; empty for a parameter that is no bad-zone value.
QString BadZoneValueCaption(const TParameter &parameter);

class TBadZoneGrid final : public QTableWidget
{
public:
    TBadZoneGrid(Ttolm472 &model, QWidget *parent);

    // Rows and texts from the model: max(1, count) rows under the header,
    // the zones' values as their observable values show them; hidden
    // unless the count is 1 to 5.
    void Rebuild();
    // The dialog on zone 1..5 (nothing for another number), then Rebuild.
    void EditZone(int zone);
    // EditZone of the selected row.
    void EditSelected();

private:
    void fitHeight();

    Ttolm472 &m_model;
};
