#include "ui/dialogs/form_input_index_from_list.h"

#include "app/text_file.h"

#include <algorithm>

namespace {

constexpr int MinimumListWidth = 145;

} // namespace

TFormInputIndexFromList::TFormInputIndexFromList(const QString &title, const QString &label, int index,
                                                 const QString &listFile, QWidget *parent)
    : TFormInputValue(title, label, parent)
    , cmbValue(new QComboBox(this))
    , m_index(index)
{
    cmbValue->setObjectName(QStringLiteral("cmbValue"));
    QStringList items;
    if (ReadTextLines(listFile, items))
        cmbValue->addItems(items);
    cmbValue->setCurrentIndex(index >= 0 && index < cmbValue->count() ? index : -1);
    ArrangeBelow(cmbValue, std::max(MinimumListWidth, cmbValue->sizeHint().width()));
    cmbValue->setFocus();
}
