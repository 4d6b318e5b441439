#pragma once
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// How one zek-server process runs. Each value comes from, in this order of strength: a
// command-line flag, an environment variable, the [Server] section of the config file,
// the default. The database lives beside the config file.
struct ServerConfig {
    QString configFile;               // --config, ZEK_SERVER_CONFIG
    QString address = QStringLiteral("127.0.0.1");  // --address, ZEK_SERVER_ADDRESS, address=
    int port = 8080;                  // --port, ZEK_SERVER_PORT, port= (0: any free port)
    QString publicUrl;                // --public-url, public_url=: the root URL pages and
                                      // answers name; empty: from the request's Host
    QString logFile = QStringLiteral("-");  // --log, log=: "-" standard error, "" none
    int threads = 64;                 // --threads, threads=: connections served at once
    double rate = 50;                 // --rate, rate=: requests per second per client (0: off)
    double burst = 200;               // --burst, burst=
    int maxBody = 4096;               // --max-body, max_body=: bytes of a request body
    bool syncFull = false;            // --sync full|normal, sync=
    QString postgres;                 // --postgres, ZEK_SERVER_POSTGRES, postgres=: a libpq
                                      // connection string; links then live in PostgreSQL
    QString latestVersion;            // --latest-version, latest_version=: "0.9.14"
    QString installer;                // --installer, installer=: file in downloads/
    QString pttHost = QStringLiteral("ptt.cc");  // --ptt-host, ptt_host=: "Connect to PTT"
    long truncateDownloads = -1;      // --truncate-downloads N: cut every download after N
                                      // bytes (for trying clients against a broken transfer)

    QString dataDir() const;          // folder of the config file
    QString databaseFile() const;     // dataDir()/zek-server.sqlite
    QString downloadsDir() const;     // dataDir()/downloads

    using Env = std::function<QString(const char*)>;
    // Reads flags (without the program name), the environment and the config file.
    // Nullopt with a message in error for a bad flag or value.
    static std::optional<ServerConfig> load(const QStringList& args, const Env& env, QString* error);
    static QString defaultConfigFile(const Env& env);
    static const char* usage();
};
