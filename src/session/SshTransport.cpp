#include "session/SshTransport.h"

#include "app/LanguageTexts.h"
#include "app/UserInteraction.h"
#include "session/BbsAddress.h"
#include "session/SshWorker.h"

#include <QFile>
#include <QSaveFile>

SshTransport::SshTransport(Options options, UserInteraction& ui, QObject* parent)
    : BbsTransport(parent), options_(std::move(options)), ui_(ui) {}

SshTransport::~SshTransport() {
    if (SshWorker* w = worker_) {
        abort();
        // A worker still inside a blocking call finishes on its own and deletes itself;
        // waiting briefly lets a quick stop end before the program does.
        w->wait(1000);
    }
}

void SshTransport::open(const BbsAddress& address) {
    abort();
    received_.clear();
    auto* w = new SshWorker(address, options_);
    worker_ = w;
    // Signals from a worker that was replaced or stopped are ignored.
    connect(w, &SshWorker::opened, this, [this](SshWorker* from) {
        if (from != worker_) return;
        connected_ = true;
        emit connected();
    });
    connect(w, &SshWorker::bytes, this, [this](SshWorker* from, const QByteArray& data) {
        if (from != worker_) return;
        received_ += data;
        emit readyRead();
    });
    connect(w, &SshWorker::failed, this, [this](SshWorker* from, const QString& reason) {
        if (from != worker_) return;
        worker_ = nullptr;
        const bool wasOpen = connected_;
        connected_ = false;
        // Once the shell ran, a broken line ends the session like a TCP close would.
        if (wasOpen) emit closedByHost();
        else emit errorOccurred(reason);
    });
    connect(w, &SshWorker::ended, this, [this](SshWorker* from) {
        if (from != worker_) return;
        worker_ = nullptr;
        connected_ = false;
        emit closedByHost();
    });
    connect(w, &SshWorker::question, this, &SshTransport::onQuestion);
    w->start();
}

QString SshTransport::wording(const char* key, const char* fallback) const {
    const QString k = QString::fromLatin1(key);
    if (options_.texts) {
        const QString text = options_.texts->text(k);
        if (text != k && !text.isEmpty()) return text;
    }
    return QString::fromUtf8(fallback);
}

void SshTransport::onQuestion(SshWorker* worker, int kind, const QString& subject, const QString& detail) {
    if (worker != worker_) return;
    const QString title = QStringLiteral("SSH");
    if (kind == SshWorker::Password) {
        QString text = wording("SSH_Password", "Password for %1:").arg(subject);
        // A server that asks in its own words is quoted after ours.
        if (!detail.isEmpty()) text += QLatin1Char('\n') + detail;
        QString password;
        const bool ok = ui_.askPassword(text, title, password);
        if (worker_ == worker) worker->answer(ok, password);
    } else {
        // \n in the language file stands for a line break.
        const QString text = (kind == SshWorker::ChangedHostKey
                                  ? wording("SSH_Changed_Host_Key",
                                            "The host key of %1 is not the one it had before!\\nSomeone may be "
                                            "intercepting the connection, or the site changed its key.\\n\\nNew "
                                            "key: %2\\n\\nAccept the new key and connect?")
                                  : wording("SSH_New_Host_Key",
                                            "First connection to %1.\\nHost key: %2\\n\\nConnect and remember "
                                            "this key?"))
                                 .replace(QLatin1String("\\n"), QLatin1String("\n"))
                                 .arg(subject, detail);
        const bool yes = ui_.askYesNo(text, title);
        if (worker_ == worker) worker->answer(yes);
    }
}

void SshTransport::abort() {
    connected_ = false;
    if (SshWorker* w = worker_) {
        worker_ = nullptr;
        w->stop();
    }
}

void SshTransport::write(const QByteArray& bytes) {
    if (!connected_ || bytes.isEmpty() || !worker_) return;
    worker_->send(bytes);
}

QByteArray SshTransport::readAll() {
    QByteArray out;
    out.swap(received_);
    return out;
}

bool SshTransport::forgetHost(const QString& knownHostsPath, const QString& host, int port) {
    QFile in(knownHostsPath);
    if (!in.exists()) return true;
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray name = port == 22 ? host.toUtf8() : QStringLiteral("[%1]:%2").arg(host).arg(port).toUtf8();
    QByteArray kept;
    for (const QByteArray& line : in.readAll().split('\n')) {
        if (line.isEmpty()) continue;
        const QByteArray hosts = line.left(line.indexOf(' '));
        if (hosts.split(',').contains(name)) continue;
        kept += line + '\n';
    }
    in.close();
    QSaveFile out(knownHostsPath);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(kept);
    return out.commit();
}
