#pragma once
// The program's global objects, built before the first window in the order
// the gauge's line needs them and torn down in reverse:
//   1. the archive settings of "INI/bde.ini";
//   2./3. the switches and the start folder (the application context, set
//      before this object is made);
//   4. the gauge model "Tolm471";
//   5. the polling timer "ctReqDevices" (loaded from "INI/Timer.ini"), the
//      port (settings of "INI/ComPort.ini", opened unless the simulated
//      gauge is on the line with "/sim"), the request cycle with its device
//      list, its two line parameter sets "Tolm" and "Lumidor" and its
//      exchange log, the request thread (waiting for the first tick), and
//      the value archive.
// A group that fails leaves the program running without it: an unreadable
// port settings file leaves the port closed, a port that does not open is
// reported to the operator, an archive folder that cannot be written is
// reported at the first reading.
//
// Made and destroyed in the user-interface thread.

#include "archive/archive_settings.h"

#include <QObject>

#include <memory>

class TCustomTimer;
class TLine;
class TRequestCycle;
class TRequestThread;
class TSimulatedLine;
class TTransmitter;
class TUiHandOver;
class TValueArchive;
class Ttolm472;

struct TProgramOptions {
    // The simulated line takes as long as a real one at the gauge's speed;
    // tests switch that off.
    bool simLineTiming = true;
};

class TProgram
{
public:
    explicit TProgram(const TProgramOptions &options = {});
    // Polling timer, request thread, cycle, port, archive, model; then the
    // archive settings are written back.
    ~TProgram();
    TProgram(const TProgram &) = delete;
    TProgram &operator=(const TProgram &) = delete;

    Ttolm472 &Model() const { return *m_model; }
    TCustomTimer &PollingTimer() const { return *m_pollingTimer; }
    // The port and its settings; the gauge's line unless the simulator is.
    TTransmitter &Transmitter() const { return *m_transmitter; }
    // The simulated gauge's line with "/sim", nullptr otherwise.
    TSimulatedLine *SimulatedLine() const { return m_simulatedLine.get(); }
    TLine &Line() const;
    TRequestCycle &Cycle() const { return *m_cycle; }
    TRequestThread &RequestThread() const { return *m_requestThread; }
    TValueArchive &Archive() const { return *m_archive; }
    const TArchiveSettings &ArchiveSettings() const { return m_archiveSettings; }

private:
    void createLine(const TProgramOptions &options);

    TArchiveSettings m_archiveSettings;
    std::unique_ptr<Ttolm472> m_model;
    std::unique_ptr<TCustomTimer> m_pollingTimer;
    std::unique_ptr<TTransmitter> m_transmitter;
    std::unique_ptr<TSimulatedLine> m_simulatedLine;
    // Where the request thread hands its parses over: the user-interface
    // thread, which made this object.
    QObject m_uiContext;
    std::unique_ptr<TUiHandOver> m_handOver;
    std::unique_ptr<TRequestCycle> m_cycle;
    std::unique_ptr<TRequestThread> m_requestThread;
    std::unique_ptr<TValueArchive> m_archive;
};
