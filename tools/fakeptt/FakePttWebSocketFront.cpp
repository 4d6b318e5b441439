#include "FakePttWebSocketFront.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketCorsAuthenticator>
#include <QWebSocketServer>

FakePttWebSocketFront::FakePttWebSocketFront(quint16 bbsPort, QObject* parent)
    : QObject(parent), bbsPort_(bbsPort),
      server_(new QWebSocketServer(QStringLiteral("fakeptt"), QWebSocketServer::NonSecureMode, this)) {
    connect(server_, &QWebSocketServer::newConnection, this, &FakePttWebSocketFront::onNewConnection);
    connect(server_, &QWebSocketServer::originAuthenticationRequired, this,
            [this](QWebSocketCorsAuthenticator* auth) {
                origins_ << auth->origin();
                auth->setAllowed(requiredOrigin_.isEmpty() || auth->origin() == requiredOrigin_);
            });
}

FakePttWebSocketFront::~FakePttWebSocketFront() = default;

bool FakePttWebSocketFront::listen(quint16 port) { return server_->listen(QHostAddress::LocalHost, port); }
quint16 FakePttWebSocketFront::port() const { return server_->serverPort(); }
QString FakePttWebSocketFront::errorString() const { return server_->errorString(); }

void FakePttWebSocketFront::closeClients() {
    for (QWebSocket* ws : findChildren<QWebSocket*>()) ws->close();
}

void FakePttWebSocketFront::onNewConnection() {
    while (QWebSocket* ws = server_->nextPendingConnection()) {
        ws->setParent(this);
        if (frameSize_ > 0) ws->setOutgoingFrameSize(quint64(frameSize_));
        auto* bbs = new QTcpSocket(ws);
        connect(bbs, &QTcpSocket::readyRead, ws, [ws, bbs] { ws->sendBinaryMessage(bbs->readAll()); });
        connect(bbs, &QTcpSocket::disconnected, ws, [ws] { ws->close(); });
        connect(ws, &QWebSocket::binaryMessageReceived, bbs, [bbs](const QByteArray& m) { bbs->write(m); });
        connect(ws, &QWebSocket::disconnected, ws, [ws, bbs] {
            bbs->disconnectFromHost();
            ws->deleteLater();
        });
        bbs->connectToHost(QHostAddress::LocalHost, bbsPort_);
    }
}
