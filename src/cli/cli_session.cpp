#include "cli/cli_session.h"

#include "app/program_folder.h"
#include "archive/archive_settings.h"
#include "cli/cli_output.h"
#include "device/tolm472.h"
#include "link/transmitter.h"
#include "session/command_sender.h"
#include "session/gauge_session.h"
#include "sim/program_sim_line.h"
#include "sim/simulated_line.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

TCliSession::TCliSession(const TCliOptions &options, const TCliEnvironment &environment, TCliOutput &out)
    : m_options(options), m_environment(environment), m_out(out), m_op(out)
{
}

TCliSession::~TCliSession()
{
    if (m_line)
        m_line->SetOnExchange({});
    m_sender.reset();
    m_session.reset();
    m_line.reset();
    if (!m_previousDirectory.isEmpty())
        QDir::setCurrent(m_previousDirectory);
}

QString TCliSession::ResolveHome(const TCliOptions &options, const TCliEnvironment &environment, QString &error)
{
    QString folder = options.home;
    if (folder.isEmpty()) {
        // As tolm47x: an installed copy works in the user's data folder.
        folder = environment.executableFolder;
        if (QFileInfo(folder).isDir())
            folder = ProgramFolderOf(folder).Path;
    }
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir()) {
        error = QStringLiteral("Папка программы не найдена: ") + QDir::toNativeSeparators(folder);
        return {};
    }
    return info.absoluteFilePath();
}

QString TCliSession::DbPathOf(const QString &home)
{
    return LoadArchiveSettings(home).dbPath;
}

bool TCliSession::Open(QString &error)
{
    m_home = ResolveHome(m_options, m_environment, error);
    if (m_home.isEmpty())
        return false;
    m_dbPath = DbPathOf(m_home);
    // A port given as a path (with a slash, or a file of the caller's
    // folder) is that file, not a name below /dev.
    if (!m_options.port.isEmpty() && (m_options.port.contains(QLatin1Char('/')) || QFileInfo::exists(m_options.port)))
        m_portPath = QFileInfo(m_options.port).absoluteFilePath();
    else
        m_portPath = m_options.port;
    m_previousDirectory = QDir::currentPath();
    QDir::setCurrent(m_home);

    if (!openLine(error))
        return false;
    m_line->SetOnExchange([this](TLine *, const QByteArray &request, bool, const QByteArray &answer) {
        std::lock_guard lock(m_framesMutex);
        m_lastRequest = request;
        m_lastAnswer = answer;
    });
    m_session = std::make_unique<TGaugeSession>(TGaugeSessionSetup{m_home, m_options.modbus}, *m_line);
    Ttolm472 &model = m_session->Model();
    model.SetSystemAddress(uint8_t(m_options.address));
    model.OnMessage = [this](const QString &text) { m_op.Warning(text); };
    m_sender = std::make_unique<TCommandSender>(m_session->Cycle(), model, m_session->HandOver(), m_op);
    return true;
}

bool TCliSession::openLine(QString &error)
{
    if (m_options.sim) {
        TSimLineConfig config = ProgramSimLineConfig(m_home, m_options.modbus);
        config.faults = m_environment.simFaults;
        config.timing.enabled = m_environment.simLineTiming;
        m_line = std::make_unique<TSimulatedLine>(config);
        return true;
    }
    auto transmitter = std::make_unique<TTransmitter>(m_home);
    if (!transmitter->LoadSettings()) {
        error = QStringLiteral("Не удалось прочитать настройки порта ") +
                QDir::toNativeSeparators(transmitter->SettingsFile);
        return false;
    }
    if (!m_portPath.isEmpty())
        transmitter->SetPortName(m_portPath);
    QString failure;
    transmitter->SetOnErrorMessage([&failure](const QString &, const QString &text) { failure = text; });
    const bool opened = transmitter->Open();
    transmitter->SetOnErrorMessage({});
    if (!opened) {
        // The program's own text, with the system's reason behind its first
        // line and what the engineer can do (no rights on the port) after
        // it, on one line.
        QStringList lines = failure.split(QLatin1Char('\n'));
        if (!transmitter->LastError().isEmpty())
            lines.first() += QStringLiteral(" (") + transmitter->LastError() + QStringLiteral(")");
        error = lines.join(QStringLiteral("; "));
        return false;
    }
    m_line = std::move(transmitter);
    return true;
}

Ttolm472 &TCliSession::Model() const
{
    return m_session->Model();
}

TRequestCycle &TCliSession::Cycle() const
{
    return m_session->Cycle();
}

TUiHandOver &TCliSession::HandOver() const
{
    return m_session->HandOver();
}

void TCliSession::LastFrames(QByteArray &request, QByteArray &answer) const
{
    std::lock_guard lock(m_framesMutex);
    request = m_lastRequest;
    answer = m_lastAnswer;
}

void TCliSession::ClearLastFrames()
{
    std::lock_guard lock(m_framesMutex);
    m_lastRequest.clear();
    m_lastAnswer.clear();
}
