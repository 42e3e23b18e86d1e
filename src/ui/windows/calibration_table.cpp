#include "ui/windows/calibration_table.h"

#include "device/tolm472.h"
#include "ui/dialogs/operator.h"
#include "ui/main/main_services.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>
#include <functional>

namespace {

// The slope and offset of a gauge fresh from assembly.
constexpr double FactorySlope = 146.243;
constexpr double FactoryOffset = 0;

constexpr int SetColumn = 1;
constexpr int MeasuredColumn = 2;

int shownPoints(const Ttolm472 &model)
{
    return std::clamp<int>(model.CalibrMode(), 0, int(std::tuple_size_v<decltype(model.Calibration.Points)>));
}

QString fixed(double value, int decimals)
{
    return FloatToStrF(value, TDescriptionOfDouble::ffFixed, 15, decimals);
}

// The operator may type either separator: the first point and the first
// comma both become the locale's.
QString withLocaleSeparator(QString text)
{
    const QString separator = QLocale().decimalPoint();
    for (QChar typed : {QLatin1Char('.'), QLatin1Char(',')}) {
        const qsizetype at = text.indexOf(typed);
        if (at >= 0)
            text.replace(at, 1, separator);
    }
    return text;
}

QPushButton *button(const char *name, const QString &text, QWidget *parent, std::function<void()> onClick)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    QObject::connect(b, &QPushButton::clicked, b, std::move(onClick));
    return b;
}

} // namespace

TCalibrationTable::TCalibrationTable(Ttolm472 &model, TMainServices &services, QWidget *parent)
    : QWidget(parent), m_model(model), m_services(services), m_grid(new QTableWidget(0, 3, this))
{
    m_grid->setObjectName(QStringLiteral("sgCalibration"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Установленное"), QStringLiteral("Измеренное")});
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_grid, &QTableWidget::itemChanged, this, &TCalibrationTable::edited);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid, 0, 0, 5, 1);
    layout->addWidget(button("btnCalibr2", QStringLiteral("2 Точки"), this,
                             [this] { choosePoints(2, QStringLiteral("Установить калибровку по двум точкам?")); }),
                      0, 1);
    layout->addWidget(button("btnCalibr5", QStringLiteral("5 Точек"), this,
                             [this] { choosePoints(5, QStringLiteral("Установить калибровку по пяти точкам?")); }),
                      1, 1);
    QPushButton *erase = button("btnCalibrErase", QStringLiteral("Стереть"), this, [this] { this->erase(); });
    erase->setToolTip(QStringLiteral("Крутизна=146,243; Смещение=0;"));
    layout->addWidget(erase, 2, 1);
    layout->addWidget(button("btnCalibrCompute", QStringLiteral("Вычислить"), this, [this] { compute(); }), 3, 1);
    layout->addWidget(button("btnCalibrChange", QStringLiteral("Изменить"), this,
                             [this] { m_services.ExecuteAction(QStringLiteral("actKalibrShow")); }),
                      4, 1);
    auto *freeSpace = new QHBoxLayout;
    freeSpace->addWidget(new QLabel(QStringLiteral("Свободное пространство, мм"), this));
    freeSpace->addWidget(button("btnCalibrSet", QStringLiteral("Установить"), this, [this] { capture(); }));
    freeSpace->addStretch();
    layout->addLayout(freeSpace, 5, 0, 1, 2);
    layout->setRowStretch(4, 1);
    Redraw();
}

int TCalibrationTable::CurrentPoint(const Ttolm472 &model)
{
    const double free = model.Readings.LevelFree.AsDouble();
    for (int n = 1; n <= shownPoints(model); ++n) {
        const double set = model.Calibration.Points[size_t(n - 1)].Set;
        if (set - model.Calibration.Gate <= free && free <= set + model.Calibration.Gate)
            return n;
    }
    return 0;
}

void TCalibrationTable::Redraw()
{
    // Filling the cells is not an edit.
    const QSignalBlocker quiet(m_grid);
    const int points = shownPoints(m_model);
    if (m_grid->rowCount() != points)
        m_grid->setRowCount(points);
    const int current = CurrentPoint(m_model);
    for (int n = 1; n <= points; ++n) {
        const TCalibrPoint &point = m_model.Calibration.Points[size_t(n - 1)];
        const QString texts[] = {QString::number(n), fixed(point.Set, 0), fixed(point.Measured, 1)};
        for (int c = 0; c < 3; ++c) {
            QTableWidgetItem *item = m_grid->item(n - 1, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                if (c == 0)
                    item->setFlags(Qt::ItemIsEnabled);
                m_grid->setItem(n - 1, c, item);
            }
            if (item->text() != texts[c])
                item->setText(texts[c]);
            if (item->font().bold() != (n == current)) {
                QFont font = item->font();
                font.setBold(n == current);
                item->setFont(font);
            }
        }
    }
    int height = m_grid->horizontalHeader()->sizeHint().height() + 2 * m_grid->frameWidth();
    for (int r = 0; r < points; ++r)
        height += m_grid->rowHeight(r);
    m_grid->setFixedHeight(height);
}

void TCalibrationTable::edited(QTableWidgetItem *item)
{
    if (item->column() != SetColumn && item->column() != MeasuredColumn)
        return;
    {
        const QSignalBlocker quiet(m_grid);
        item->setText(withLocaleSeparator(item->text()));
    }
    // Every row goes back into the model; a cell that is no number leaves
    // its value as it was.
    const QLocale locale;
    for (int r = 0; r < m_grid->rowCount() && r < shownPoints(m_model); ++r) {
        TCalibrPoint &point = m_model.Calibration.Points[size_t(r)];
        for (auto [column, value] : {std::pair{SetColumn, &point.Set}, std::pair{MeasuredColumn, &point.Measured}}) {
            bool ok = false;
            const QTableWidgetItem *cell = m_grid->item(r, column);
            const double parsed = cell ? locale.toDouble(cell->text(), &ok) : 0;
            if (ok)
                *value = parsed;
        }
    }
    Redraw();
}

void TCalibrationTable::capture()
{
    const int point = CurrentPoint(m_model);
    if (point < 1 || point > shownPoints(m_model))
        return;
    m_model.Calibration.Points[size_t(point - 1)].Measured = m_model.Readings.LevelFree.AsDouble();
    Redraw();
}

void TCalibrationTable::choosePoints(int points, const QString &question)
{
    if (!Operator().Question(question, true))
        return;
    m_model.SetCalibrMode(points);
    Redraw();
}

void TCalibrationTable::erase()
{
    m_model.Config.SetKrPer(FactorySlope);
    m_model.Config.SetSmPer(FactoryOffset);
    m_services.UpdateAllViews();
}

void TCalibrationTable::compute()
{
    m_model.Calibration.KrPerRef = m_model.Config.KrPer();
    m_model.Calibration.SmPerRef = m_model.Config.SmPer();
    m_model.ComputeCalibration();
    m_services.UpdateAllViews();
}
