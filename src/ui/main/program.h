#pragma once
// The program's global objects, built before the first window in the order
// the gauge's line needs them and torn down in reverse:
//   1. the archive settings of "INI/bde.ini";
//   2./3. the switches and the start folder (the application context, set
//      before this object is made);
//   4. the polling timer "ctReqDevices" (loaded from "INI/Timer.ini") and
//      the port (settings of "INI/ComPort.ini", opened unless the start-up
//      code put another line, the simulated gauge of "/sim", in its place);
//   5. the gauge session on that line (model, request cycle, request
//      thread) with the value archive;
//   6. the outbox of the gauge register, sending to the factory's server
//      in a thread of its own.
// A group that fails leaves the program running without it: an unreadable
// port settings file leaves the port closed, a port that does not open is
// reported to the operator, an archive folder that cannot be written is
// reported at the first reading.
//
// Made and destroyed in the user-interface thread.

#include "archive/archive_settings.h"

#include <QObject>

#include <functional>
#include <memory>

class TCustomTimer;
class TGaugeSession;
class TLine;
class TRequestCycle;
class TRegisterOutbox;
class TRequestThread;
class TTransmitter;
class TValueArchive;
class Ttolm472;

class TProgram
{
public:
    // Makes the line that takes the port's place; called once, after the
    // port's settings are read.
    using TLineFactory = std::function<std::unique_ptr<TLine>()>;

    // otherLine: empty for the serial port.
    explicit TProgram(const TLineFactory &otherLine = {});
    // Polling timer, session (request thread, cycle, archive, model), line,
    // port; then the archive settings are written back.
    ~TProgram();
    TProgram(const TProgram &) = delete;
    TProgram &operator=(const TProgram &) = delete;

    TGaugeSession &Session() const { return *m_session; }
    Ttolm472 &Model() const;
    TCustomTimer &PollingTimer() const { return *m_pollingTimer; }
    // The port and its settings; the gauge's line unless another line is.
    TTransmitter &Transmitter() const { return *m_transmitter; }
    bool PortIsLine() const { return !m_otherLine; }
    TLine &Line() const;
    TRequestCycle &Cycle() const;
    TRequestThread &RequestThread() const;
    TValueArchive &Archive() const;
    const TArchiveSettings &ArchiveSettings() const { return m_archiveSettings; }
    TRegisterOutbox &RegisterOutbox() const { return *m_registerOutbox; }

private:
    TArchiveSettings m_archiveSettings;
    std::unique_ptr<TCustomTimer> m_pollingTimer;
    std::unique_ptr<TTransmitter> m_transmitter;
    std::unique_ptr<TLine> m_otherLine;
    // Where archive failures are reported: the user-interface thread.
    QObject m_uiContext;
    std::unique_ptr<TGaugeSession> m_session;
    std::unique_ptr<TRegisterOutbox> m_registerOutbox;
};
