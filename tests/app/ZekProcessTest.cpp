// The built zek program as a child process: what a user's session manager or a second
// launch does to it.
#include "StartupFolder.h"
#include "app/IniFile.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <csignal>

namespace {

class ZekProcess {
public:
    explicit ZekProcess(const StartupFolder& folder) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZEK_CONFIG_DIR"), folder.path(QString()));
        env.insert(QStringLiteral("ZEK_MESSAGES"), QStringLiteral("stderr"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("ZEK_WEB_ROOT"));
        process_.setProcessEnvironment(env);
        process_.start(QStringLiteral(ZEK_EXECUTABLE), {});
    }
    ~ZekProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    bool started() { return process_.waitForStarted(30000); }
    bool finished(int ms = 60000) { return process_.waitForFinished(ms); }
    bool running() const { return process_.state() == QProcess::Running; }
    void signal(int number) { ::kill(static_cast<pid_t>(process_.processId()), number); }
    int exitCode() const { return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1; }
    QString errors() { return QString::fromUtf8(process_.readAllStandardError()); }

private:
    QProcess process_;
};

// The lock appears once the main window has loaded, so the program is past start-up.
bool waitForLock(const StartupFolder& folder) {
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        if (folder.exists(QStringLiteral(".zek-instance.lock"))) return true;
        QThread::msleep(50);
    }
    return false;
}

QByteArray defaultsFile() {
    IniFile ini;
    Settings().write(ini);
    return ini.serialize().toUtf8();
}

}  // namespace

// A logout (SIGTERM, or SIGHUP from a closed terminal) or Ctrl+C closes the window as its close box does:
// the settings are written, once, and the program ends normally.
TEST(ZekProcess, TerminationSignalsCloseTheWindowAndKeepTheSettings) {
    qunsetenv("ZEK_WEB_ROOT");
    // Zek keeps ignoring what its starter ignored; a test run started in the background
    // ignores SIGINT, so give the child the ordinary dispositions.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        StartupFolder folder;
        folder.write(QStringLiteral("languages.ini"), StartupFolder::languagesWithKeys());
        ZekProcess zek(folder);
        ASSERT_TRUE(zek.started());
        ASSERT_TRUE(waitForLock(folder)) << zek.errors().toStdString();
        EXPECT_FALSE(folder.exists(QStringLiteral("App.ini")));
        zek.signal(number);
        ASSERT_TRUE(zek.finished()) << "signal " << number;
        EXPECT_EQ(zek.exitCode(), 0) << "signal " << number;
        EXPECT_EQ(folder.read(QStringLiteral("App.ini")), defaultsFile()) << "signal " << number;
        EXPECT_FALSE(folder.exists(QStringLiteral(".zek-instance.lock")));
    }
}

TEST(ZekProcess, ASecondLaunchEndsAtOnceWithoutAWord) {
    StartupFolder folder;
    folder.write(QStringLiteral("languages.ini"), StartupFolder::languagesWithKeys());
    folder.write(QStringLiteral("App.ini"), "[SysConfig]\nlast_bbs=first\n");
    ZekProcess first(folder);
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(waitForLock(folder));

    ZekProcess second(folder);
    ASSERT_TRUE(second.started());
    ASSERT_TRUE(second.finished());
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(second.errors().contains(QStringLiteral("zek message")));
    EXPECT_EQ(folder.read(QStringLiteral("App.ini")), QByteArray("[SysConfig]\nlast_bbs=first\n"));
    EXPECT_TRUE(first.running());

    first.signal(SIGTERM);
    ASSERT_TRUE(first.finished());
    EXPECT_TRUE(folder.read(QStringLiteral("App.ini")).contains("last_bbs=first\n"));
}

