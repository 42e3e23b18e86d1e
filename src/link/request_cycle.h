#pragma once
// The request cycle: every request that reaches a device goes through here.
//
// One exchange: the model builds the payload, the device's line parameters
// are put on the port, the frame goes out and the answer is read, the answer
// is parsed in the user-interface thread, the outcome is classified and the
// request and answer are written to the exchange log.
//
// One polling pass (run by the request thread): the next enabled device of
// the device list; for the gauge every command of the poll set in ascending
// order, for the current-loop meter its one request; the values of every
// accepted answer go out, stamped, to the reading outlet (the session
// archives them and feeds them to its listeners).
//
// The line carries one exchange at a time. The line lock is held for one
// apply-transmit-read only and released before the hand-over to the
// user-interface thread, so an operator command waiting for the line can
// never block a pass that waits for the user-interface thread.

#include "app/log.h"
#include "link/device_list.h"
#include "link/port_parameters.h"
#include "link/reading_archive.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>
#include <atomic>
#include <bitset>
#include <functional>
#include <mutex>

class TLine;
class TUiHandOver;
class Ttolm472;

// The exchange log of a day, "rdyyMMdd.txt", in the folder the program
// was started from.
QString ExchangeLogName(const QDate &day);

class TRequestCycle
{
public:
    static constexpr int kGaugeAnswerMax = 140;
    static constexpr int kMeterAnswerMax = 70;
    static constexpr int kPollCodes = 104; // the poll set holds 0..103; 103 is never sent

    // Called in the request thread for every accepted reading of a pass
    // (code 101 for the meter's current), with the program clock's "now".
    using TReadingOutlet =
        std::function<void(int code, const QVector<TArchivedValue> &values, const QDateTime &stamp)>;

    TRequestCycle(Ttolm472 &model, TLine &line, TUiHandOver &handOver, const QString &programFolder);

    TPortParameters PortParametersTolm;    // section "Tolm"
    TPortParameters PortParametersLumidor; // section "Lumidor"
    std::atomic<int> LogRadix{16};
    std::atomic<bool> ModbusMode{false};

    // The exchange log: "rd" + yymmdd of `day` + ".txt", named without a
    // folder, so it lands in the current directory.
    void SetExchangeLogDate(const QDate &day);
    // Where the parses run: the user-interface thread.
    TUiHandOver &HandOver() const { return m_handOver; }
    QString ExchangeLogFileName() const;

    // Where the polled readings go; none: they are dropped.
    void SetReadingOutlet(TReadingOutlet outlet);

    // Poll set and device list: changed in the user-interface thread, read
    // by the passes.
    void SetPolled(int code, bool on);
    bool IsPolled(int code) const;
    void ClearPollSet();
    TListDevice Device(int index) const;
    void SetDeviceEnabled(int index, bool enabled);
    bool AnyDeviceEnabled() const;

    // One exchange with the gauge: 0 when an answer came that is not an error
    // answer, -1 otherwise. From any thread.
    int Exchange(int code);
    // One exchange with the gauge as an operator command judges it: true
    // when an answer came that is not an error answer and the parse took it
    // (it counted no refusal and left no negative error code). Judged in
    // the parse itself, so a polling pass's parse in between cannot count
    // against it. From any thread.
    // `answer`, when given, receives the answer of this very exchange.
    bool ExchangeAccepted(int code, QByteArray *answer = nullptr);
    // One exchange with the current-loop meter; 0 or -1 as above.
    int ExchangeLumidor();

    // Advances the rotation cursor to the next enabled device; -1 when none.
    int NextDevice();
    // One polling pass; false when it ended by a failure.
    bool DoRequest();

private:
    struct TOutcome {
        int result = -1;
        int linkState = 0;
        bool taken = false; // the parse counted no refusal and left no negative error code
        QVector<TArchivedValue> reading;
        QByteArray answer;
    };
    TOutcome exchangeTolm(int code, bool takeReading);
    TOutcome exchangeLumidor(bool takeReading);
    void pollTolm();
    void pollLumidor();
    void passReading(int code, const QVector<TArchivedValue> &values);
    void logExchange(const QByteArray &request, const QByteArray &answer);

    Ttolm472 &m_model;
    TLine &m_line;
    TUiHandOver &m_handOver;

    std::mutex m_lineMutex;
    mutable std::mutex m_configMutex;
    std::bitset<kPollCodes> m_pollSet;
    std::array<TListDevice, 2> m_devices;
    int m_cursor = 0; // the device polled last; touched by the passes only

    mutable std::mutex m_logMutex;
    TLog m_exchangeLog;

    std::mutex m_outletMutex;
    TReadingOutlet m_outlet;
};
