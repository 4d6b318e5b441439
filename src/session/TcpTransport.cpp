#include "session/TcpTransport.h"

#include "session/BbsAddress.h"

#include <QTcpSocket>
#include <QTimer>

TcpTransport::TcpTransport(bool telnetNegotiation, QObject* parent)
    : BbsTransport(parent), socket_(new QTcpSocket(this)), negotiate_(telnetNegotiation) {
    connect(socket_, &QTcpSocket::connected, this, &BbsTransport::connected);
    connect(socket_, &QTcpSocket::readyRead, this, &BbsTransport::readyRead);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        // The host closing the line is not an error: the session just stops sending.
        if (e == QAbstractSocket::RemoteHostClosedError) emit closedByHost();
        else emit errorOccurred(socket_->errorString());
    });
}

TcpTransport::~TcpTransport() { abort(); }

void TcpTransport::open(const BbsAddress& address) {
    abort();
    if (negotiate_) telnet_ = std::make_unique<TelnetNegotiator>();
    if (address.port < 0 || address.port > 65535) {
        // No socket takes such a port; report it the way a failed connect is reported.
        QTimer::singleShot(0, this, [this] { emit errorOccurred(QStringLiteral("bad port")); });
        return;
    }
    socket_->connectToHost(address.host, quint16(address.port));
}

void TcpTransport::abort() {
    if (socket_->state() != QAbstractSocket::UnconnectedState) socket_->abort();
}

bool TcpTransport::isConnected() const { return socket_->state() == QAbstractSocket::ConnectedState; }

void TcpTransport::write(const QByteArray& bytes) {
    if (!isConnected()) return;
    socket_->write(telnet_ ? TelnetNegotiator::escape(bytes) : bytes);
}

QByteArray TcpTransport::readAll() {
    const QByteArray bytes = socket_->readAll();
    if (!telnet_ || bytes.isEmpty()) return bytes;
    TelnetNegotiator::Result r = telnet_->receive(bytes);
    if (!r.replies.isEmpty()) socket_->write(r.replies);
    return r.data;
}
