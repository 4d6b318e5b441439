#include "FakePttHost.h"

#include "FakePttSession.h"
#include "screen/Big5.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

QString defaultFixturesDir() {
#ifdef ZEK_FIXTURES_DIR
    return QString::fromUtf8(ZEK_FIXTURES_DIR);
#else
    return QStringLiteral("fixtures");
#endif
}

// The list cursor a full list screen leaves: the row starting with ">" (article n is on
// row n + 2, counting from 0).
int listCursorOf(const QString& screenText) {
    const QStringList rows = screenText.split(QLatin1Char('\n'));
    if (rows.size() < 3 || !rows[2].contains(QStringLiteral("編號"))) return 0;
    for (int r = 3; r < rows.size() && r < 23; ++r)
        if (rows[r].startsWith(QLatin1Char('>'))) return r - 2;
    return 0;
}

}  // namespace

FakePttHost::FakePttHost(QObject* parent) : FakePttHost(defaultFixturesDir(), parent) {}

FakePttHost::FakePttHost(const QString& fixturesDir, QObject* parent) : QObject(parent) {
    load(fixturesDir);
}

FakePttHost::~FakePttHost() = default;

void FakePttHost::load(const QString& fixturesDir) {
    const QDir dir(fixturesDir + QStringLiteral("/ptt"));
    const QStringList files = dir.entryList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        QFile bin(dir.filePath(file));
        QFile txt(dir.filePath(file.chopped(4) + QStringLiteral(".txt")));
        if (!bin.open(QIODevice::ReadOnly)) continue;
        Screen s;
        s.label = file.chopped(4);
        s.bytes = bin.readAll();
        if (txt.open(QIODevice::ReadOnly)) s.listCursor = listCursorOf(QString::fromUtf8(txt.readAll()));
        screens_.insert(s.label.left(2), s);
    }
    // Everything the sessions send; "41" is the empty end of the goodbye.
    for (int n = 0; n <= 41; ++n) {
        const QString number = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        if (!screens_.contains(number)) {
            errorString_ = QStringLiteral("recording %1 missing in %2").arg(number, dir.path());
            return;
        }
    }
}

void FakePttHost::setAccount(const QString& account, const QString& password) {
    account_ = account;
    password_ = password;
}

void FakePttHost::setLogonQuestions(bool askOtherConnections, bool askWrongAttempts) {
    askOtherConnections_ = askOtherConnections;
    askWrongAttempts_ = askWrongAttempts;
}

bool FakePttHost::listen(quint16 port) {
    if (!fixturesLoaded()) return false;
    if (!server_) {
        server_ = new QTcpServer(this);
        connect(server_, &QTcpServer::newConnection, this, &FakePttHost::onNewConnection);
    }
    if (server_->isListening()) return true;
    if (!server_->listen(QHostAddress::LocalHost, port)) {
        errorString_ = server_->errorString();
        return false;
    }
    return true;
}

quint16 FakePttHost::port() const { return server_ ? server_->serverPort() : 0; }

void FakePttHost::close() {
    if (server_) server_->close();
}

const FakePttHost::Screen* FakePttHost::screen(const QString& number) const {
    auto it = screens_.constFind(number);
    return it == screens_.constEnd() ? nullptr : &it.value();
}

void FakePttHost::onNewConnection() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        ++sessionCount_;
        auto* session = new FakePttSession(*this, socket);
        session->setParent(socket);  // goes with its socket
        connect(socket, &QTcpSocket::disconnected, this, &FakePttHost::sessionEnded);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

QByteArray FakePttHost::waterBallBytes(const QString& sender, const QString& message) {
    const std::string text = big5::fromUtf8(message.toStdString());
    return "\x1b[s\x1b[1;1H\x1b[1;33;46m\xa1\xb9" + sender.toLatin1() + " \x1b[37;45m " +
           QByteArray(text.data(), qsizetype(text.size())) + " \x1b[m\x1b[K\x1b[u\a";
}

void FakePttHost::sendWaterBall(const QString& sender, const QString& message) {
    if (!server_) return;
    const QByteArray bytes = waterBallBytes(sender, message);
    for (FakePttSession* s : server_->findChildren<FakePttSession*>()) s->sendWaterBall(bytes);
}

void FakePttHost::noteSent(const QString& label) {
    sent_ << label;
    emit screenSent(label);
}
