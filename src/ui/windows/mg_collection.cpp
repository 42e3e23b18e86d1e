#include "ui/windows/mg_collection.h"

#include "device/readings.h"
#include "device/tolm472.h"

#include <algorithm>
#include <vector>

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

void FillMultiGraphCollection(TMGCollection &collection, const Ttolm472 &gauge, bool fullMode)
{
    std::vector<const TReadingDescription *> series;
    for (const TReadingDescription &d : ReadingDescriptions())
        if (d.MultiGraphPlace > 0 && (fullMode || !d.MultiGraphFullModeOnly))
            series.push_back(&d);
    std::sort(series.begin(), series.end(),
              [](const auto *a, const auto *b) { return a->MultiGraphPlace < b->MultiGraphPlace; });
    for (const TReadingDescription *d : series)
        collection.Add(QString::fromLatin1(d->Name), gauge.Readings.Value(d->Kind),
                       QColor(QRgb(0xff000000u | d->Color)));
}
