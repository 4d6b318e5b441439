// SSH sessions against Debian's sshd, started by the test in a temporary folder on
// 127.0.0.1 with keys of its own; its forced command joins each session to the test PTT
// host. Host keys: new ones accepted or refused, changed ones refused or replaced, known
// ones passed silently; logon by key and the password question; bytes both ways.
#include "FakePttHost.h"
#include "LoopbackHost.h"
#include "TransportTestSupport.h"
#include "app/IniFile.h"
#include "app/LanguageTexts.h"
#include "session/BbsAddress.h"
#include "session/SshTransport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace {

using transporttest::Recorder;
using transporttest::ScriptedUi;
using transporttest::waitFor;

QString sshd() {
    for (const char* p : {"/usr/sbin/sshd", "/usr/bin/sshd"})
        if (QFile::exists(QString::fromLatin1(p))) return QString::fromLatin1(p);
    return {};
}

bool keygen(const QString& file) {
    return QProcess::execute(QStringLiteral("ssh-keygen"),
                             {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"), QStringLiteral("-N"),
                              QString(), QStringLiteral("-f"), file}) == 0;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SshTransportTest : public ::testing::Test {
protected:
    static inline QTemporaryDir* dir = nullptr;
    static inline QProcess* server = nullptr;
    static inline FakePttHost* host = nullptr;
    static inline quint16 port = 0;
    static inline QString skipReason;
    static inline IniFile languageFile;
    LanguageTexts texts{&languageFile};

    static void SetUpTestSuite() { skipReason = startServer(); }

    // Why the tests cannot run here, or empty once sshd answers.
    static QString startServer() {
        if (sshd().isEmpty()) return QStringLiteral("no sshd here (Debian's openssh-server)");
        // sshd insists on its privilege separation folder.
        if (!QDir().mkpath(QStringLiteral("/run/sshd"))) return QStringLiteral("sshd needs /run/sshd");
        languageFile.setPath(QStringLiteral(ZEK_LANGUAGES_INI));
        languageFile.load();
        dir = new QTemporaryDir;
        const QString d = dir->path();
        if (!keygen(d + "/host_key") || !keygen(d + "/other_host_key") || !keygen(d + "/client_key"))
            return QStringLiteral("ssh-keygen failed");
        QFile::copy(d + "/client_key.pub", d + "/authorized_keys");
        host = new FakePttHost;
        host->setLogonQuestions(false, false);
        if (!host->listen()) return host->errorString();
        port = LoopbackHost::closedPort();
        QFile config(d + "/sshd_config");
        config.open(QIODevice::WriteOnly);
        config.write(QStringLiteral("Port %1\nListenAddress 127.0.0.1\nHostKey %2/host_key\nPidFile %2/sshd.pid\n"
                                    "AuthorizedKeysFile %2/authorized_keys\nStrictModes no\nUsePAM no\n"
                                    "PermitRootLogin yes\nPasswordAuthentication yes\nKbdInteractiveAuthentication no\n"
                                    "ForceCommand %3 %4\nPrintMotd no\nPrintLastLog no\nLogLevel ERROR\n")
                         .arg(port)
                         .arg(d, QString::fromUtf8(ZEK_TCPBRIDGE))
                         .arg(host->port())
                         .toUtf8());
        config.close();
        server = new QProcess;
        server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server->start(sshd(), {QStringLiteral("-D"), QStringLiteral("-e"), QStringLiteral("-f"), d + "/sshd_config"});
        const bool up = waitFor([] {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, port);
            return s.waitForConnected(200);
        });
        return up ? QString() : QStringLiteral("sshd did not start");
    }

    static void TearDownTestSuite() {
        if (server) {
            server->terminate();
            server->waitForFinished(3000);
        }
        delete server;
        delete host;
        delete dir;
        server = nullptr, host = nullptr, dir = nullptr;
    }

    void SetUp() override {
        if (!skipReason.isEmpty()) GTEST_SKIP() << skipReason.toStdString();
        QFile::remove(knownHosts());
    }

    static QString knownHosts() { return dir->path() + "/known_hosts"; }
    static QString user() {
        const passwd* pw = getpwuid(getuid());
        return pw ? QString::fromLocal8Bit(pw->pw_name) : QStringLiteral("root");
    }
    BbsAddress address() const { return BbsAddress::parse(QStringLiteral("ssh://%1@127.0.0.1:%2").arg(user()).arg(port)); }
    SshTransport::Options options(bool withKey = true) const {
        SshTransport::Options o;
        o.knownHostsPath = knownHosts();
        if (withKey) o.identityFile = dir->path() + "/client_key";
        o.texts = &texts;
        return o;
    }
    // A known-hosts line for the server under another key.
    void knowOtherKey() const {
        const QByteArray pub = readFile(dir->path() + "/other_host_key.pub").trimmed();
        QFile f(knownHosts());
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("[127.0.0.1]:%1 ").arg(port).toUtf8() + pub.left(pub.lastIndexOf(' ')) + "\n");
    }
};

TEST_F(SshTransportTest, NewKeyAcceptedIsRememberedAndBytesFlowBothWays) {
    ScriptedUi ui;
    {
        SshTransport t(options(), ui);
        Recorder r(t);
        t.open(address());
        const QByteArray logon = host->screen(QStringLiteral("03"))->bytes;
        ASSERT_TRUE(waitFor([&] { return r.received.size() >= logon.size() || r.events.contains("error"); }, 15000))
            << r.reason.toStdString();
        EXPECT_EQ(r.received, logon);  // raw bytes through a raw pseudo-terminal
        EXPECT_EQ(r.events, QStringList{QStringLiteral("connected")});
        ASSERT_EQ(ui.questions.size(), 1);
        EXPECT_TRUE(ui.questions[0].contains(QStringLiteral("SHA256:"))) << ui.questions[0].toStdString();
        EXPECT_TRUE(ui.questions[0].startsWith(QStringLiteral("第一次連到 127.0.0.1:%1。\n").arg(port)));
        EXPECT_TRUE(ui.passwordPrompts.isEmpty());
        EXPECT_TRUE(t.encrypted());
        t.write("tester\r");
        ASSERT_TRUE(waitFor([&] { return host->receivedBytes().endsWith("tester\r"); }));
        ASSERT_TRUE(waitFor([&] { return r.received.size() > logon.size(); }));  // the password prompt
    }
    EXPECT_TRUE(readFile(knownHosts()).startsWith(QStringLiteral("[127.0.0.1]:%1 ").arg(port).toUtf8()));
    // Known now: no question the second time.
    SshTransport again(options(), ui);
    Recorder r(again);
    again.open(address());
    ASSERT_TRUE(waitFor([&] { return !r.events.isEmpty(); }, 15000));
    EXPECT_EQ(r.events.first(), QStringLiteral("connected"));
    EXPECT_EQ(ui.questions.size(), 1);
}

TEST_F(SshTransportTest, RefusedOrChangedKeysStopTheConnection) {
    struct Case {
        const char* name;
        bool knownOther;
        bool yes;
        bool connects;
    };
    for (const Case c : {Case{"new key refused", false, false, false}, Case{"changed key refused", true, false, false},
                         Case{"changed key replaced", true, true, true}}) {
        SCOPED_TRACE(c.name);
        QFile::remove(knownHosts());
        if (c.knownOther) knowOtherKey();
        const QByteArray before = readFile(knownHosts());
        ScriptedUi ui;
        ui.yes = c.yes;
        texts.setMode(QStringLiteral("TW"));
        SshTransport t(options(), ui);
        Recorder r(t);
        t.open(address());
        ASSERT_TRUE(waitFor([&] { return !r.events.isEmpty(); }, 15000));
        EXPECT_EQ(r.events.first(), c.connects ? QStringLiteral("connected") : QStringLiteral("error"));
        ASSERT_EQ(ui.questions.size(), 1);
        EXPECT_EQ(ui.questions[0].contains(QStringLiteral("不同")), c.knownOther);
        const QByteArray after = readFile(knownHosts());
        if (!c.connects) {
            EXPECT_EQ(after, before);
        } else {
            EXPECT_EQ(after.count('\n'), 1);  // the old line went, the new one came
            EXPECT_FALSE(after.contains(before.mid(before.indexOf(' ') + 1).trimmed()));
        }
    }
}

TEST_F(SshTransportTest, WithoutAKeyThePasswordIsAskedAndCancelFails) {
    ScriptedUi ui;
    texts.setMode(QStringLiteral("EN"));
    SshTransport t(options(/*withKey=*/false), ui);
    Recorder r(t);
    t.open(address());
    ASSERT_TRUE(waitFor([&] { return !r.events.isEmpty(); }, 15000));
    EXPECT_EQ(r.events, QStringList{QStringLiteral("error")});
    ASSERT_EQ(ui.passwordPrompts.size(), 1);
    EXPECT_EQ(ui.passwordPrompts[0], QStringLiteral("Password for %1@127.0.0.1:").arg(user()));
}

}  // namespace
