#pragma once
// The multi-graph's series: one item per measured value, in the order the
// chart draws and the menu lists them. Each item has a value of its own
// that takes the gauge value's descriptor and is tagged with the item's
// position, so a reading of it finds its way back to its series.

#include "series/series.h"
#include "values/io_data.h"

#include <QColor>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class Ttolm472;

struct TMGCollectionItem {
    TIODouble Value;   // Tag: the position in the collection
    QString TableName; // the archive name the series is read from
    QColor Color;
    bool Visible = true;
    TSeries Series;
};

class TMGCollection
{
public:
    // An item for the archive table and the gauge's value (its descriptor
    // copied); nullptr when it cannot be made.
    TMGCollectionItem *Add(const QString &tableName, const TIODouble &deviceValue, const QColor &color);
    // nullptr outside 0..Count()-1.
    TMGCollectionItem *Item(int index) const;
    int Count() const { return int(m_items.size()); }

    // Called with the item's value whenever it is set; the owner finds the
    // item by the value's tag.
    std::function<void(TIOData *value)> OnItemChange;

private:
    std::vector<std::unique_ptr<TMGCollectionItem>> m_items;
};

// The series of the main window's "Графики", as the readings describe
// them: the level, the distance, the free space and, in full mode only, the
// reserve.
void FillMultiGraphCollection(TMGCollection &collection, const Ttolm472 &gauge, bool fullMode);
