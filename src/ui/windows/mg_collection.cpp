#include "ui/windows/mg_collection.h"

#include "device/tolm472.h"

namespace {

const TMultiGraphRow Rows[] = {
    {"LevelBusy", &Ttolm472::Level, qRgb(0, 0, 255), false},
    {"Distance", &Ttolm472::Distance, qRgb(255, 0, 0), false},
    {"LevelFree", &Ttolm472::LevelFree, qRgb(0, 128, 0), false},
    {"Reserve", &Ttolm472::Reserve, qRgb(255, 255, 0), true},
};

} // namespace

TMGCollectionItem *TMGCollection::Add(const QString &tableName, const TIODouble &deviceValue, const QColor &color)
{
    try {
        auto item = std::make_unique<TMGCollectionItem>();
        item->Value.Assign(deviceValue);
        item->Value.Tag = Count();
        item->TableName = tableName;
        item->Color = color;
        TMGCollectionItem *added = item.get();
        // Every reading extends the line, a repeated value too.
        added->Value.OnSet = [this](TIOData *value) {
            if (OnItemChange)
                OnItemChange(value);
        };
        m_items.push_back(std::move(item));
        return added;
    } catch (...) {
        return nullptr;
    }
}

TMGCollectionItem *TMGCollection::Item(int index) const
{
    return index >= 0 && index < Count() ? m_items[size_t(index)].get() : nullptr;
}

std::span<const TMultiGraphRow> MultiGraphRows()
{
    return Rows;
}

void FillMultiGraphCollection(TMGCollection &collection, const Ttolm472 &gauge, bool fullMode)
{
    for (const TMultiGraphRow &row : Rows)
        if (fullMode || !row.FullModeOnly)
            collection.Add(QString::fromLatin1(row.Table), gauge.*row.Value, QColor(row.Color));
}
