#pragma once
#include "session/BbsTransport.h"

#include <QPointer>

class QWebSocket;

// A BBS over WebSocket (ws:// or wss://): each binary frame carries bytes of the same
// stream raw TCP would give, taken as they arrive (a fragmented message is passed on
// frame by frame); keys go out as binary messages. The Origin header is the one given
// (BBSs check it against their web client's). A close by the server is reported like a
// TCP close, a failed handshake or TLS error like a failed connect.
class WebSocketTransport : public BbsTransport {
    Q_OBJECT
public:
    explicit WebSocketTransport(const QString& origin, QObject* parent = nullptr);
    ~WebSocketTransport() override;

    void open(const BbsAddress& address) override;
    void abort() override;
    bool isConnected() const override;
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    bool encrypted() const override { return tls_; }

private:
    void take(const QByteArray& bytes);
    void lost(const QString& reason);

    enum class State { Idle, Connecting, Open, Closed };
    QString origin_;
    QPointer<QWebSocket> socket_;
    State state_ = State::Idle;
    bool tls_ = false;
    QByteArray received_;
};
