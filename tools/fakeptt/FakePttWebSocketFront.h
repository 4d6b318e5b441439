#pragma once
#include <QObject>
#include <QString>

class QWebSocketServer;

// A WebSocket gateway on 127.0.0.1 in front of a BBS on 127.0.0.1 (the test PTT host):
// every WebSocket client gets its own TCP connection to the BBS, binary messages carry
// the bytes both ways. For tests it can cut what it sends into small frames, insist on
// an Origin header, and close a client's socket.
class FakePttWebSocketFront : public QObject {
    Q_OBJECT
public:
    explicit FakePttWebSocketFront(quint16 bbsPort, QObject* parent = nullptr);
    ~FakePttWebSocketFront() override;

    bool listen(quint16 port = 0);
    quint16 port() const;
    QString errorString() const;

    // Frames of at most this many bytes (0: one frame a message).
    void setFrameSize(int bytes) { frameSize_ = bytes; }
    // Clients whose Origin differs are refused during the handshake (empty: any).
    void setRequiredOrigin(const QString& origin) { requiredOrigin_ = origin; }
    // Closes every client's WebSocket, as a server ending the session would.
    void closeClients();
    // Origin headers of the clients so far.
    const QStringList& origins() const { return origins_; }

private:
    void onNewConnection();

    quint16 bbsPort_;
    QWebSocketServer* server_;
    int frameSize_ = 0;
    QString requiredOrigin_;
    QStringList origins_;
};
