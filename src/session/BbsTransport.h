#pragma once
#include <QByteArray>
#include <QObject>

struct BbsAddress;

// One connection to a BBS as the session sees it: bytes in, bytes out, and four events.
// Raw TCP, SSH and WebSocket sit behind it; the session does not know which it has.
// Events arrive on the thread that owns the transport (the user-interface thread).
class BbsTransport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~BbsTransport() override = default;

    // Starts connecting and returns at once; an earlier connection is dropped first.
    virtual void open(const BbsAddress& address) = 0;
    // Drops the connection without raising an event.
    virtual void abort() = 0;
    // Bytes flow (the session's "state 7").
    virtual bool isConnected() const = 0;
    // Not connected: nothing is sent.
    virtual void write(const QByteArray& bytes) = 0;
    // Everything received since the last call, in order.
    virtual QByteArray readAll() = 0;
    // The line is encrypted (shown as a lock on the tab).
    virtual bool encrypted() const { return false; }

signals:
    void connected();
    void readyRead();
    // Failed to connect, or broke while open. Not raised when the host just closes.
    void errorOccurred(const QString& reason);
    // The host ended the session; keys are no longer sent.
    void closedByHost();
};
