#pragma once
// A PostgreSQL server for the tests, on 127.0.0.1 in a folder of its own; start() says
// why when it cannot run one (not installed, root without a postgres user).
#include "LoopbackHost.h"

#include <libpq-fe.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>

inline QString postgresBin(const QString& name) {
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty() && name != QLatin1String("postgres")) return onPath;
    const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QString& v : versions) {
        const QString path = QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(v, name);
        if (QFile::exists(path)) return path;
    }
    return onPath;
}

// PostgreSQL refuses to run as root: then it runs as the user the package made.
class PostgresServer {
public:
    bool start(std::string* why) {
        const QString initdb = postgresBin(QStringLiteral("initdb"));
        const QString postgres = postgresBin(QStringLiteral("postgres"));
        if (initdb.isEmpty() || postgres.isEmpty()) {
            *why = "PostgreSQL is not installed (Debian package postgresql)";
            return false;
        }
        QStringList prefix;
        if (geteuid() == 0) {
            const passwd* user = getpwnam("postgres");
            if (!user) {
                *why = "running as root and there is no user postgres to run PostgreSQL as";
                return false;
            }
            prefix = {QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")};
            if (chown(qPrintable(dir_.path()), user->pw_uid, user->pw_gid) != 0) {
                *why = "cannot hand the data folder to postgres";
                return false;
            }
        }
        const QString data = dir_.path() + "/data";
        QProcess init;
        const QStringList initArgs = {initdb, "-D", data, "-U", "zek", "--auth=trust", "-E", "UTF8", "--no-locale", "--no-sync"};
        init.start(prefix.isEmpty() ? initdb : prefix.front(), prefix.isEmpty() ? initArgs.mid(1) : prefix.mid(1) + initArgs);
        if (!init.waitForFinished(60000) || init.exitCode() != 0) {
            *why = "initdb failed: " + init.readAllStandardError().toStdString();
            return false;
        }
        port_ = LoopbackHost::closedPort();
        const QStringList args = {postgres, "-D", data, "-p", QString::number(port_), "-k", dir_.path(),
                                  "-c", "listen_addresses=127.0.0.1", "-c", "fsync=off"};
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start(prefix.isEmpty() ? postgres : prefix.front(), prefix.isEmpty() ? args.mid(1) : prefix.mid(1) + args);
        for (int i = 0; i < 300; ++i) {
            if (PQping(conninfo().c_str()) == PQPING_OK) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        *why = "PostgreSQL did not start: " + server_.readAll().toStdString();
        return false;
    }

    ~PostgresServer() {
        // The server's own process (not runuser) takes the fast shutdown.
        QFile pidFile(dir_.path() + "/data/postmaster.pid");
        if (pidFile.open(QIODevice::ReadOnly)) {
            const pid_t pid = pidFile.readLine().trimmed().toInt();
            if (pid > 0) ::kill(pid, SIGINT);
        }
        if (!server_.waitForFinished(15000)) server_.kill();
    }

    std::string conninfo(const std::string& db = "postgres") const {
        return "host=127.0.0.1 port=" + std::to_string(port_) + " user=zek dbname=" + db + " connect_timeout=5";
    }

    // A fresh database for one test.
    std::string newDatabase(const std::string& name) {
        pg_conn* conn = PQconnectdb(conninfo().c_str());
        PQclear(PQexec(conn, ("CREATE DATABASE " + name).c_str()));
        PQfinish(conn);
        return conninfo(name);
    }

private:
    QTemporaryDir dir_;
    QProcess server_;
    int port_ = 0;
};
