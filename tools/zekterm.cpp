// zekterm HOST PORT: one BBS session in a window, for trying a host by hand and for
// screenshots. It talks only to the host it is given; addresses the session would open
// are printed instead, as are clicked links and marked text.
#include "app/Settings.h"
#include "app/StderrUserInteraction.h"
#include "screen/axZekScreen.h"
#include "session/axZEK.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zekterm"));

    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("One BBS session in a window."));
    cli.addHelpOption();
    cli.addPositionalArgument(QStringLiteral("host"), QStringLiteral("Host name or address."));
    cli.addPositionalArgument(QStringLiteral("port"), QStringLiteral("TCP port (23 when left out)."));
    const QCommandLineOption sizeOpt(QStringLiteral("font-size"), QStringLiteral("Screen font size."),
                                     QStringLiteral("size"), QStringLiteral("12"));
    const QCommandLineOption fontOpt(QStringLiteral("font"), QStringLiteral("Screen font name."),
                                     QStringLiteral("name"), QStringLiteral("細明體"));
    const QCommandLineOption shotOpt(QStringLiteral("screenshot"),
                                     QStringLiteral("Save the window to this PNG file and quit."),
                                     QStringLiteral("file"));
    const QCommandLineOption afterOpt(QStringLiteral("after"),
                                      QStringLiteral("Milliseconds to wait before the screenshot."),
                                      QStringLiteral("ms"), QStringLiteral("1500"));
    cli.addOptions({sizeOpt, fontOpt, shotOpt, afterOpt});
    cli.process(app);

    const QStringList args = cli.positionalArguments();
    if (args.isEmpty() || args.size() > 2) cli.showHelp(2);
    bool portOk = true;
    const int port = args.size() == 2 ? args[1].toInt(&portOk) : 23;
    if (!portOk || port < 1 || port > 65535) {
        std::fprintf(stderr, "zekterm: not a port: %s\n", qPrintable(args[1]));
        return 2;
    }

    Settings settings;
    StderrUserInteraction ui;
    QWidget window;
    window.setWindowTitle(QStringLiteral("zekterm %1:%2").arg(args[0]).arg(port));
    window.setStyleSheet(QStringLiteral("background: black; color: #c0c0c0;"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* session = new axZEK(settings, ui, &window);
    layout->addWidget(session);

    QObject::connect(session, &axZEK::Connected, [] { std::fprintf(stderr, "zekterm: connected\n"); });
    QObject::connect(session, &axZEK::SocketError, [&] {
        std::fprintf(stderr, "zekterm: cannot connect to %s\n", qPrintable(args[0]));
    });
    QObject::connect(session, &axZEK::LinkClicked, [](const QString& link) {
        std::printf("LinkClicked %s\n", qPrintable(link));
        std::fflush(stdout);
    });
    QObject::connect(session, &axZEK::TextMarked, [](const QString& text) {
        std::printf("TextMarked %s\n", qPrintable(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n"))));
        std::fflush(stdout);
    });

    session->SetFont(cli.value(fontOpt), cli.value(sizeOpt).toFloat());
    const QSize screenSize = session->screen()->size();
    session->setMinimumSize(screenSize + QSize(0, 20));
    window.resize(screenSize + QSize(0, 20));
    window.show();
    session->setFocus();
    session->Init(args[0], port);

    if (cli.isSet(shotOpt)) {
        const QString file = cli.value(shotOpt);
        QTimer::singleShot(cli.value(afterOpt).toInt(), &window, [&window, file] {
            const bool ok = window.grab().save(file);
            std::fprintf(stderr, "zekterm: %s %s\n", ok ? "saved" : "could not save", qPrintable(file));
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return app.exec();
}
