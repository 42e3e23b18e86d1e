#pragma once
// A throw-away PostgreSQL 15 server for one test: initdb into a temporary
// folder, started on a free local port with password logins over TCP
// (scram-sha-256), stopped and removed at the end. The server refuses to
// run as root, so under root it runs as the system user "postgres" of the
// Debian package.

#include <QString>
#include <QTemporaryDir>

#include <functional>

class QSqlDatabase;

class TPgCluster
{
public:
    // The superuser of the cluster and its password.
    static constexpr const char *Admin = "tolm_admin";
    static constexpr const char *AdminPassword = "admin-secret";

    TPgCluster();
    ~TPgCluster();
    TPgCluster(const TPgCluster &) = delete;
    TPgCluster &operator=(const TPgCluster &) = delete;

    // Empty when the server runs.
    const QString &Error() const { return m_error; }
    int Port() const { return m_port; }

    bool Stop();
    bool Start();
    // Runs `sql` (one or more statements) as the superuser in `database`;
    // false with the error in Error().
    bool Exec(const QString &database, const QString &sql);
    // One value of a query as the superuser.
    QString Value(const QString &database, const QString &query);

private:
    bool admin(const QString &database, const std::function<bool(QSqlDatabase &)> &work);
    bool run(const QString &program, const QStringList &args);
    QString m_bin;
    QString m_error;
    int m_port = 0;
    QTemporaryDir m_root;
};
