#include "ui/windows/form_register.h"

#include "app/text_file.h"
#include "register/register_outbox.h"
#include "register/register_reading.h"
#include "register/register_sync.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const char *const RegisterColumns[] = {"Время", "Зав. №", "Вид", "Стенд", "Итог"};

QString timeText(const TRegisterRecord &r)
{
    return r.Time.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

QString number(const QJsonValue &value, int decimals)
{
    return QString::number(value.toDouble(), 'f', decimals);
}

QStringList testRunLines(const QJsonObject &details)
{
    QStringList lines = {QStringLiteral("№ ППМ: ") + details.value(QStringLiteral("ppm")).toString(),
                         QStringLiteral("№ Н/З: ") + details.value(QStringLiteral("nnz")).toString(),
                         QStringLiteral("№  Рулетка  Уровень     d Уровень  Ток    Изм.Ток  d Ток")};
    for (const QJsonValue &each : details.value(QStringLiteral("points")).toArray()) {
        const QJsonObject p = each.toObject();
        lines.append(QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8")
                         .arg(p.value(QStringLiteral("point")).toInt())
                         .arg(number(p.value(QStringLiteral("tape")), 0), 7)
                         .arg(number(p.value(QStringLiteral("level")), 3), 10)
                         .arg(number(p.value(QStringLiteral("levelError")), 3), 9)
                         .arg(number(p.value(QStringLiteral("current")), 2), 5)
                         .arg(number(p.value(QStringLiteral("currentMeasured")), 2), 7)
                         .arg(number(p.value(QStringLiteral("currentError")), 3), 6)
                         .arg(p.value(QStringLiteral("passed")).toBool() ? QStringLiteral("годен")
                                                                         : QStringLiteral("не годен")));
    }
    return lines;
}

QStringList calibrationLines(const QJsonObject &details)
{
    QStringList lines = {
        QStringLiteral("Крутизна: была ") + number(details.value(QStringLiteral("krPerBefore")), 5) +
            QStringLiteral(", записана ") + number(details.value(QStringLiteral("krPer")), 5),
        QStringLiteral("Смещение нуля: было ") + number(details.value(QStringLiteral("smPerBefore")), 2) +
            QStringLiteral(", записано ") + number(details.value(QStringLiteral("smPer")), 2),
        details.value(QStringLiteral("written")).toBool() ? QStringLiteral("Записано в прибор")
                                                          : QStringLiteral("Запись в прибор не удалась"),
        QStringLiteral("№  Необходимо, мм  Измерено, мм  Разница, мм")};
    for (const QJsonValue &each : details.value(QStringLiteral("points")).toArray()) {
        const QJsonObject p = each.toObject();
        lines.append(QStringLiteral("%1  %2  %3  %4")
                         .arg(p.value(QStringLiteral("point")).toInt())
                         .arg(number(p.value(QStringLiteral("set")), 1), 14)
                         .arg(number(p.value(QStringLiteral("measured")), 1), 12)
                         .arg(p.contains(QStringLiteral("error")) ? number(p.value(QStringLiteral("error")), 1)
                                                                  : QStringLiteral("—"),
                              11));
    }
    return lines;
}

QStringList recordLines(const TRegisterRecord &r)
{
    QStringList lines = {
        RecordKindTitle(r.Kind) + QStringLiteral(", ") + timeText(r) + QStringLiteral(" (") + RecordTimeText(r.Time) +
            QLatin1Char(')'),
        QStringLiteral("Заводской номер: ") + QString::number(r.Plant),
        QStringLiteral("Модель: ") + r.Model + QStringLiteral(", тип программы ") + QString::number(r.ProgramType),
        QStringLiteral("Аппаратная версия: ") + QString::number(r.HardVersion) +
            QStringLiteral(", программная версия: ") + QString::number(r.SoftVersion),
        QStringLiteral("Стенд: ") + r.Bench + QStringLiteral(", оператор: ") + r.User +
            QStringLiteral(", программа ") + r.ProgramVersion,
        QStringLiteral("Итог: ") + r.Summary,
        QStringLiteral("Документ: ") + (r.DocumentName.isEmpty() ? QStringLiteral("нет") : r.DocumentName),
        QString(),
    };
    switch (r.Kind) {
    case TRecordKind::TestRun:
        return lines + testRunLines(r.Details);
    case TRecordKind::Calibration:
        return lines + calibrationLines(r.Details);
    case TRecordKind::Configuration:
        // The parameter set as the file holds it.
        return lines + FromCp1251(r.Document).split(QStringLiteral("\r\n"));
    case TRecordKind::Bundle:
        return lines + QStringList{QStringLiteral("Размер: ") +
                                   QString::number(r.Details.value(QStringLiteral("size")).toInteger()) +
                                   QStringLiteral(" байт")};
    }
    return lines;
}

} // namespace

TFormRegister::TFormRegister(const TRegisterPlace &place, TRegisterOutbox *outbox, int plant, TCompare compare,
                             QWidget *parent)
    : TSingleWindow(openWindow<TFormRegister>(), QStringLiteral("fRegister"), parent, Qt::Window)
    , m_place(place)
    , m_outbox(outbox)
    , m_compare(std::move(compare))
{
    m_pool.setMaxThreadCount(1);
    setWindowTitle(QStringLiteral("Журнал приборов"));
    buildLayout();
    if (plant >= 0)
        m_plant->setText(QString::number(plant));
    if (m_outbox)
        connect(m_outbox, &TRegisterOutbox::StatusChanged, this, &TFormRegister::showOutbox);
    showOutbox();
    resize(960, 600);
    RestorePosition();
    Search();
}

TFormRegister::~TFormRegister()
{
    m_pool.waitForDone();
}

int TFormRegister::ShowRegister(const TRegisterPlace &place, TRegisterOutbox *outbox, int plant, TCompare compare)
{
    const bool open = Instance() != nullptr;
    const int shown = ShowSingle<TFormRegister>(place, outbox, plant, std::move(compare));
    // Opened again with the gauge of the line: its records at once.
    if (shown == 0 && open && plant >= 0) {
        Instance()->m_plant->setText(QString::number(plant));
        Instance()->Search();
    }
    return shown;
}

void TFormRegister::buildLayout()
{
    m_plant = new QLineEdit(this);
    m_plant->setObjectName(QStringLiteral("edPlant"));
    m_plant->setValidator(new QIntValidator(0, 65535, m_plant));
    m_plant->setPlaceholderText(QStringLiteral("все"));
    m_period = new QCheckBox(QStringLiteral("с"), this);
    m_from = new QDateEdit(QDate::currentDate().addMonths(-1), this);
    m_to = new QDateEdit(QDate::currentDate(), this);
    for (QDateEdit *edit : {m_from, m_to}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    }
    m_kind = new QComboBox(this);
    m_kind->addItem(QStringLiteral("Все"));
    for (TRecordKind kind : {TRecordKind::TestRun, TRecordKind::Calibration, TRecordKind::Configuration,
                             TRecordKind::Bundle})
        m_kind->addItem(RecordKindTitle(kind), RecordKindName(kind));
    auto *find = new QPushButton(QStringLiteral("Найти"), this);
    find->setDefault(true);
    connect(find, &QPushButton::clicked, this, &TFormRegister::Search);
    connect(m_plant, &QLineEdit::returnPressed, this, &TFormRegister::Search);

    auto *search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("Заводской номер"), this));
    search->addWidget(m_plant);
    search->addSpacing(12);
    search->addWidget(m_period);
    search->addWidget(m_from);
    search->addWidget(new QLabel(QStringLiteral("по"), this));
    search->addWidget(m_to);
    search->addSpacing(12);
    search->addWidget(new QLabel(QStringLiteral("Вид"), this));
    search->addWidget(m_kind);
    search->addStretch();
    search->addWidget(find);

    m_list = new QTableWidget(0, int(std::size(RegisterColumns)), this);
    m_list->setObjectName(QStringLiteral("grRecords"));
    QStringList captions;
    for (const char *caption : RegisterColumns)
        captions.append(QString::fromUtf8(caption));
    m_list->setHorizontalHeaderLabels(captions);
    m_list->verticalHeader()->hide();
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->horizontalHeader()->setStretchLastSection(true);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &TFormRegister::showDetails);

    m_details = new QPlainTextEdit(this);
    m_details->setObjectName(QStringLiteral("mmDetails"));
    m_details->setReadOnly(true);
    m_details->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::Monospace);
    m_details->setFont(fixed);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_list);
    split->addWidget(m_details);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);

    m_open = new QPushButton(QStringLiteral("Открыть протокол"), this);
    m_open->setObjectName(QStringLiteral("btnOpen"));
    m_compareButton = new QPushButton(QStringLiteral("Сравнить с прибором"), this);
    m_compareButton->setObjectName(QStringLiteral("btnCompare"));
    connect(m_open, &QPushButton::clicked, this, &TFormRegister::openProtocol);
    connect(m_compareButton, &QPushButton::clicked, this, &TFormRegister::compareWithGauge);
    m_source = new QLabel(this);
    m_outboxLabel = new QLabel(this);
    m_outboxLabel->setObjectName(QStringLiteral("lblOutbox"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_open);
    bottom->addWidget(m_compareButton);
    bottom->addSpacing(12);
    bottom->addWidget(m_source, 1);
    bottom->addWidget(m_outboxLabel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(split, 1);
    layout->addLayout(bottom);
    showDetails();
}

TRegisterFilter TFormRegister::Filter() const
{
    TRegisterFilter filter;
    bool number = false;
    const int plant = m_plant->text().trimmed().toInt(&number);
    if (number)
        filter.Plant = plant;
    if (m_period->isChecked()) {
        filter.From = m_from->date();
        filter.To = m_to->date();
    }
    if (m_kind->currentIndex() > 0)
        filter.Kind = RecordKindFromName(m_kind->currentData().toString());
    // A screen shows no more; a plant number's history is far shorter.
    filter.Limit = 1000;
    return filter;
}

void TFormRegister::Search()
{
    ++m_pending;
    m_source->setText(QStringLiteral("Поиск…"));
    m_pool.start([this, place = m_place, filter = Filter()] {
        TRegisterStore store;
        QString note, error;
        QList<TRegisterRecord> records;
        if (OpenRegisterForReading(place, store, note, error))
            records = store.Find(filter, error);
        const bool server = store.IsOpen() && store.Dialect() == TRegisterDialect::Server;
        QMetaObject::invokeMethod(this, [this, records, note, error, server] {
            m_fromServer = server;
            showRecords(records, note, error);
        });
    });
}

void TFormRegister::showRecords(const QList<TRegisterRecord> &records, const QString &note, const QString &error)
{
    --m_pending;
    m_records = records;
    m_list->setRowCount(0);
    m_list->setRowCount(int(records.size()));
    for (int row = 0; row < int(records.size()); ++row) {
        const TRegisterRecord &r = records[row];
        const QString cells[] = {timeText(r), QString::number(r.Plant), RecordKindTitle(r.Kind), r.Bench, r.Summary};
        for (int column = 0; column < int(std::size(cells)); ++column)
            m_list->setItem(row, column, new QTableWidgetItem(cells[column]));
        if (r.Passed && !*r.Passed)
            m_list->item(row, 4)->setForeground(Qt::red);
    }
    m_list->resizeColumnsToContents();
    if (!records.isEmpty())
        m_list->selectRow(0);
    QString source = m_fromServer ? QStringLiteral("Сервер: ") + m_place.Settings.Server.Describe()
                                  : QStringLiteral("Журнал стенда");
    source += QStringLiteral(", записей: ") + QString::number(records.size());
    if (!note.isEmpty())
        source = note;
    if (!error.isEmpty())
        source = error;
    m_source->setText(source);
    m_source->setToolTip(source);
    showDetails();
    emit Searched();
}

const TRegisterRecord *TFormRegister::selected() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < int(m_records.size()) && m_list->item(row, 0)->isSelected() ? &m_records[row] : nullptr;
}

void TFormRegister::showDetails()
{
    const TRegisterRecord *r = selected();
    m_open->setEnabled(r && !r->DocumentName.isEmpty() && r->Kind != TRecordKind::Bundle);
    m_compareButton->setEnabled(r && r->Kind == TRecordKind::Configuration && m_compare);
    if (!r) {
        m_details->clear();
        return;
    }
    // A configuration's file is shown from the record with its document.
    if (r->Kind == TRecordKind::Configuration && r->Document.isEmpty()) {
        m_details->setPlainText(recordLines(*r).join(QLatin1Char('\n')));
        const qint64 id = r->Id;
        withDocument([this, id](const QString &) {
            const TRegisterRecord *now = selected();
            if (now && now->Id == id)
                m_details->setPlainText(recordLines(*now).join(QLatin1Char('\n')));
        });
        return;
    }
    m_details->setPlainText(recordLines(*r).join(QLatin1Char('\n')));
}

QString TFormRegister::Details() const
{
    return m_details->toPlainText();
}

void TFormRegister::withDocument(std::function<void(const QString &path)> use)
{
    const TRegisterRecord *r = selected();
    if (!r)
        return;
    ++m_pending;
    const qint64 id = r->Id;
    const bool server = m_fromServer;
    m_pool.start([this, place = m_place, id, server, use = std::move(use)] {
        TRegisterStore store;
        QString error;
        const bool open = server ? store.OpenServer(place.Settings.Server, RegisterConnectSeconds, error)
                                 : store.OpenLocal(place.LocalFile, error);
        const std::optional<TRegisterRecord> loaded = open ? store.Load(id, error) : std::nullopt;
        QMetaObject::invokeMethod(this, [this, loaded, error, use] {
            --m_pending;
            if (!loaded) {
                m_source->setText(error.isEmpty() ? QStringLiteral("Запись не найдена") : error);
                return;
            }
            for (TRegisterRecord &r : m_records)
                if (r.Id == loaded->Id)
                    r.Document = loaded->Document;
            const QString path = m_scratch.filePath(QString::number(loaded->Id) + QLatin1Char('_') +
                                                    QFileInfo(loaded->DocumentName).fileName());
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(loaded->Document) != loaded->Document.size()) {
                m_source->setText(QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(path));
                return;
            }
            file.close();
            use(path);
            emit DocumentReady(path);
        });
    });
}

void TFormRegister::openProtocol()
{
    withDocument([](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
}

void TFormRegister::compareWithGauge()
{
    withDocument([this](const QString &path) {
        if (!m_compare(path))
            m_source->setText(QStringLiteral("Прибор занят другой командой"));
    });
}

void TFormRegister::showOutbox()
{
    m_outboxLabel->setText(OutboxText());
}

QString TFormRegister::OutboxText() const
{
    if (!m_place.Settings.Server.Configured())
        return QStringLiteral("Сервер не указан: записи хранятся на стенде");
    if (!m_outbox)
        return {};
    const TOutboxStatus status = m_outbox->Status();
    if (!status.Checked.isValid())
        return QStringLiteral("Связь с сервером проверяется");
    if (status.Waiting == 0 && status.Error.isEmpty())
        return QStringLiteral("Все записи на сервере");
    QString text = QStringLiteral("Ждут отправки на сервер: ") + QString::number(status.Waiting);
    if (!status.Error.isEmpty())
        text += QStringLiteral("; ") + status.Error.section(QLatin1Char('\n'), 0, 0);
    return text;
}
