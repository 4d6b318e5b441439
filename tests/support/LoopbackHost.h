#pragma once
// A BBS host on 127.0.0.1 for the tests: greets every connection, keeps the connections in
// the order they came, and collects what the latest one sent.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <vector>

class LoopbackHost : public QTcpServer {
public:
    explicit LoopbackHost(const QByteArray& greeting = {}) {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, [this, greeting] {
            while (QTcpSocket* s = nextPendingConnection()) {
                peers.push_back(s);
                received.clear();
                connect(s, &QTcpSocket::readyRead, [this, s] { if (s == client()) received += s->readAll(); });
                s->write(greeting);
            }
        });
    }

    QTcpSocket* client() const { return peers.empty() ? nullptr : peers.back().data(); }
    void send(const QByteArray& bytes) {
        client()->write(bytes);
        client()->flush();
    }
    // What the latest connection sent, once there are at least n bytes (empty on a time-out).
    QByteArray take(qsizetype n, int ms = 5000) {
        QElapsedTimer t;
        t.start();
        while (received.size() < n && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return received.size() < n ? QByteArray() : std::exchange(received, QByteArray());
    }
    // A port on 127.0.0.1 where nobody listens.
    static quint16 closedPort() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

    std::vector<QPointer<QTcpSocket>> peers;
    QByteArray received;  // from the latest connection since it came
};
