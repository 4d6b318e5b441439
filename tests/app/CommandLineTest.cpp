// The built program answers --help and --version with no display at all, and starts
// nothing else for them.
#include <gtest/gtest.h>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct ZekRun {
    int code = -1;
    QString out;
};

ZekRun runZek(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
    env.insert("ZEK_CONFIG_DIR", "/nonexistent/zek-command-line-test");  // nothing may be read or written
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZEK_EXECUTABLE), args);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput())};
}

TEST(CommandLine, HelpAndVersionNeedNoDisplay) {
    const struct {
        QStringList args;
        const char* firstLine;
    } cases[] = {
        {{"--version"}, "zek 0.9.13"},
        {{"-v"}, "zek 0.9.13"},
        {{"--help"}, "Usage: zek"},
        {{"-h"}, "Usage: zek"},
        {{"-platform", "offscreen", "--help"}, "Usage: zek"},
    };
    for (const auto& c : cases) {
        const ZekRun r = runZek(c.args);
        EXPECT_EQ(r.code, 0) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.startsWith(QString::fromLatin1(c.firstLine))) << r.out.toStdString();
    }
}

}  // namespace
