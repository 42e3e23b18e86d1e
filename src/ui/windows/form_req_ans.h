#pragma once
// "Связь": the line as the operator watches it. The port's present settings,
// the last request as sent and its answer, and how many requests were sent
// and answered since the last "Сброс". It is the line's OnExchange listener
// while it is open, so it sees every exchange, polled or commanded.
// When the port was lost (its adapter pulled out) a line at the bottom says
// since when, and once it is open again, since when that is so; the window
// grows by that line only then.
//
// Exchanges of a polling pass happen in the request thread; their
// notifications are queued to the user-interface thread and handled there
// in the order of the exchanges. Exchanges made by operator commands in the
// user-interface thread take the same queue, so the order holds across both.

#include "ui/main/main_services.h"
#include "ui/windows/single_window.h"

#include <QWidget>

#include <cstdint>
#include <memory>

class QAction;
class QLabel;
class QPlainTextEdit;
class TLine;
class TRequestCycle;
class TElidedLabel;

// The window's two counters. They start at 0 with the program and outlive
// the window; exchanges made while it is closed are not counted.
struct TExchangeStatistics {
    int32_t Requests = 0;
    int32_t Answers = 0; // requests whose answer was not empty
};
// User-interface thread only.
TExchangeStatistics &ExchangeStatistics();

class TFormReqAns final : public TSingleWindow, public TView
{
    Q_OBJECT

public:
    // Restores the window's position, shows the port and the statistics and
    // attaches itself to the line's exchange notification. The frames are
    // rendered in the cycle's LogRadix.
    TFormReqAns(TLine &line, const TRequestCycle &cycle, QWidget *parent = nullptr);
    ~TFormReqAns() override;

    // Creates the window when none is open, shows it and brings it forward;
    // 0, or -1 when it could not be made.
    static int ShowReqAns(TLine &line, const TRequestCycle &cycle) { return ShowSingle<TFormReqAns>(line, cycle); }
    // The open window; none while it is closed.
    static TFormReqAns *Instance() { return TSingleWindow::Instance<TFormReqAns>(); }

    // The port rows, then the statistics.
    void UpdateView() override;

    // "Сброс": both counters to 0, request and answer emptied.
    QAction *const actStatClear;

protected:
    void Closing() override;

private:
    struct TRelay;

    void buildLayout();
    void attach();
    void detach();
    void onExchange(const QByteArray &request, bool answered, const QByteArray &answer);
    void actStatClearExecute();
    void showStatistics();
    void showOutage();
    QString render(const QByteArray &frame) const;

    TLine &m_line;
    const TRequestCycle &m_cycle;
    std::shared_ptr<TRelay> m_relay;

    TElidedLabel *m_port = nullptr; // a long port path is cut in its middle
    QLabel *m_baudRate = nullptr;
    QLabel *m_dataBits = nullptr;
    QLabel *m_stopBits = nullptr;
    QLabel *m_parity = nullptr;
    QLabel *m_flowControl = nullptr;
    QPlainTextEdit *m_request = nullptr;
    QPlainTextEdit *m_answer = nullptr;
    QLabel *m_requests = nullptr;
    QLabel *m_requestsPercent = nullptr;
    QLabel *m_answers = nullptr;
    QLabel *m_answersPercent = nullptr;
    QLabel *m_outage = nullptr;
};
