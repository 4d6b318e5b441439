// zek-server: Zek's own web server. See ServerConfig::usage() and the README.
#include "ServerConfig.h"
#include "SqliteLinkStore.h"
#ifdef ZEK_HAVE_POSTGRES
#include "PostgresLinkStore.h"
#endif
#include "ZekHttpServer.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(ServerConfig::usage(), stdout);
            return 0;
        }
        args << arg;
    }
    QString error;
    const auto config =
        ServerConfig::load(args, [](const char* name) { return qEnvironmentVariable(name); }, &error);
    if (!config) {
        std::fprintf(stderr, "zek-server: %s\n%s", qPrintable(error), ServerConfig::usage());
        return 2;
    }
    if (!QDir().mkpath(config->dataDir())) {
        std::fprintf(stderr, "zek-server: cannot create %s\n", qPrintable(config->dataDir()));
        return 1;
    }
    // The stop signals are taken by one thread with sigwait, never by a handler: every
    // thread started from here on (the store's checkpoint thread too) inherits the
    // blocked mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::string storeError;
    std::unique_ptr<LinkStore> store;
    QString storeName = config->databaseFile();
    if (!config->postgres.isEmpty()) {
#ifdef ZEK_HAVE_POSTGRES
        storeName = QStringLiteral("PostgreSQL");
        // A few connections: a statement takes well under a millisecond.
        store = PostgresLinkStore::open(config->postgres.toStdString(), std::min(config->threads, 8), &storeError);
#else
        storeError = "this zek-server was built without PostgreSQL (libpq-dev)";
#endif
    } else {
        store = SqliteLinkStore::open(config->databaseFile().toStdString(),
                                      config->syncFull ? SqliteLinkStore::Sync::Full : SqliteLinkStore::Sync::Normal,
                                      &storeError);
    }
    if (!store) {
        std::fprintf(stderr, "zek-server: %s: %s\n", qPrintable(storeName), storeError.c_str());
        return 1;
    }

    ZekHttpServer server(*config, *store);
    const int port = server.bind();
    if (port < 0) {
        std::fprintf(stderr, "zek-server: cannot listen on %s port %d\n", qPrintable(config->address), config->port);
        return 1;
    }
    const QString host = config->address.contains(QLatin1Char(':')) ? QLatin1Char('[') + config->address + QLatin1Char(']')
                                                                     : config->address;
    std::printf("zek-server: listening on http://%s:%d/\n", qPrintable(host), port);
    std::fflush(stdout);
    std::fprintf(stderr, "zek-server: database %s\n", qPrintable(storeName));

    std::thread signalWaiter([&server, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        std::fprintf(stderr, "zek-server: signal %d, stopping\n", signal);
        server.stop();
    });
    server.run();
    // run() also returns when the listening socket fails; wake the waiter then.
    pthread_kill(signalWaiter.native_handle(), SIGTERM);
    signalWaiter.join();
    // Every link was committed before it was answered; closing checkpoints the WAL.
    store.reset();
    std::fprintf(stderr, "zek-server: stopped\n");
    return 0;
}
