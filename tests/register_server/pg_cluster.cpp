#include "pg_cluster.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int freePort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

QString binFolder()
{
    for (const QString &version : {QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("17")}) {
        const QString folder = QStringLiteral("/usr/lib/postgresql/") + version + QStringLiteral("/bin");
        if (QFile::exists(folder + QStringLiteral("/initdb")))
            return folder;
    }
    return {};
}

} // namespace

TPgCluster::TPgCluster() : m_bin(binFolder()), m_root(QStringLiteral("/tmp/tolm-pg-XXXXXX"))
{
    if (m_bin.isEmpty() || !m_root.isValid()) {
        m_error = QStringLiteral("no PostgreSQL server binaries (package postgresql) or no temporary folder");
        return;
    }
    if (geteuid() == 0) {
        const passwd *user = getpwnam("postgres");
        if (!user || chown(m_root.path().toLocal8Bit().constData(), user->pw_uid, user->pw_gid) != 0) {
            m_error = QStringLiteral("no system user postgres to run the server as");
            return;
        }
    }
    QFile password(m_root.filePath(QStringLiteral("pw")));
    password.open(QIODevice::WriteOnly);
    password.write(AdminPassword);
    password.close();
    if (geteuid() == 0)
        chown(password.fileName().toLocal8Bit().constData(), getpwnam("postgres")->pw_uid, 0);
    m_port = freePort();
    if (!run(m_bin + QStringLiteral("/initdb"),
             {QStringLiteral("-D"), m_root.filePath(QStringLiteral("data")), QStringLiteral("-U"),
              QString::fromLatin1(Admin), QStringLiteral("--pwfile=") + password.fileName(),
              QStringLiteral("-A"), QStringLiteral("scram-sha-256"), QStringLiteral("--no-sync"),
              QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C")}))
        return;
    Start();
}

TPgCluster::~TPgCluster()
{
    if (m_port)
        run(m_bin + QStringLiteral("/pg_ctl"), {QStringLiteral("-D"), m_root.filePath(QStringLiteral("data")),
                                                QStringLiteral("-m"), QStringLiteral("immediate"),
                                                QStringLiteral("-w"), QStringLiteral("stop")});
}

bool TPgCluster::run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.setWorkingDirectory(m_root.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (geteuid() == 0)
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                                             QStringLiteral("--"), program} + args);
    else
        process.start(program, args);
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    m_error = program + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll());
    return false;
}

bool TPgCluster::Stop()
{
    return run(m_bin + QStringLiteral("/pg_ctl"), {QStringLiteral("-D"), m_root.filePath(QStringLiteral("data")),
                                                   QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                                                   QStringLiteral("stop")});
}

bool TPgCluster::Start()
{
    // Durability is not what these tests are about: no fsync, fast start.
    const QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
                                           "-c synchronous_commit=off -c full_page_writes=off -c ssl=off")
                                .arg(m_port)
                                .arg(m_root.path());
    return run(m_bin + QStringLiteral("/pg_ctl"),
               {QStringLiteral("-D"), m_root.filePath(QStringLiteral("data")), QStringLiteral("-l"),
                m_root.filePath(QStringLiteral("log")), QStringLiteral("-o"), options, QStringLiteral("-w"),
                QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("start")});
}

bool TPgCluster::admin(const QString &database, const std::function<bool(QSqlDatabase &)> &work)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("pg-admin"));
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(m_port);
        db.setDatabaseName(database);
        db.setUserName(QString::fromLatin1(Admin));
        db.setPassword(QString::fromLatin1(AdminPassword));
        ok = db.open() && work(db);
        if (!ok && db.lastError().isValid())
            m_error = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pg-admin"));
    return ok;
}

bool TPgCluster::Exec(const QString &database, const QString &sql)
{
    return admin(database, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (query.exec(sql))
            return true;
        m_error = query.lastError().text();
        return false;
    });
}

QString TPgCluster::Value(const QString &database, const QString &sql)
{
    QString value;
    admin(database, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!query.exec(sql) || !query.next()) {
            m_error = query.lastError().text();
            return false;
        }
        value = query.value(0).toString();
        return true;
    });
    return value;
}
