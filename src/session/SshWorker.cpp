#include "session/SshWorker.h"

#include <libssh/libssh.h>
#include <sys/socket.h>

#include <QFile>
#include <QFileInfo>
#include <QDir>

namespace {

QString lastError(ssh_session s) { return QString::fromUtf8(ssh_get_error(s)); }

// "ssh-ed25519 SHA256:..." of the server's key, empty when it cannot be read.
QString fingerprint(ssh_session s) {
    ssh_key key = nullptr;
    if (ssh_get_server_publickey(s, &key) != SSH_OK) return {};
    unsigned char* hash = nullptr;
    size_t len = 0;
    QString text;
    if (ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &len) == 0) {
        char* fp = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, len);
        text = QString::fromLatin1(ssh_key_type_to_char(ssh_key_type(key))) + QLatin1Char(' ') +
               QString::fromLatin1(fp ? fp : "");
        ssh_string_free_char(fp);
        ssh_clean_pubkey_hash(&hash);
    }
    ssh_key_free(key);
    return text;
}

}  // namespace

SshWorker::SshWorker(const BbsAddress& address, const SshTransport::Options& options)
    : address_(address), options_(options) {
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

SshWorker::~SshWorker() = default;

void SshWorker::send(const QByteArray& bytes) {
    QMutexLocker lock(&mutex_);
    outgoing_ += bytes;
}

void SshWorker::stop() {
    stop_ = true;
    // Wakes a read or write blocked on the socket; the worker then sees the flag.
    const int fd = fd_.load();
    if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
    answered_.release();
}

void SshWorker::answer(bool yes, const QString& text) {
    answerYes_ = yes;
    answerText_ = text;
    answered_.release();
}

bool SshWorker::ask(Question kind, const QString& subject, const QString& detail, QString* reply) {
    answerYes_ = false;
    emit question(this, kind, subject, detail);
    // The answer may take as long as the user likes; a stop ends the wait.
    while (!answered_.tryAcquire(1, 100))
        if (stop_) return false;
    if (stop_) return false;
    if (reply) *reply = answerText_;
    return answerYes_;
}

void SshWorker::run() {
    ssh_session s = ssh_new();
    if (!s) {
        emit failed(this, QStringLiteral("libssh"));
        return;
    }
    const QByteArray host = address_.host.toUtf8(), user = address_.user.toUtf8();
    const QByteArray known = QFile::encodeName(options_.knownHostsPath);
    const unsigned int port = static_cast<unsigned int>(address_.port);
    const long timeout = options_.timeoutSeconds;
    const bool no = false;
    ssh_options_set(s, SSH_OPTIONS_HOST, host.constData());
    ssh_options_set(s, SSH_OPTIONS_PORT, &port);
    ssh_options_set(s, SSH_OPTIONS_USER, user.constData());
    ssh_options_set(s, SSH_OPTIONS_TIMEOUT, &timeout);
    // Only Zek's file decides which keys are known; ~/.ssh/config does not apply.
    ssh_options_set(s, SSH_OPTIONS_KNOWNHOSTS, known.constData());
    ssh_options_set(s, SSH_OPTIONS_GLOBAL_KNOWNHOSTS, "/dev/null");
    ssh_options_set(s, SSH_OPTIONS_PROCESS_CONFIG, &no);
    if (!options_.identityFile.isEmpty())
        ssh_options_set(s, SSH_OPTIONS_ADD_IDENTITY, QFile::encodeName(options_.identityFile).constData());

    const QString reason = session(s);
    fd_ = -1;
    ssh_disconnect(s);
    ssh_free(s);
    if (stop_) return;
    if (reason.isEmpty()) emit ended(this);
    else emit failed(this, reason);
}

// Runs one connection to its end: an empty result when the host ended it (or we were
// stopped), the reason when it failed.
QString SshWorker::session(void* handle) {
    auto s = static_cast<ssh_session>(handle);
    if (ssh_connect(s) != SSH_OK) return lastError(s);
    fd_ = ssh_get_fd(s);
    if (stop_) return {};
    QString reason;
    if (!checkHostKey(s, reason) || !logOn(s, reason)) return reason;

    ssh_channel ch = ssh_channel_new(s);
    if (!ch) return lastError(s);
    if (ssh_channel_open_session(ch) != SSH_OK || ssh_channel_request_pty_size(ch, "vt100", 80, 24) != SSH_OK ||
        ssh_channel_request_shell(ch) != SSH_OK) {
        reason = lastError(s);
        ssh_channel_free(ch);
        return reason;
    }
    emit opened(this);

    char buf[16384];
    while (!stop_) {
        QByteArray out;
        {
            QMutexLocker lock(&mutex_);
            out.swap(outgoing_);
        }
        if (!out.isEmpty() && ssh_channel_write(ch, out.constData(), uint32_t(out.size())) == SSH_ERROR) {
            reason = lastError(s);
            break;
        }
        // A short wait keeps typed keys prompt: they are sent at the next turn.
        const int n = ssh_channel_read_timeout(ch, buf, sizeof buf, 0, 15);
        if (n > 0) {
            emit bytes(this, QByteArray(buf, n));
            continue;
        }
        if (n == SSH_ERROR) {
            if (!ssh_channel_is_eof(ch)) reason = lastError(s);
            break;
        }
        // Whatever a shell writes to its error stream is of no use on a BBS screen.
        while (ssh_channel_read_nonblocking(ch, buf, sizeof buf, 1) > 0) {}
        if (ssh_channel_is_eof(ch) || ssh_channel_is_closed(ch)) break;
    }
    if (!stop_) ssh_channel_close(ch);
    ssh_channel_free(ch);
    return reason;
}

bool SshWorker::checkHostKey(void* handle, QString& reason) {
    auto s = static_cast<ssh_session>(handle);
    const enum ssh_known_hosts_e state = ssh_session_is_known_server(s);
    if (state == SSH_KNOWN_HOSTS_OK) return true;
    const QString where = address_.port == 22 ? address_.host : QStringLiteral("%1:%2").arg(address_.host).arg(address_.port);
    const QString fp = fingerprint(s);
    bool changed = false;
    switch (state) {
    case SSH_KNOWN_HOSTS_CHANGED:
    case SSH_KNOWN_HOSTS_OTHER:
        changed = true;
        break;
    case SSH_KNOWN_HOSTS_UNKNOWN:
    case SSH_KNOWN_HOSTS_NOT_FOUND:
        break;
    default:
        reason = QStringLiteral("known hosts: ") + lastError(s);
        return false;
    }
    if (!ask(changed ? ChangedHostKey : NewHostKey, where, fp)) {
        reason = QStringLiteral("host key refused");
        return false;
    }
    QDir().mkpath(QFileInfo(options_.knownHostsPath).absolutePath());
    if (changed) SshTransport::forgetHost(options_.knownHostsPath, address_.host, address_.port);
    // A key that cannot be written is still accepted for this connection.
    ssh_session_update_known_hosts(s);
    return true;
}

bool SshWorker::logOn(void* handle, QString& reason) {
    auto s = static_cast<ssh_session>(handle);
    int rc = ssh_userauth_none(s, nullptr);
    if (rc == SSH_AUTH_SUCCESS) return true;
    const int methods = ssh_userauth_list(s, nullptr);
    if ((methods & SSH_AUTH_METHOD_PUBLICKEY) && ssh_userauth_publickey_auto(s, nullptr, nullptr) == SSH_AUTH_SUCCESS)
        return true;
    if (methods & SSH_AUTH_METHOD_INTERACTIVE) {
        // Servers that take the "bbs" account this way ask nothing; a single hidden
        // prompt is a password.
        for (int round = 0; round < 4 && !stop_; ++round) {
            rc = ssh_userauth_kbdint(s, nullptr, nullptr);
            if (rc == SSH_AUTH_SUCCESS) return true;
            if (rc != SSH_AUTH_INFO) break;
            const int prompts = ssh_userauth_kbdint_getnprompts(s);
            for (int i = 0; i < prompts; ++i) {
                char echo = 0;
                const char* prompt = ssh_userauth_kbdint_getprompt(s, unsigned(i), &echo);
                QString answer;
                const QString who = address_.user + QLatin1Char('@') + address_.host;
                if (!ask(Password, who, QString::fromUtf8(prompt ? prompt : "").trimmed(), &answer)) {
                    reason = QStringLiteral("logon cancelled");
                    return false;
                }
                ssh_userauth_kbdint_setanswer(s, unsigned(i), answer.toUtf8().constData());
            }
        }
    }
    if (methods & SSH_AUTH_METHOD_PASSWORD) {
        for (int attempt = 0; attempt < 3 && !stop_; ++attempt) {
            QString password;
            if (!ask(Password, address_.user + QLatin1Char('@') + address_.host, QString(), &password)) {
                reason = QStringLiteral("logon cancelled");
                return false;
            }
            if (ssh_userauth_password(s, nullptr, password.toUtf8().constData()) == SSH_AUTH_SUCCESS) return true;
        }
    }
    reason = QStringLiteral("logon failed");
    return false;
}
