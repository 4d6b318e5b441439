#pragma once
// A scripted HTTP server on 127.0.0.1 for the answers a real server would not give:
// it records each request and answers from a table of raw replies by path. A reply
// may stop short of its Content-Length (the connection then closes mid-body).
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <vector>

struct RecordedRequest {
    QByteArray method;
    QByteArray path;
    QByteArray headers;
    QByteArray body;
};

class LoopbackHttpServer : public QTcpServer {
public:
    LoopbackHttpServer() { listen(QHostAddress::LocalHost, 0); }

    QString url(const QString& path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path); }

    // A complete answer with this status and body.
    static QByteArray answer(const QByteArray& body, int status = 200, const char* reason = "OK") {
        return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\nContent-Type: text/plain\r\n" +
               "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }
    // Announces announced bytes, sends body (shorter) and closes.
    static QByteArray cutShort(const QByteArray& body, qint64 announced) {
        return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(announced) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

    QMap<QByteArray, QByteArray> replies;  // path -> raw reply; a missing path is not answered
    bool holdReplies = false;              // keep connections open without answering
    bool keepOpen = false;                 // answer, then keep the connection open
    std::vector<RecordedRequest> requests;

protected:
    void incomingConnection(qintptr handle) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0) return;
            const QByteArray head = buffer->left(end);
            qsizetype length = 0;
            for (const QByteArray& line : head.split('\n'))
                if (line.toLower().startsWith("content-length:")) length = line.mid(15).trimmed().toLongLong();
            if (buffer->size() < end + 4 + length) return;
            RecordedRequest r;
            const QList<QByteArray> first = head.left(head.indexOf("\r\n")).split(' ');
            r.method = first.value(0);
            r.path = first.value(1);
            r.headers = head;
            r.body = buffer->mid(end + 4, length);
            requests.push_back(r);
            buffer->clear();
            if (holdReplies || !replies.contains(r.path)) return;
            socket->write(replies.value(r.path));
            socket->flush();
            if (!keepOpen) socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
};

// Runs the event loop until done() or the time is up; false on time-out.
inline bool waitUntil(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}
