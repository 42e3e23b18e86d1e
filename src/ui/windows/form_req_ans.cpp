#include "ui/windows/form_req_ans.h"

#include "protocol/frame.h"
#include "link/line.h"
#include "link/port_enums.h"
#include "link/request_cycle.h"
#include "ui/widgets/elided_label.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <QAction>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <mutex>

namespace {

const QString kReqAnsSection = QStringLiteral("FormReqAns");

QLabel *ValueLabel(const char *name, QWidget *parent, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A frame can be up to 140 bytes; the box keeps the window's size and
// scrolls instead.
QPlainTextEdit *FrameBox(const char *name, QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WordWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const QFontMetrics metrics(box->font());
    box->setFixedSize(metrics.horizontalAdvance(QLatin1Char('0')) * 3 * 16 + 24, metrics.lineSpacing() * 3 + 12);
    return box;
}

QString Percent(double value)
{
    return FloatToStrF(value, TDescriptionOfDouble::ffNumber, 9, 1);
}

QString OutageText(const TLineOutage &outage)
{
    if (!outage.LostAt.isValid())
        return {};
    const QString format = QStringLiteral("dd.MM.yyyy hh:mm:ss");
    QString text = QStringLiteral("Связь с портом потеряна: ") + outage.LostAt.toString(format);
    if (outage.BackAt.isValid())
        text += QStringLiteral("\nПорт снова открыт: ") + outage.BackAt.toString(format);
    return text;
}

} // namespace

TExchangeStatistics &ExchangeStatistics()
{
    static TExchangeStatistics statistics;
    return statistics;
}

// The bridge from the thread of an exchange to the window: the line keeps
// the handler (and so this) for as long as it likes; the window is reached
// only while it exists, and never while it is being destroyed.
struct TFormReqAns::TRelay {
    std::mutex mutex;
    TFormReqAns *window = nullptr;
};

TFormReqAns::TFormReqAns(TLine &line, const TRequestCycle &cycle, QWidget *parent)
    : TSingleWindow(openWindow<TFormReqAns>(), kReqAnsSection, parent,
                    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      actStatClear(new QAction(QStringLiteral("Сброс"), this)), m_line(line), m_cycle(cycle),
      m_relay(std::make_shared<TRelay>())
{
    setWindowTitle(QStringLiteral("Связь"));
    actStatClear->setObjectName(QStringLiteral("actStatClear"));
    actStatClear->setToolTip(QStringLiteral("Сброс статистики"));
    connect(actStatClear, &QAction::triggered, this, &TFormReqAns::actStatClearExecute);
    buildLayout();
    setFixedSize(sizeHint());

    RestorePosition();
    m_request->clear();
    m_answer->clear();
    UpdateView();
    attach();
}

TFormReqAns::~TFormReqAns()
{
    detach();
}

void TFormReqAns::buildLayout()
{
    auto *port = new QGroupBox(QStringLiteral("Параметры СОМ порта"), this);
    auto *portRows = new QFormLayout(port);
    m_port = new TElidedLabel(port);
    m_port->setObjectName(QStringLiteral("lblPort"));
    m_baudRate = ValueLabel("lblBaudRate", port);
    m_dataBits = ValueLabel("lblDataBits", port);
    m_stopBits = ValueLabel("lblStopBits", port);
    m_parity = ValueLabel("lblParity", port);
    m_flowControl = ValueLabel("lblFlowControl", port);
    portRows->addRow(QStringLiteral("СОМ порт:"), m_port);
    portRows->addRow(QStringLiteral("Скорость:"), m_baudRate);
    portRows->addRow(QStringLiteral("Кол-во бит данных:"), m_dataBits);
    portRows->addRow(QStringLiteral("Стоп бит:"), m_stopBits);
    portRows->addRow(QStringLiteral("Бит четности:"), m_parity);
    portRows->addRow(QStringLiteral("Контроль четности:"), m_flowControl);

    auto *statistics = new QGroupBox(QStringLiteral("Статистика"), this);
    auto *grid = new QGridLayout(statistics);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    m_requests = ValueLabel("lblRequests", statistics, right);
    m_requestsPercent = ValueLabel("lblRequestsPercent", statistics, right);
    m_answers = ValueLabel("lblAnswers", statistics, right);
    m_answersPercent = ValueLabel("lblAnswersPercent", statistics, right);
    for (QLabel *value : {m_requests, m_requestsPercent, m_answers, m_answersPercent})
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    auto *pieces = new QLabel(QStringLiteral("шт"), statistics);
    auto *percent = new QLabel(QStringLiteral("%"), statistics);
    pieces->setAlignment(right);
    percent->setAlignment(right);
    grid->addWidget(pieces, 0, 1);
    grid->addWidget(percent, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Запросов"), statistics), 1, 0);
    grid->addWidget(m_requests, 1, 1);
    grid->addWidget(m_requestsPercent, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Ответов"), statistics), 2, 0);
    grid->addWidget(m_answers, 2, 1);
    grid->addWidget(m_answersPercent, 2, 2);
    auto *reset = new QToolButton(statistics);
    reset->setObjectName(QStringLiteral("btnStatClear"));
    reset->setDefaultAction(actStatClear);
    reset->setToolButtonStyle(Qt::ToolButtonTextOnly);
    reset->setMinimumWidth(75);
    grid->addWidget(reset, 3, 0, 1, 3, Qt::AlignRight);
    grid->setRowStretch(4, 1);

    auto *protocol = new QGroupBox(QStringLiteral("Протокол"), this);
    auto *frames = new QGridLayout(protocol);
    m_request = FrameBox("memRequest", protocol);
    m_answer = FrameBox("memAnswer", protocol);
    frames->addWidget(new QLabel(QStringLiteral("Запрос"), protocol), 0, 0, Qt::AlignTop);
    frames->addWidget(m_request, 0, 1);
    frames->addWidget(new QLabel(QStringLiteral("Ответ"), protocol), 1, 0, Qt::AlignTop);
    frames->addWidget(m_answer, 1, 1);

    m_outage = ValueLabel("lblPortOutage", this);
    m_outage->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(port, 1);
    top->addWidget(statistics);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(protocol);
    layout->addWidget(m_outage);
}

void TFormReqAns::attach()
{
    {
        const std::lock_guard lock(m_relay->mutex);
        m_relay->window = this;
    }
    std::shared_ptr<TRelay> relay = m_relay;
    m_line.SetOnExchange([relay](TLine *, const QByteArray &request, bool answered, const QByteArray &answer) {
        const std::lock_guard lock(relay->mutex);
        if (!relay->window)
            return;
        TFormReqAns *window = relay->window;
        // Queued even from the user-interface thread itself: one queue keeps
        // the order of the exchanges whichever thread made them.
        QMetaObject::invokeMethod(
            window, [window, request, answered, answer] { window->onExchange(request, answered, answer); },
            Qt::QueuedConnection);
    });
    m_line.SetOnOutage([relay](TLine *) {
        const std::lock_guard lock(relay->mutex);
        if (TFormReqAns *window = relay->window)
            QMetaObject::invokeMethod(window, [window] { window->showOutage(); }, Qt::QueuedConnection);
    });
}

void TFormReqAns::detach()
{
    bool attached = false;
    {
        const std::lock_guard lock(m_relay->mutex);
        attached = m_relay->window != nullptr;
        m_relay->window = nullptr;
    }
    if (attached) {
        m_line.SetOnExchange({});
        m_line.SetOnOutage({});
    }
}

void TFormReqAns::UpdateView()
{
    const TPortParameters present = m_line.PresentParameters();
    m_port->SetFullText(m_line.PortName());
    m_baudRate->setText(BaudRateToText(present.BaudRate));
    m_dataBits->setText(DataBitsToText(present.DataBits));
    m_stopBits->setText(StopBitsToText(present.StopBits));
    m_parity->setText(ParityToText(present.Parity));
    m_flowControl->setText(FlowControlToText(present.FlowControl));
    showStatistics();
    showOutage();
}

void TFormReqAns::showOutage()
{
    const QString text = OutageText(m_line.Outage());
    if (text == m_outage->text())
        return;
    m_outage->setText(text);
    m_outage->setVisible(!text.isEmpty());
    layout()->activate();
    setFixedSize(sizeHint());
}

void TFormReqAns::showStatistics()
{
    const TExchangeStatistics &s = ExchangeStatistics();
    m_requests->setText(QString::number(s.Requests));
    m_answers->setText(QString::number(s.Answers));
    const double requests = s.Requests;
    m_requestsPercent->setText(Percent(s.Requests ? 100.0 : 0.0));
    m_answersPercent->setText(Percent(s.Requests ? s.Answers * 100.0 / requests : 0.0));
}

QString TFormReqAns::render(const QByteArray &frame) const
{
    return RenderFrame(frame, m_cycle.LogRadix.load(), false);
}

void TFormReqAns::onExchange(const QByteArray &request, bool answered, const QByteArray &answer)
{
    TExchangeStatistics &s = ExchangeStatistics();
    ++s.Requests;
    if (answered)
        ++s.Answers;
    m_request->setPlainText(render(request));
    m_answer->setPlainText(answer.isEmpty() ? QStringLiteral("Нет ответа") : render(answer));
    UpdateView();
}

void TFormReqAns::actStatClearExecute()
{
    ExchangeStatistics() = {};
    m_request->clear();
    m_answer->clear();
    UpdateView();
}

void TFormReqAns::Closing()
{
    detach();
}
