#include "ui/windows/form_line_gauges.h"

#include "device/gauge_identity.h"
#include "device/readings.h"
#include "device/tolm472.h"
#include "session/gauge_session.h"
#include "ui/dialogs/operator.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Column { Polled, Address, Plant, Model, Level, Distance, Free, Temp, Status, Link, Errors, LastAnswer, Count };

const char *const Captions[Count] = {"Опрос",       "Адрес",     "Зав. №", "Модель", "Уровень", "Расстояние",
                                     "Своб. пр-во", "Температура", "Состояние", "Связь", "Ошибки", "Последний ответ"};

// The readings a row shows, by column.
const std::pair<Column, TReadingKind> Shown[] = {{Level, TReadingKind::Level},
                                                 {Distance, TReadingKind::Distance},
                                                 {Free, TReadingKind::LevelFree},
                                                 {Temp, TReadingKind::Temp}};

QString linkText(int state)
{
    switch (state) {
    case 1:
        return QStringLiteral("есть");
    case 2:
        return QStringLiteral("потеряна");
    default:
        return QStringLiteral("—");
    }
}

} // namespace

TFormLineGauges::TFormLineGauges(TGaugeSession &session, Ttolm472 &model, TActions actions, QWidget *parent)
    : TSingleWindow(openWindow<TFormLineGauges>(), QStringLiteral("fLineGauges"), parent, Qt::Window)
    , m_session(session)
    , m_model(model)
    , m_actions(std::move(actions))
{
    setWindowTitle(QStringLiteral("Приборы на линии"));
    buildLayout();
    m_subscription = m_session.LineFeed().Subscribe([this](const TLineAnswer &answer) { take(answer); });
    Reload();
    resize(1180, 360);
    RestorePosition();
}

TFormLineGauges::~TFormLineGauges()
{
    Closing();
}

void TFormLineGauges::Closing()
{
    if (m_subscription)
        m_session.LineFeed().Unsubscribe(m_subscription);
    m_subscription = 0;
}

int TFormLineGauges::ShowLineGauges(TGaugeSession &session, Ttolm472 &model, TActions actions)
{
    const int shown = ShowSingle<TFormLineGauges>(session, model, std::move(actions));
    if (shown == 0)
        Instance()->Reload();
    return shown;
}

void TFormLineGauges::buildLayout()
{
    m_table = new QTableWidget(0, Count, this);
    m_table->setObjectName(QStringLiteral("grGauges"));
    QStringList captions;
    for (const char *caption : Captions)
        captions.append(QString::fromUtf8(caption));
    m_table->setHorizontalHeaderLabels(captions);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { MakeCurrent(row); });
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (!m_filling && item->column() == Polled)
            SetPolled(item->row(), item->checkState() == Qt::Checked);
    });

    const auto button = [this](const QString &caption, const char *name, auto action) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(button(QStringLiteral("Сделать текущим"), "btCurrent", [this] { MakeCurrent(m_table->currentRow()); }));
    buttons->addWidget(button(QStringLiteral("Добавить..."), "btAdd", [this] {
        bool confirmed = false;
        const int address = Operator().InputIntegerConfirmed(QStringLiteral("Введите"),
                                                             QStringLiteral("Адрес прибора [1, 255]"), 1, 255, 1,
                                                             confirmed);
        if (confirmed)
            AddAddress(address);
    }));
    buttons->addWidget(button(QStringLiteral("Удалить"), "btRemove", [this] { RemoveRow(m_table->currentRow()); }));
    buttons->addStretch();
    buttons->addWidget(button(QStringLiteral("Поиск приборов на линии"), "btScan", [this] {
        if (m_actions.Scan)
            m_actions.Scan();
    }));

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lbNote"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(m_note);
    layout->addLayout(buttons);
}

void TFormLineGauges::Reload()
{
    m_gauges = m_session.LineGauges();
    m_filling = true;
    m_table->setRowCount(int(m_gauges.size()));
    for (int row = 0; row < int(m_gauges.size()); ++row)
        showRow(row);
    m_filling = false;
    // Wide enough for the captions and for the values and times to come,
    // so a live update never moves the columns.
    m_table->resizeColumnsToContents();
    const QFontMetrics metrics(m_table->font());
    for (const auto &[column, kind] : Shown)
        m_table->setColumnWidth(column, std::max(m_table->columnWidth(column),
                                                 metrics.horizontalAdvance(QStringLiteral("-00000.000")) + 12));
    m_table->setColumnWidth(LastAnswer, std::max(m_table->columnWidth(LastAnswer),
                                                 metrics.horizontalAdvance(QStringLiteral("00.00.0000 00:00:00")) + 12));
    m_note->setText(m_gauges.empty() ? QStringLiteral("Нет приборов: найдите их поиском или добавьте по адресу")
                                     : QStringLiteral("Отмеченные приборы опрашиваются вместе с текущим"));
}

void TFormLineGauges::showRow(int row)
{
    const TLineGauge &gauge = m_gauges[size_t(row)];
    const auto live = m_live.find(gauge.Address);
    const bool current = gauge.Address == m_model.SystemAddress();
    const auto cell = [&](int column, const QString &text) {
        QTableWidgetItem *item = m_table->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            m_table->setItem(row, column, item);
        }
        item->setText(text);
        QFont font = item->font();
        font.setBold(current);
        item->setFont(font);
        return item;
    };
    const bool filling = m_filling;
    m_filling = true;
    QTableWidgetItem *polled = cell(Polled, QString());
    polled->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    polled->setCheckState(gauge.Polled ? Qt::Checked : Qt::Unchecked);
    cell(Address, QString::number(gauge.Address) + (current ? QStringLiteral(" (текущий)") : QString()));
    cell(Plant, gauge.PlantNumber ? QString::number(gauge.PlantNumber) : QStringLiteral("—"));
    cell(Model, ModelOfProgramType(gauge.ProgramType));
    for (const auto &[column, kind] : Shown) {
        QString text;
        if (live != m_live.end())
            if (const auto v = live->second.values.find(QString::fromLatin1(DescribeReading(kind).Name));
                v != live->second.values.end())
                text = v->second;
        cell(column, text);
    }
    const bool heard = live != m_live.end();
    cell(Status, heard ? live->second.status : QString());
    cell(Link, linkText(heard ? live->second.linkState : 0));
    cell(Errors, heard ? QString::number(live->second.errorCount) : QString());
    cell(LastAnswer, heard && live->second.lastAnswer.isValid()
                         ? live->second.lastAnswer.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))
                         : QString());
    m_filling = filling;
}

void TFormLineGauges::take(const TLineAnswer &answer)
{
    TLive &live = m_live[answer.address];
    live.linkState = answer.linkState;
    live.errorCount = answer.errorCount;
    live.status = answer.statusText;
    if (answer.accepted)
        live.lastAnswer = answer.stamp;
    for (const TArchivedValue &v : answer.values)
        live.values[v.name] = QString::number(v.value, 'f', v.digits);
    if (const int row = rowOf(answer.address); row >= 0)
        showRow(row);
}

int TFormLineGauges::rowOf(int address) const
{
    for (size_t row = 0; row < m_gauges.size(); ++row)
        if (m_gauges[row].Address == address)
            return int(row);
    return -1;
}

void TFormLineGauges::keep(const std::vector<TLineGauge> &gauges)
{
    if (!m_session.KeepLineGauges(gauges))
        Operator().Error(QStringLiteral("Не удалось записать файл ") + LineGaugesFileName(m_session.ProgramFolder()));
    Reload();
}

void TFormLineGauges::MakeCurrent(int row)
{
    if (row < 0 || row >= int(m_gauges.size()))
        return;
    const TLineGauge gauge = m_gauges[size_t(row)];
    m_model.SetSystemAddress(uint8_t(gauge.Address));
    if (gauge.PlantNumber)
        m_model.Config.SetPlantNumber(gauge.PlantNumber);
    Reload();
    if (m_actions.CurrentChanged)
        m_actions.CurrentChanged();
}

void TFormLineGauges::SetPolled(int row, bool polled)
{
    if (row < 0 || row >= int(m_gauges.size()))
        return;
    std::vector<TLineGauge> gauges = m_gauges;
    gauges[size_t(row)].Polled = polled;
    keep(gauges);
}

void TFormLineGauges::AddAddress(int address)
{
    if (address < 1 || address > 255 || rowOf(address) >= 0)
        return;
    std::vector<TLineGauge> gauges = m_gauges;
    TLineGauge gauge;
    gauge.Address = address;
    MergeLineGauge(gauges, gauge);
    keep(gauges);
}

void TFormLineGauges::RemoveRow(int row)
{
    if (row < 0 || row >= int(m_gauges.size()))
        return;
    std::vector<TLineGauge> gauges = m_gauges;
    gauges.erase(gauges.begin() + row);
    keep(gauges);
}
