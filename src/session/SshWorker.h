#pragma once
#include "session/BbsAddress.h"
#include "session/SshTransport.h"

#include <QByteArray>
#include <QMutex>
#include <QSemaphore>
#include <QThread>

#include <atomic>

// The libssh side of SshTransport: connects, checks the host key, logs on, opens the
// shell and then moves bytes both ways until told to stop or the host ends the session.
// It never touches the user-interface: questions go out as signals and wait for
// answer(). It deletes itself once stopped and finished.
class SshWorker : public QThread {
    Q_OBJECT
public:
    enum Question { NewHostKey, ChangedHostKey, Password };

    SshWorker(const BbsAddress& address, const SshTransport::Options& options);
    ~SshWorker() override;

    // Thread-safe.
    void send(const QByteArray& bytes);
    void stop();
    void answer(bool yes, const QString& text = QString());

signals:
    void opened(SshWorker* self);
    void bytes(SshWorker* self, const QByteArray& data);
    void failed(SshWorker* self, const QString& reason);
    void ended(SshWorker* self);
    // subject: host (and port) for the key questions, user@host for a password; detail:
    // the key's fingerprint, or the server's own prompt. The transport words the question.
    void question(SshWorker* self, int kind, const QString& subject, const QString& detail);

protected:
    void run() override;

private:
    bool ask(Question kind, const QString& subject, const QString& detail, QString* reply = nullptr);
    QString session(void* s);
    bool checkHostKey(void* s, QString& reason);
    bool logOn(void* s, QString& reason);

    const BbsAddress address_;
    const SshTransport::Options options_;
    std::atomic<bool> stop_{false};
    std::atomic<int> fd_{-1};
    QMutex mutex_;
    QByteArray outgoing_;
    QSemaphore answered_;
    bool answerYes_ = false;
    QString answerText_;
};
