#pragma once
#include <QObject>
#include <QString>

class QLocalServer;

// Hands a link given on the command line ("zek URL") to the copy of Zek that already
// runs for the same settings folder. The running copy listens on a local socket named
// after that folder (owner-only); a starting copy with a link tries it first and ends
// once the link is delivered. What arrives goes through openZEKURL like any other link.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // Longest text accepted from the channel; anything longer is dropped whole.
    static constexpr int kMaxText = 8192;

    explicit InstanceChannel(QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The socket name for a settings folder.
    static QString serverName(const QString& settingsDir);
    // True when a running copy took the text.
    static bool sendToRunning(const QString& settingsDir, const QString& text, int timeoutMs = 2000);

    // Starts listening for later copies; call only while holding the single-copy lock
    // (a stale socket of a crashed copy is removed).
    bool listen(const QString& settingsDir);

signals:
    void textReceived(const QString& text);

private:
    void onNewConnection();
    QLocalServer* server_;
};
