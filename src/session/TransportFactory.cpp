#include "session/TransportFactory.h"

#include "app/Deployment.h"
#include "app/IniFile.h"
#include "session/BbsAddress.h"
#include "session/SshTransport.h"
#include "session/TcpTransport.h"
#include "session/WebSocketTransport.h"

namespace transports {

HostOptions hostOptions(const IniFile& hostsIni, const QString& host, const QString& pttDomain) {
    HostOptions o;
    // Sections are matched exactly by the host as written, then lower-cased.
    auto value = [&](const QString& key) {
        QString v = hostsIni.getValue(host, key, QString());
        if (v.isEmpty()) v = hostsIni.getValue(host.toLower(), key, QString());
        return v.trimmed();
    };
    const QString negotiate = value(QStringLiteral("telnet_negotiation"));
    o.telnetNegotiation = !BbsAddress::isHostInDomain(host, pttDomain) && (negotiate == QLatin1String("1") ||
                                                          negotiate.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                                                          negotiate == QLatin1String("-1"));
    o.origin = value(QStringLiteral("origin"));
    // An origin is a scheme and a host, nothing a header could be split with.
    if (o.origin.contains(QLatin1Char('\r')) || o.origin.contains(QLatin1Char('\n'))) o.origin.clear();
    // PTT's WebSocket gateway takes its own web terminal's origin.
    if (o.origin.isEmpty())
        o.origin = BbsAddress::isHostInDomain(host, pttDomain) ? QStringLiteral("https://term.") + pttDomain.toLower()
                                              : QStringLiteral("https://") + host;
    o.identityFile = value(QStringLiteral("identity_file"));
    return o;
}

QString knownHostsPath() { return deployment::configDir() + QStringLiteral("/known_hosts"); }
QString hostsIniPath() { return deployment::configDir() + QStringLiteral("/hosts.ini"); }

std::unique_ptr<BbsTransport> make(const BbsAddress& address, UserInteraction& ui, const LanguageTexts* texts,
                                   QObject* parent) {
    IniFile hosts;
    hosts.setPath(hostsIniPath());
    hosts.load();
    const HostOptions o = hostOptions(hosts, address.host, deployment::pttDomain());
    switch (address.kind) {
    case BbsAddress::Kind::Ssh: {
        SshTransport::Options options;
        options.knownHostsPath = knownHostsPath();
        options.identityFile = o.identityFile;
        options.texts = texts;
        return std::make_unique<SshTransport>(options, ui, parent);
    }
    case BbsAddress::Kind::WebSocket:
        return std::make_unique<WebSocketTransport>(o.origin, parent);
    case BbsAddress::Kind::Tcp:
        break;
    }
    return std::make_unique<TcpTransport>(o.telnetNegotiation, parent);
}

}  // namespace transports
