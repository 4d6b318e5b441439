#pragma once
#include "session/BbsTransport.h"

#include <QPointer>
#include <QString>

class LanguageTexts;
class UserInteraction;
class SshWorker;

// A BBS over SSH (libssh): an interactive shell on a vt100 pseudo-terminal of 80x24.
// The server's host key is checked against Zek's own known-hosts file; a key seen for the
// first time or one that changed is shown to the user, who accepts it (it is then
// remembered) or refuses it (the connection fails). Logon: first without credentials (a
// BBS's "bbs" account needs none), then keys from the agent or the identity file, then
// a password asked from the user. libssh blocks, so it runs on a worker thread; bytes,
// questions and events come back to this object's thread.
class SshTransport : public BbsTransport {
    Q_OBJECT
public:
    struct Options {
        QString knownHostsPath;  // Zek's own file; created when a key is accepted
        QString identityFile;    // a private key to offer; empty for none
        int timeoutSeconds = 15;
        // Words the questions (SSH_New_Host_Key, SSH_Changed_Host_Key, SSH_Password) in
        // the user's language; without it they are in English.
        const LanguageTexts* texts = nullptr;
    };
    SshTransport(Options options, UserInteraction& ui, QObject* parent = nullptr);
    ~SshTransport() override;

    void open(const BbsAddress& address) override;
    void abort() override;
    bool isConnected() const override { return connected_; }
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    bool encrypted() const override { return true; }

    // Drops the lines for host:port from a known-hosts file (before a changed key is
    // written). False when the file exists but cannot be rewritten.
    static bool forgetHost(const QString& knownHostsPath, const QString& host, int port);

private:
    void onQuestion(SshWorker* worker, int kind, const QString& subject, const QString& detail);
    QString wording(const char* key, const char* fallback) const;

    Options options_;
    UserInteraction& ui_;
    QPointer<SshWorker> worker_;
    bool connected_ = false;
    QByteArray received_;
};
