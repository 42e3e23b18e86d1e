#include "ui/windows/bad_zone_grid.h"

#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "ui/dialogs/operator.h"

#include <QHeaderView>

namespace {

constexpr int ZoneColumns = 5;

QTableWidgetItem *zoneCell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

QStringList BadZoneColumns()
{
    return {QStringLiteral("№"), QStringLiteral("Ближняя граница, мм"), QStringLiteral("Дальняя граница, мм"),
            QStringLiteral("Скорость налива, мм/с"), QStringLiteral("Скорость слива, мм/с")};
}

QString BadZoneValueCaption(const TParameter &parameter)
{
    // The rows are named "BadZone" + Near, Far, Fill or Empty + the zone.
    static const QStringList Values = {QStringLiteral("Near"), QStringLiteral("Far"), QStringLiteral("Fill"),
                                       QStringLiteral("Empty")};
    const QString name = QString::fromLatin1(parameter.Name);
    if (!name.startsWith(QLatin1String("BadZone")))
        return QString();
    const QString value = name.mid(7).chopped(1);
    const int column = int(Values.indexOf(value)) + 1;
    const QChar zone = name.back();
    if (column < 1 || !zone.isDigit())
        return QString();
    return QString(zone) + QStringLiteral(".Плохая зона: ") + BadZoneColumns().at(column);
}

TBadZoneGrid::TBadZoneGrid(Ttolm472 &model, QWidget *parent) : QTableWidget(0, ZoneColumns, parent), m_model(model)
{
    setObjectName(QStringLiteral("sgBadZones"));
    setHorizontalHeaderLabels(BadZoneColumns());
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every column title in sight (a narrow window scrolls its tab instead).
    int width = 2 * frameWidth();
    for (int c = 0; c < ZoneColumns; ++c)
        width += horizontalHeader()->sectionSizeHint(c);
    setMinimumWidth(width);
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { EditZone(row + 1); });
}

void TBadZoneGrid::Rebuild()
{
    const int count = m_model.Config.CountBadZones();
    // A count the gauge reported beyond its five zones shows no grid, as
    // does none at all; the grid still keeps one row under its header.
    const int rows = std::max(2, count + 1) - 1;
    const bool shown = count >= 1 && count <= TBadZones::Count;
    if (rowCount() != rows)
        setRowCount(rows);
    if (shown) {
        for (int n = 1; n <= count; ++n) {
            const TBadZone &zone = m_model.BadZones.Zone(n);
            const QString texts[ZoneColumns] = {QString::number(n), zone.Near.AsText(false, false),
                                            zone.Far.AsText(false, false), zone.FillSpeed.AsText(false, false),
                                            zone.EmptySpeed.AsText(false, false)};
            for (int c = 0; c < ZoneColumns; ++c) {
                QTableWidgetItem *present = item(n - 1, c);
                if (!present)
                    setItem(n - 1, c, zoneCell(texts[c]));
                else if (present->text() != texts[c])
                    present->setText(texts[c]);
            }
        }
    }
    fitHeight();
    setVisible(shown);
}

// Every row in sight without a scroll bar.
void TBadZoneGrid::fitHeight()
{
    int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth();
    for (int r = 0; r < rowCount(); ++r)
        height += rowHeight(r);
    setFixedHeight(height);
}

void TBadZoneGrid::EditZone(int zone)
{
    if (zone < 1 || zone > TBadZones::Count)
        return;
    Operator().InputBadZone(m_model.BadZones.Zone(zone));
    Rebuild();
}

void TBadZoneGrid::EditSelected()
{
    EditZone(currentRow() + 1);
}
