#include "session/WebSocketTransport.h"

#include "session/BbsAddress.h"

#include <QUrl>
#include <QWebSocket>

WebSocketTransport::WebSocketTransport(const QString& origin, QObject* parent)
    : BbsTransport(parent), origin_(origin) {}

WebSocketTransport::~WebSocketTransport() { abort(); }

void WebSocketTransport::open(const BbsAddress& address) {
    abort();
    tls_ = address.tls;
    received_.clear();
    // A fresh socket per connection: the Origin header is fixed when a QWebSocket is made.
    socket_ = new QWebSocket(origin_, QWebSocketProtocol::VersionLatest, this);
    QWebSocket* ws = socket_;
    connect(ws, &QWebSocket::connected, this, [this] {
        state_ = State::Open;
        emit connected();
    });
    connect(ws, &QWebSocket::binaryFrameReceived, this, [this](const QByteArray& frame, bool) { take(frame); });
    connect(ws, &QWebSocket::textFrameReceived, this, [this](const QString& frame, bool) { take(frame.toUtf8()); });
    connect(ws, &QWebSocket::disconnected, this, [this, ws] { if (ws == socket_) lost(ws->errorString()); });
    connect(ws, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this, [this, ws](QAbstractSocket::SocketError) {
        if (ws == socket_) lost(ws->errorString());
    });
    state_ = State::Connecting;
    ws->open(QUrl(address.webSocketUrl()));
}

void WebSocketTransport::lost(const QString& reason) {
    // One report per connection: an error while connecting fails the connect; once open,
    // any end (close frame, dropped line) is the host closing the session.
    const State was = state_;
    if (was == State::Closed || was == State::Idle) return;
    state_ = State::Closed;
    if (was == State::Connecting) emit errorOccurred(reason);
    else emit closedByHost();
}

void WebSocketTransport::abort() {
    state_ = State::Idle;
    if (QWebSocket* ws = socket_) {
        socket_ = nullptr;
        ws->disconnect(this);
        ws->abort();
        ws->deleteLater();
    }
}

bool WebSocketTransport::isConnected() const { return state_ == State::Open && socket_; }

void WebSocketTransport::write(const QByteArray& bytes) {
    if (!isConnected() || bytes.isEmpty()) return;
    socket_->sendBinaryMessage(bytes);
}

QByteArray WebSocketTransport::readAll() {
    QByteArray out;
    out.swap(received_);
    return out;
}

void WebSocketTransport::take(const QByteArray& bytes) {
    if (bytes.isEmpty()) return;
    received_ += bytes;
    emit readyRead();
}
