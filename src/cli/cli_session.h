#pragma once
// Everything one run of tolm-cli talks to the gauge with, set up as the
// program sets it up at start: the gauge model (address from --address,
// failure threshold 1, the name "ТОЛМ471И"), the line (the serial port of
// INI/ComPort.ini or --port, or the built-in simulated gauge), the two line
// parameter sets, the request cycle with its exchange log, and the archive
// root of INI/bde.ini.
//
// The thread that opens the session is the user-interface thread of the run:
// every parse happens there. While the session lives the current directory
// is the program folder, so the exchange log "rd" + yymmdd + ".txt" lands
// beside INI and DATA, as for the program started from its own folder.

#include "cli/cli_operator.h"
#include "cli/cli_options.h"
#include "sim/sim_faults.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <mutex>

class TCliOutput;
class TCommandSender;
class TGaugeSession;
class TLine;
class TRequestCycle;
class TUiHandOver;
class Ttolm472;

struct TCliEnvironment {
    QString executableFolder; // the default program folder
    // The simulated line takes as long as a real one at the gauge's baud
    // rate; tests switch it off.
    bool simLineTiming = true;
    TSimFaultConfig simFaults; // none by default
};

class TCliSession
{
public:
    TCliSession(const TCliOptions &options, const TCliEnvironment &environment, TCliOutput &out);
    ~TCliSession();
    TCliSession(const TCliSession &) = delete;
    TCliSession &operator=(const TCliSession &) = delete;

    // The program folder of the run: --home, or the executable's folder
    // (for an installed copy the user's data folder, as tolm47x), absolute.
    // Empty with `error` when it does not exist.
    static QString ResolveHome(const TCliOptions &options, const TCliEnvironment &environment, QString &error);
    // The archive root of the program folder (INI/bde.ini, default DATA).
    static QString DbPathOf(const QString &home);

    // Sets everything up and opens the line. False with `error` when the
    // program folder is missing or the port cannot be opened.
    bool Open(QString &error);

    const TCliOptions &Options() const { return m_options; }
    TCliOutput &Out() const { return m_out; }
    TCliOperator &Op() { return m_op; }
    const QString &Home() const { return m_home; }
    const QString &DbPath() const { return m_dbPath; }
    TGaugeSession &Session() const { return *m_session; }
    Ttolm472 &Model() const;
    TLine &Line() const { return *m_line; }
    TRequestCycle &Cycle() const;
    TUiHandOver &HandOver() const;
    TCommandSender &Sender() const { return *m_sender; }

    // The frames of the last exchange on the line, as sent (checksum
    // included) and as received.
    void LastFrames(QByteArray &request, QByteArray &answer) const;
    void ClearLastFrames();

private:
    bool openLine(QString &error);

    const TCliOptions m_options;
    const TCliEnvironment m_environment;
    TCliOutput &m_out;
    TCliOperator m_op;
    QString m_home;
    QString m_dbPath;
    QString m_portPath; // --port, a relative path made absolute
    QString m_previousDirectory;

    std::unique_ptr<TLine> m_line;
    std::unique_ptr<TGaugeSession> m_session;
    std::unique_ptr<TCommandSender> m_sender;

    mutable std::mutex m_framesMutex;
    QByteArray m_lastRequest;
    QByteArray m_lastAnswer;
};
