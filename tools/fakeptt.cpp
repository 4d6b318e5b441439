// fakeptt [--port N] [--fixtures DIR] [--account NAME --password WORD]
//         [--no-questions]
//
// Runs the test PTT host on 127.0.0.1 until interrupted, for trying the client by hand
// ("zek" then Quick Connect to 127.0.0.1 and the port printed here). Without --port a
// free port is taken. Only loopback is ever listened on.
#include "FakePttHost.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    quint16 port = 0;
    QString fixtures, account, password;
    bool questions = true;
    auto usage = [](int code) {
        std::fprintf(stderr, "usage: fakeptt [--port N] [--fixtures DIR] [--account NAME --password WORD] "
                             "[--no-questions]\n");
        return code;
    };
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool takesValue = a == QLatin1String("--port") || a == QLatin1String("--fixtures") ||
                                a == QLatin1String("--account") || a == QLatin1String("--password");
        if (takesValue && i + 1 >= args.size()) return usage(2);
        if (a == QLatin1String("--port")) {
            bool ok = false;
            const int n = args[++i].toInt(&ok);
            if (!ok || n < 0 || n > 65535) return usage(2);
            port = static_cast<quint16>(n);
        } else if (a == QLatin1String("--fixtures")) {
            fixtures = args[++i];
        } else if (a == QLatin1String("--account")) {
            account = args[++i];
        } else if (a == QLatin1String("--password")) {
            password = args[++i];
        } else if (a == QLatin1String("--no-questions")) {
            questions = false;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            return usage(0);
        } else {
            return usage(2);
        }
    }

    std::unique_ptr<FakePttHost> owned = fixtures.isEmpty() ? std::make_unique<FakePttHost>()
                                                            : std::make_unique<FakePttHost>(fixtures);
    FakePttHost& host = *owned;
    if (!account.isEmpty() || !password.isEmpty()) host.setAccount(account, password);
    host.setLogonQuestions(questions, questions);
    if (!host.listen(port)) {
        std::fprintf(stderr, "fakeptt: %s\n", qPrintable(host.errorString()));
        return 1;
    }
    std::printf("fakeptt listening on 127.0.0.1:%u (account %s)\n", host.port(), qPrintable(host.account()));
    std::fflush(stdout);
    QObject::connect(&host, &FakePttHost::screenSent, [](const QString& label) {
        std::printf("sent %s\n", qPrintable(label));
        std::fflush(stdout);
    });
    return app.exec();
}
