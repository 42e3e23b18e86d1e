#pragma once
// The gauge session: the objects every program talks to the gauge with,
// built in the order the line needs them and torn down in reverse:
//   the gauge model "Tolm471" (failure threshold 1, "ТОЛМ471И" as the
//   title and hint of its description: the gauge's name in the device
//   list), the hand-over to the thread that makes the session (the
//   user-interface thread, which owns the model: the procedures' questions
//   and touches of the model go there; every answer parsed elsewhere is
//   applied to the model there, queued, in order), the request cycle on
//   the line handed in, with its two line parameter sets "Tolm" and
//   "Lumidor" of "INI/ComPort.ini", the modbus flag and the radix of its
//   exchange log, the request thread (waiting for its first tick), the
//   procedure runner, the reading feed and, once opened, the value archive.
//
// Every reading a polling pass accepts is archived in the request thread
// (when the archive is open) and then published on the feed with the same
// stamp.
//
// Other gauges of the line can be polled with the current one. While any
// is, every gauge's readings (the current one's too) go into an archive of
// their own, "Gauges/PNnnnnn" below the archive's folder, and the feed
// carries the current gauge's and the meter's; every exchange of a pass
// with any gauge goes out on the line feed.
//
// The caller picks the line (the serial port or the simulated gauge) and
// keeps it alive longer than the session; the session never knows which.
//
// Made and destroyed in the user-interface thread.

#include "archive/value_archive.h"
#include "session/feed.h"
#include "session/line_gauges.h"

#include <functional>

#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <mutex>

class TGaugeViews;
class TLine;
class TOperator;
class TProcedureRunner;
class TRequestCycle;
class TRequestThread;
class TUiHandOver;
class Ttolm472;

struct TProcedureContext;

// The model takes every answer `cycle` parses, in `modelContext`'s thread
// (the thread that owns the model), and the polling follows the model's
// address. Disconnect before either goes.
void ConnectModel(TRequestCycle &cycle, Ttolm472 &model, QObject &modelContext);
void DisconnectModel(TRequestCycle &cycle, Ttolm472 &model);

struct TGaugeSessionSetup {
    QString programFolder; // INI and the parameter sets live below it
    bool modbus = false;   // the gauge's frames without the address byte's parity
    int logRadix = 16;     // of the exchange log
};

class TGaugeSession
{
public:
    TGaugeSession(const TGaugeSessionSetup &setup, TLine &line);
    // The hand-over closes, so neither the request thread (after the pass it
    // may be in) nor a procedure waits for the user-interface thread any
    // more; then the procedure runner, the archive, the cycle, the model.
    ~TGaugeSession();
    TGaugeSession(const TGaugeSession &) = delete;
    TGaugeSession &operator=(const TGaugeSession &) = delete;

    Ttolm472 &Model() const { return *m_model; }
    TLine &Line() const { return m_line; }
    TUiHandOver &HandOver() const { return *m_handOver; }
    TRequestCycle &Cycle() const { return *m_cycle; }
    TRequestThread &RequestThread() const { return *m_requestThread; }
    const QString &ProgramFolder() const { return m_programFolder; }
    TReadingFeed &Feed() const { return *m_feed; }
    TLineFeed &LineFeed() const { return *m_lineFeed; }

    // The gauges of the line: those marked polled are asked in every pass
    // besides the current gauge; the plant numbers name the archive folders.
    void SetLineGauges(const std::vector<TLineGauge> &gauges);
    std::vector<TLineGauge> LineGauges() const;
    // Sets them and keeps them in "INI/Gauges.ini"; false when the file
    // could not be written (the polling takes them all the same).
    bool KeepLineGauges(const std::vector<TLineGauge> &gauges);
    // The folder the readings of the gauge at `address` are archived in
    // now: the archive's own while only the current gauge is polled. Empty
    // while the archive is closed.
    QString ArchiveFolderOf(int address) const;
    // Operator commands, composite procedures and array reads, one at a time.
    TProcedureRunner &Runner() const { return *m_runner; }
    // Runs `procedure` on the runner with a context whose operator and
    // windows are `op` and `views` reached through the hand-over (they are
    // called in this thread only), then `done` in this thread. False, and
    // nothing runs, while another procedure runs. `op` and `views` must
    // outlive the procedure.
    bool StartProcedure(TOperator &op, TGaugeViews &views, bool fullMode,
                        std::function<void(const TProcedureContext &)> procedure, std::function<void()> done = {});

    // Polled readings go into the value archive below `dbPath` from now on.
    // Its failures reach `onError` in the writing thread, once per failure
    // spell (the archive's rule), and its recoveries `onResume`; the same for
    // the archives of the gauges.
    TValueArchive &OpenArchive(const QString &dbPath, TValueArchive::TErrorHandler onError,
                               TValueArchive::TErrorHandler onResume = {});
    // Nullptr until the archive is opened.
    TValueArchive *Archive() const { return m_archive.get(); }
    // Polling archives nothing from now on; the archive's tables are closed.
    void CloseArchive();

private:
    // Request thread.
    void onReading(const TReading &reading);
    // Under m_archiveMutex; nullptr while closed.
    TValueArchive *archiveOf(int address);
    QString folderOf(int address) const;
    bool severalPolled() const;

    const QString m_programFolder;
    TLine &m_line;
    std::unique_ptr<Ttolm472> m_model;
    // Where the request thread and the procedures hand their parses over:
    // the thread that made the session.
    QObject m_uiContext;
    std::unique_ptr<TUiHandOver> m_handOver;
    std::unique_ptr<TReadingFeed> m_feed;
    std::unique_ptr<TLineFeed> m_lineFeed;
    std::unique_ptr<TRequestCycle> m_cycle;
    std::unique_ptr<TRequestThread> m_requestThread;
    std::unique_ptr<TProcedureRunner> m_runner;
    // The archives and the gauges' folders, between the request thread and
    // the others.
    mutable std::mutex m_archiveMutex;
    std::unique_ptr<TValueArchive> m_archive;
    TValueArchive::TErrorHandler m_archiveError;
    TValueArchive::TErrorHandler m_archiveResume;
    std::vector<TLineGauge> m_lineGauges;
    std::map<int, QString> m_folders; // by address
    std::vector<uint8_t> m_polled; // the addresses marked polled
    std::map<QString, std::unique_ptr<TValueArchive>> m_gaugeArchives; // by folder
};
