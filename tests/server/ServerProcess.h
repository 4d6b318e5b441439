#pragma once
// A zek-server process on 127.0.0.1 for the tests: started on a free port in a
// folder of its own, stopped with SIGTERM.
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <string>

class ServerProcess {
public:
    // dataDir: folder of the config file (and so of the database); extra: more flags.
    bool start(const QString& dataDir, const QStringList& extra = {}) {
        process_.setProgram(QStringLiteral(ZEK_SERVER_BIN));
        process_.setArguments(QStringList{"--config", dataDir + "/zek-server.ini", "--port", "0", "--log",
                                          dataDir + "/requests.log"} +
                              extra);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start();
        if (!process_.waitForStarted(10000)) return false;
        // The first line tells the port.
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(10000)) return false;
        }
        const QString line = QString::fromUtf8(process_.readLine());
        const auto m = QRegularExpression(QStringLiteral(":([0-9]+)/\\s*$")).match(line);
        if (!m.hasMatch()) return false;
        port_ = m.captured(1).toInt();
        return true;
    }

    // SIGTERM, then the exit code (-1 when it had to be killed).
    int stop() {
        if (process_.state() == QProcess::NotRunning) return process_.exitCode();
        ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
        if (!process_.waitForFinished(15000)) {
            process_.kill();
            process_.waitForFinished(5000);
            return -1;
        }
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    ~ServerProcess() { stop(); }

    int port() const { return port_; }
    std::string host() const { return "127.0.0.1"; }
    std::string root() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    QByteArray errors() { return process_.readAllStandardError(); }

private:
    QProcess process_;
    int port_ = 0;
};
