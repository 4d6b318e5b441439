#pragma once
// A BBS host for tests: a QTcpServer on 127.0.0.1 that takes one client at a time,
// sends what a test tells it and records what the client sends.
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

class LoopbackHost {
public:
    LoopbackHost() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                ++accepted_;
                if (client_) client_->deleteLater();
                client_ = s;
                received_.clear();
                QObject::connect(s, &QTcpSocket::readyRead, [this, s] {
                    if (s == client_) received_ += s->readAll();
                });
            }
        });
    }

    quint16 port() const { return server_.serverPort(); }
    int accepted() const { return accepted_; }
    QTcpSocket* client() const { return client_; }
    const QByteArray& received() const { return received_; }
    void clearReceived() { received_.clear(); }

    void send(const QByteArray& bytes) {
        if (!client_) return;
        client_->write(bytes);
        client_->flush();
    }
    void closeClient() {
        if (client_) client_->disconnectFromHost();
    }

    // Runs the event loop until cond holds or the time is up; returns cond().
    static bool waitFor(const std::function<bool()>& cond, int ms = 3000) {
        QElapsedTimer t;
        t.start();
        while (!cond() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return cond();
    }
    // Runs the event loop for a while (to see that nothing more happens).
    static void spin(int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

private:
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
    QByteArray received_;
    int accepted_ = 0;
};
