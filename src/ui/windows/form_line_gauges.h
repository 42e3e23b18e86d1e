#pragma once
// "Приборы на линии": the gauges of one line, a row each: address, plant
// number, model, the latest level, distance, free space and temperature,
// the status, the link and its failures in a row, and the time of the last
// answer, live from the polling. The check box of a row adds that gauge to
// every polling pass; "Сделать текущим" (or a double click) makes it the
// gauge every other window works on. Rows come from the search of the line
// or by address, and are kept in "INI/Gauges.ini".
//
// User-interface thread only.

#include "session/line_gauges.h"
#include "ui/windows/single_window.h"

#include <QDateTime>
#include <QVector>

#include <functional>
#include <map>
#include <vector>

class QLabel;
class QTableWidget;
class TGaugeSession;
class Ttolm472;
struct TLineAnswer;

class TFormLineGauges final : public TSingleWindow
{
    Q_OBJECT

public:
    // What the window asks of the main window: to start the search of the
    // line, and to let the other windows follow a new current gauge.
    struct TActions {
        std::function<void()> Scan;
        std::function<void()> CurrentChanged;
    };

    TFormLineGauges(TGaugeSession &session, Ttolm472 &model, TActions actions, QWidget *parent = nullptr);
    ~TFormLineGauges() override;

    static int ShowLineGauges(TGaugeSession &session, Ttolm472 &model, TActions actions);
    static TFormLineGauges *Instance() { return TSingleWindow::Instance<TFormLineGauges>(); }

    // The rows anew from the session's gauges (after a search).
    void Reload();
    QTableWidget *Table() const { return m_table; }
    void MakeCurrent(int row);
    void SetPolled(int row, bool polled);
    // Adds the gauge at `address` (1..255), or does nothing when it is listed.
    void AddAddress(int address);
    void RemoveRow(int row);

private:
    struct TLive {
        QDateTime lastAnswer;
        int linkState = 0;
        int errorCount = 0;
        QString status;
        std::map<QString, QString> values; // by archive name, as shown
    };

    void Closing() override;
    void buildLayout();
    void showRow(int row);
    void take(const TLineAnswer &answer);
    // Keeps the list (file and polling); tells the operator when the file
    // could not be written.
    void keep(const std::vector<TLineGauge> &gauges);
    int rowOf(int address) const;

    TGaugeSession &m_session;
    Ttolm472 &m_model;
    TActions m_actions;
    std::vector<TLineGauge> m_gauges; // the rows, in address order
    std::map<int, TLive> m_live;      // by address
    int m_subscription = 0;
    bool m_filling = false;
    QTableWidget *m_table = nullptr;
    QLabel *m_note = nullptr;
};
