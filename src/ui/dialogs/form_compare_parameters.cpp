#include "ui/dialogs/form_compare_parameters.h"

#include "device/parameter_table.h"
#include "session/procedures/gauge_configuration.h"
#include "ui/windows/bad_zone_grid.h"
#include "ui/windows/parameter_texts.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The parameter as the parameters window names it: its label with its
// unit, a bad zone's value as the zones' grid does, else its change
// action's caption ("Тип прибора"), else what its read action reads
// ("Вариант п/п обработки данных"). The property name the files and the
// command-line tool use is the cell's tool tip.
QString parameterText(const TParameter &parameter)
{
    const TParameterTexts &texts = ParameterTexts(parameter);
    if (texts.View.Label)
        return ViewLabel(parameter);
    if (const QString zone = BadZoneValueCaption(parameter); !zone.isEmpty())
        return zone;
    if (texts.Change.Caption)
        return QString::fromUtf8(texts.Change.Caption);
    const QString read = QString::fromUtf8(texts.ReadCaption ? texts.ReadCaption : "");
    const QString prefix = QStringLiteral("Считать ");
    if (read.startsWith(prefix) && read.size() > prefix.size())
        return read.at(prefix.size()).toUpper() + read.mid(prefix.size() + 1);
    return QString::fromLatin1(parameter.Name);
}

// In the workstation's locale (decimal comma); "—" for a value not known.
QString valueText(const TParameter &parameter, const std::optional<double> &value)
{
    if (!value)
        return QStringLiteral("—");
    if (parameter.Type != TParameterType::Float)
        return QString::number(qRound64(*value));
    return QLocale().toString(*value, 'g', 9);
}

QTableWidgetItem *comparedCell(const QString &text, bool differs)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (differs) {
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
        item->setBackground(QColor(255, 224, 224));
    }
    return item;
}

} // namespace

TFormCompareParameters::TFormCompareParameters(const TConfigurationComparison &comparison, const QString &fileName,
                                               QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Сравнение с прибором"));
    auto *file = new QLabel(QStringLiteral("Файл: ") + QDir::toNativeSeparators(fileName), this);
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);

    grdParameters = new QTableWidget(int(comparison.Rows.size()), 3, this);
    grdParameters->setHorizontalHeaderLabels(
        {QStringLiteral("Параметр"), QStringLiteral("В файле"), QStringLiteral("В приборе")});
    grdParameters->verticalHeader()->hide();
    grdParameters->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    grdParameters->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < int(comparison.Rows.size()); ++row) {
        const TConfigurationDifference &difference = comparison.Rows[row];
        const TParameter &parameter = *difference.Parameter;
        grdParameters->setItem(row, 0, comparedCell(parameterText(parameter), difference.Differs));
        grdParameters->item(row, 0)->setToolTip(QString::fromLatin1(parameter.Name));
        grdParameters->setItem(row, 1, comparedCell(valueText(parameter, difference.InFile), difference.Differs));
        grdParameters->setItem(row, 2, comparedCell(valueText(parameter, difference.InGauge), difference.Differs));
    }
    grdParameters->resizeColumnsToContents();
    grdParameters->horizontalHeader()->setStretchLastSection(true);

    lblSummary = new QLabel(QStringLiteral("Отличается параметров: ") + QString::number(comparison.Differing()) +
                                QStringLiteral(" из ") + QString::number(int(comparison.Rows.size())),
                            this);
    btnWrite = new QPushButton(QStringLiteral("Записать в прибор"), this);
    btnWrite->setEnabled(comparison.Differing() > 0);
    auto *close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setDefault(true);
    connect(btnWrite, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblSummary, 1);
    buttons->addWidget(btnWrite);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(grdParameters, 1);
    layout->addLayout(buttons);

    const int width = grdParameters->horizontalHeader()->length() + 60;
    resize(qMax(width, 560), 520);
}
