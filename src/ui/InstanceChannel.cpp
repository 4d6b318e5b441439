#include "ui/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

InstanceChannel::InstanceChannel(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::onNewConnection);
}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::serverName(const QString& settingsDir) {
    const QByteArray folder = QDir(settingsDir).absolutePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("zek-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

bool InstanceChannel::sendToRunning(const QString& settingsDir, const QString& text, int timeoutMs) {
    const QByteArray bytes = text.toUtf8();
    if (bytes.isEmpty() || bytes.size() > kMaxText) return false;
    QLocalSocket socket;
    socket.connectToServer(serverName(settingsDir));
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(bytes + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    // The receiver answers once it has the whole line.
    const bool taken = socket.waitForReadyRead(timeoutMs) && socket.readAll().startsWith("ok");
    socket.disconnectFromServer();
    return taken;
}

bool InstanceChannel::listen(const QString& settingsDir) {
    const QString name = serverName(settingsDir);
    if (server_->listen(name)) return true;
    // Left by a copy that crashed: we hold the single-copy lock, so nobody else owns it.
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

void InstanceChannel::onNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxText + 1) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine()) return;
            const QString text = QString::fromUtf8(socket->readLine()).trimmed();
            socket->write("ok\n");
            socket->flush();
            socket->disconnectFromServer();
            if (!text.isEmpty()) emit textReceived(text);
        });
    }
}
