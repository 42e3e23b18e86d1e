#pragma once
// The request cycle: every request that reaches a device goes through here.
//
// One exchange: the payload is built from the request's own values, the
// device's line parameters are put on the port, the frame goes out and the
// answer is read and parsed right there, in the calling thread, into an
// immutable answer; the request and answer are written to the exchange log
// and the answer goes out to the answer outlet (the session hands it to the
// model in the user-interface thread, queued).
//
// One polling pass (run by the request thread): the next enabled device of
// the device list; for the gauge every command of the poll set in ascending
// order, for the current-loop meter its one request; the values of every
// accepted answer go out, stamped, to the reading outlet (the session
// archives them and feeds them to its listeners). A pass waits on no other
// thread.
//
// Other gauges of the same line (companions) can be asked in the gauge's
// pass too: every gauge in address order, each with the same commands and a
// failure count of its own, so one that does not answer costs its
// time-outs and nothing more. Only the polled gauge's answers reach its
// model and its black box; every gauge's readings reach the reading outlet
// with its address, and every exchange of a pass the line outlet.
//
// The line carries one exchange at a time: the line lock is held from the
// build of the payload to the answer outlet, so the answers leave in the
// order they came and each device's failure count and the gauge's array
// mode follow the line.
//
// Made in the user-interface thread; every public member may be called from
// any thread.

#include "app/log.h"
#include "link/device_list.h"
#include "link/port_parameters.h"
#include "device/gauge_answer.h"
#include "link/reading_archive.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>
#include <atomic>
#include <bitset>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

class TLine;
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
        std::function<void(const TReading &reading)>;
    // Called, in the thread of the exchange and under the line lock, for
    // every answer parsed and every request refused with a message.
    using TAnswerOutlet = std::function<void(const TGaugeAnswer &answer)>;
    // Called in the request thread after each gauge exchange of a pass.
    using TLineOutlet = std::function<void(const TLineAnswer &answer)>;

    // Takes the gauge's address, failure threshold, title and Enabled from
    // `model` as it is now; later changes of the address come through
    // SetGaugeAddress.
    TRequestCycle(const Ttolm472 &model, TLine &line, const QString &programFolder);

    TPortParameters PortParametersTolm;    // section "Tolm"
    TPortParameters PortParametersLumidor; // section "Lumidor"
    std::atomic<int> LogRadix{16};
    std::atomic<bool> ModbusMode{false};

    // The exchange log: "rd" + yymmdd of `day` + ".txt", named without a
    // folder, so it lands in the current directory.
    void SetExchangeLogDate(const QDate &day);
    QString ExchangeLogFileName() const;

    // Where the polled readings go; none: they are dropped.
    void SetReadingOutlet(TReadingOutlet outlet);
    // Where the parsed answers go; none: they are dropped.
    void SetAnswerOutlet(TAnswerOutlet outlet);
    // Where the passes tell of each gauge exchange; none: nowhere.
    void SetLineOutlet(TLineOutlet outlet);

    // The address the polling asks and the gauge's failure threshold (a
    // new one starts the count afresh, as the model's does).
    void SetGauge(uint8_t address, uint16_t errorMax);
    uint8_t GaugeAddress() const { return m_address; }
    // A read of `code` from the gauge at the polled address.
    TGaugeRequest ReadRequest(int code) const;
    // The other gauges every pass asks besides the polled one (an address
    // equal to the polled gauge's is asked once); each starts its failure
    // count afresh. Any thread; never waits for the line.
    void SetCompanions(const std::vector<uint8_t> &addresses);
    std::vector<uint8_t> Companions() const;

    // Poll set and device list: changed in the user-interface thread, read
    // by the passes.
    void SetPolled(int code, bool on);
    bool IsPolled(int code) const;
    void ClearPollSet();
    TListDevice Device(int index) const;
    void SetDeviceEnabled(int index, bool enabled);
    bool AnyDeviceEnabled() const;

    // One exchange with the gauge; the answer tells whether a frame went
    // out and whether the gauge's answer was taken (Accepted). From any
    // thread.
    TGaugeAnswer Exchange(const TGaugeRequest &request);
    // One exchange with whatever gauge answers at the request's address,
    // outside the polled gauge's bookkeeping: on `parameters` (a scan's short
    // time-outs), counted on its own, logged like every exchange, but
    // neither published to the model nor written to the black box. From any
    // thread.
    TGaugeAnswer ExchangeAside(const TGaugeRequest &request, const TPortParameters &parameters);
    // One exchange with the current-loop meter.
    TGaugeAnswer ExchangeLumidor();
    // Stops the pass in progress before its next exchange, and every later
    // pass: the program is ending.
    void StopPasses() { m_stopping = true; }

    // Advances the rotation cursor to the next enabled device; -1 when none.
    int NextDevice();
    // One polling pass; false when it ended by a failure.
    bool DoRequest();

private:
    TGaugeAnswer exchangeTolm(const TGaugeRequest &request);
    // Under the line lock.
    TGaugeAnswer exchangeOnLine(const TGaugeRequest &request, const TPortParameters &parameters,
                                TLinkStatus &status, bool polledGauge);
    TGaugeAnswer exchangeCompanion(uint8_t address, int code);
    void pollTolm();
    void pollLumidor();
    void passReading(int address, const TGaugeAnswer &answer);
    void publish(const TGaugeAnswer &answer);
    void logExchange(const QByteArray &request, const QByteArray &answer);

    TLine &m_line;
    const QString m_programFolder; // the status log lives below it
    std::atomic<uint8_t> m_address;
    std::atomic<uint16_t> m_errorMax;
    std::atomic<bool> m_stopping{false};

    // The line and what follows it, under m_lineMutex.
    std::mutex m_lineMutex;
    TLinkStatus m_gaugeStatus;
    TLinkStatus m_meterStatus;
    std::map<uint8_t, TLinkStatus> m_companionStatus;
    std::atomic<bool> m_companionsChanged{false}; // the statuses above are cleared before the next use
    uint8_t m_arrayKind = 0;
    TAnswerOutlet m_answerOutlet;
    mutable std::mutex m_configMutex;
    std::bitset<kPollCodes> m_pollSet;
    std::vector<uint8_t> m_companions; // ascending, no repeats
    std::array<TListDevice, 2> m_devices;
    int m_cursor = 0; // the device polled last; touched by the passes only

    mutable std::mutex m_logMutex;
    TLog m_exchangeLog;

    std::mutex m_outletMutex;
    TReadingOutlet m_outlet;
    TLineOutlet m_lineOutlet;
};
