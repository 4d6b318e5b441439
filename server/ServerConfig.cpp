#include "ServerConfig.h"

#include "app/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHostAddress>

#include <vector>

namespace {

struct Option {
    const char* flag;       // "--port"
    const char* iniKey;     // "port", or nullptr when the file may not set it
    const char* envName;    // "ZEK_SERVER_PORT", or nullptr
    std::function<bool(ServerConfig&, const QString&)> set;
};

bool toInt(const QString& text, int low, int high, int& out) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high) return false;
    out = v;
    return true;
}

bool toRate(const QString& text, double& out) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || v < 0 || v > 1e7) return false;
    out = v;
    return true;
}

const std::vector<Option>& options() {
    static const std::vector<Option> table = {
        {"--address", "address", "ZEK_SERVER_ADDRESS",
         [](ServerConfig& c, const QString& v) {
             if (QHostAddress(v.trimmed()).isNull()) return false;
             c.address = v.trimmed();
             return true;
         }},
        {"--port", "port", "ZEK_SERVER_PORT", [](ServerConfig& c, const QString& v) { return toInt(v, 0, 65535, c.port); }},
        {"--public-url", "public_url", "ZEK_SERVER_PUBLIC_URL",
         [](ServerConfig& c, const QString& v) {
             QString url = v.trimmed();
             if (!url.isEmpty() && !url.startsWith(QLatin1String("http://")) && !url.startsWith(QLatin1String("https://")))
                 return false;
             if (!url.isEmpty() && !url.endsWith(QLatin1Char('/'))) url += QLatin1Char('/');
             c.publicUrl = url;
             return true;
         }},
        {"--log", "log", "ZEK_SERVER_LOG", [](ServerConfig& c, const QString& v) { c.logFile = v.trimmed(); return true; }},
        {"--threads", "threads", nullptr, [](ServerConfig& c, const QString& v) { return toInt(v, 1, 1024, c.threads); }},
        {"--rate", "rate", nullptr, [](ServerConfig& c, const QString& v) { return toRate(v, c.rate); }},
        {"--burst", "burst", nullptr, [](ServerConfig& c, const QString& v) { return toRate(v, c.burst); }},
        {"--max-body", "max_body", nullptr,
         [](ServerConfig& c, const QString& v) { return toInt(v, 64, 1 << 20, c.maxBody); }},
        {"--sync", "sync", nullptr,
         [](ServerConfig& c, const QString& v) {
             if (v != QLatin1String("full") && v != QLatin1String("normal")) return false;
             c.syncFull = v == QLatin1String("full");
             return true;
         }},
        {"--postgres", "postgres", "ZEK_SERVER_POSTGRES",
         [](ServerConfig& c, const QString& v) { c.postgres = v.trimmed(); return true; }},
        {"--latest-version", "latest_version", nullptr,
         [](ServerConfig& c, const QString& v) { c.latestVersion = v.trimmed(); return true; }},
        {"--installer", "installer", nullptr,
         [](ServerConfig& c, const QString& v) {
             // A bare file name: the downloads folder is the only place served.
             const QString name = v.trimmed();
             if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.'))) return false;
             c.installer = name;
             return true;
         }},
        {"--ptt-host", "ptt_host", nullptr, [](ServerConfig& c, const QString& v) { c.pttHost = v.trimmed(); return !c.pttHost.isEmpty(); }},
        {"--truncate-downloads", nullptr, nullptr,
         [](ServerConfig& c, const QString& v) {
             bool ok = false;
             c.truncateDownloads = v.toLong(&ok);
             return ok && c.truncateDownloads >= 0;
         }},
    };
    return table;
}

}  // namespace

QString ServerConfig::dataDir() const { return QFileInfo(configFile).absolutePath(); }
QString ServerConfig::databaseFile() const { return dataDir() + QStringLiteral("/zek-server.sqlite"); }
QString ServerConfig::downloadsDir() const { return dataDir() + QStringLiteral("/downloads"); }

QString ServerConfig::defaultConfigFile(const Env& env) {
    QString base = env("XDG_DATA_HOME");
    if (base.isEmpty()) base = (env("HOME").isEmpty() ? QDir::homePath() : env("HOME")) + QStringLiteral("/.local/share");
    return base + QStringLiteral("/zek-server/zek-server.ini");
}

std::optional<ServerConfig> ServerConfig::load(const QStringList& args, const Env& env, QString* error) {
    auto fail = [&](const QString& message) {
        if (error) *error = message;
        return std::nullopt;
    };
    // Flags as name/value pairs; "--name=value" and "--name value" both work.
    std::vector<std::pair<QString, QString>> flags;
    for (int i = 0; i < args.size(); ++i) {
        QString name = args[i];
        QString value;
        if (!name.startsWith(QLatin1String("--"))) return fail(QStringLiteral("unexpected argument: ") + name);
        if (const qsizetype eq = name.indexOf(QLatin1Char('=')); eq > 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return fail(QStringLiteral("missing value after ") + name);
        }
        flags.emplace_back(name, value);
    }

    ServerConfig config;
    config.configFile = env("ZEK_SERVER_CONFIG");
    for (const auto& [name, value] : flags) {
        if (name == QLatin1String("--config")) config.configFile = value;
    }
    if (config.configFile.isEmpty()) config.configFile = defaultConfigFile(env);
    config.configFile = QFileInfo(config.configFile).absoluteFilePath();

    IniFile file;
    file.setPath(config.configFile);
    file.load();
    const QString kSection = QStringLiteral("Server");
    for (const Option& o : options()) {
        if (!o.iniKey) continue;
        const QString value = file.getValue(kSection, QString::fromLatin1(o.iniKey), QString());
        if (!value.isEmpty() && !o.set(config, value)) {
            return fail(QStringLiteral("%1: bad value for %2: %3").arg(config.configFile, QString::fromLatin1(o.iniKey), value));
        }
    }
    for (const Option& o : options()) {
        if (!o.envName) continue;
        const QString value = env(o.envName);
        if (!value.isEmpty() && !o.set(config, value)) {
            return fail(QStringLiteral("bad value in %1: %2").arg(QString::fromLatin1(o.envName), value));
        }
    }
    for (const auto& [name, value] : flags) {
        if (name == QLatin1String("--config")) continue;
        const auto it = std::find_if(options().begin(), options().end(),
                                     [&](const Option& o) { return name == QLatin1String(o.flag); });
        if (it == options().end()) return fail(QStringLiteral("unknown option: ") + name);
        if (!it->set(config, value)) return fail(QStringLiteral("bad value for %1: %2").arg(name, value));
    }
    return config;
}

const char* ServerConfig::usage() {
    return "usage: zek-server [--option value]...\n"
           "Zek's web server: start page, search, user guide, short links, version check.\n"
           "\n"
           "  --config FILE          settings ([Server] section, keys as below with _); the database\n"
           "                         zek-server.sqlite and the downloads/ folder lie beside it\n"
           "                         (ZEK_SERVER_CONFIG; default ~/.local/share/zek-server/zek-server.ini)\n"
           "  --address ADDR         address to listen on (ZEK_SERVER_ADDRESS; default 127.0.0.1)\n"
           "  --port N               port, 0 for any free one (ZEK_SERVER_PORT; default 8080)\n"
           "  --public-url URL       root URL that pages and answers name (default: from the Host header)\n"
           "  --log FILE             one line per request; - is standard error, empty is none (default -)\n"
           "  --threads N            connections served at once (default 64)\n"
           "  --rate N, --burst N    requests per second per client and the burst above it; rate 0\n"
           "                         turns the limit off (default 50 and 200)\n"
           "  --max-body N           largest request body in bytes (default 4096)\n"
           "  --sync normal|full     full: every new link is flushed to disk before it is answered\n"
           "  --postgres CONNINFO    keep links in PostgreSQL instead of the SQLite file (a libpq\n"
           "                         connection string; several servers may share the database)\n"
           "  --latest-version V     version of the installer offered to older clients (\"0.9.14\")\n"
           "  --installer NAME       that installer's file name in downloads/\n"
           "  --ptt-host HOST        the host behind \"Connect to PTT\" on the pages (default ptt.cc)\n"
           "  --truncate-downloads N cut every download after N bytes (for testing clients)\n"
           "\n"
           "The first line on standard output is \"zek-server: listening on http://ADDR:PORT/\".\n"
           "SIGTERM or SIGINT stops it after the requests in progress; every answered link is kept.\n";
}
