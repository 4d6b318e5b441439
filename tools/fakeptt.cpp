// fakeptt [--port N] [--fixtures DIR] [--account NAME --password WORD]
//         [--no-questions] [--websocket N] [--water-ball SECONDS]
//
// --websocket N also serves the host over WebSocket (ws://127.0.0.1:N/) for trying the
// client's WebSocket sessions. --water-ball S sends every client an instant message every
// S seconds.
// Runs the test PTT host on 127.0.0.1 until interrupted, for trying the client by hand
// ("zek" then Quick Connect to 127.0.0.1 and the port printed here). Without --port a
// free port is taken. Only loopback is ever listened on.
#include "FakePttHost.h"
#include "FakePttWebSocketFront.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    quint16 port = 0;
    int wsPort = -1;
    int waterBallSeconds = 0;
    QString fixtures, account, password;
    bool questions = true;
    auto usage = [](int code) {
        std::fprintf(stderr, "usage: fakeptt [--port N] [--fixtures DIR] [--account NAME --password WORD] "
                             "[--no-questions] [--websocket N] [--water-ball SECONDS]\n");
        return code;
    };
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool takesValue = a == QLatin1String("--port") || a == QLatin1String("--fixtures") ||
                                a == QLatin1String("--account") || a == QLatin1String("--password") ||
                                a == QLatin1String("--websocket") || a == QLatin1String("--water-ball");
        if (takesValue && i + 1 >= args.size()) return usage(2);
        if (a == QLatin1String("--port")) {
            bool ok = false;
            const int n = args[++i].toInt(&ok);
            if (!ok || n < 0 || n > 65535) return usage(2);
            port = static_cast<quint16>(n);
        } else if (a == QLatin1String("--websocket")) {
            bool ok = false;
            wsPort = args[++i].toInt(&ok);
            if (!ok || wsPort < 0 || wsPort > 65535) return usage(2);
        } else if (a == QLatin1String("--water-ball")) {
            bool ok = false;
            waterBallSeconds = args[++i].toInt(&ok);
            if (!ok || waterBallSeconds < 1) return usage(2);
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
    FakePttWebSocketFront front(host.port());
    if (wsPort >= 0) {
        if (!front.listen(quint16(wsPort))) {
            std::fprintf(stderr, "fakeptt: websocket: %s\n", qPrintable(front.errorString()));
            return 1;
        }
        std::printf("fakeptt websocket on ws://127.0.0.1:%u/\n", front.port());
    }
    std::fflush(stdout);
    QTimer waterBalls;
    if (waterBallSeconds > 0) {
        QObject::connect(&waterBalls, &QTimer::timeout, &host, [&host] {
            host.sendWaterBall(QStringLiteral("SYSOP"), QStringLiteral("水球測試：こんにちは 简体字"));
        });
        waterBalls.start(waterBallSeconds * 1000);
    }
    QObject::connect(&host, &FakePttHost::screenSent, [](const QString& label) {
        std::printf("sent %s\n", qPrintable(label));
        std::fflush(stdout);
    });
    return app.exec();
}
