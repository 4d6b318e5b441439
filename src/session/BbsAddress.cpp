#include "session/BbsAddress.h"

#include <QRegularExpression>

namespace {

struct Scheme {
    const char* prefix;
    BbsAddress::Kind kind;
    bool tls;
    int port;
};
constexpr Scheme kSchemes[] = {
    {"telnet://", BbsAddress::Kind::Tcp, false, 23},
    {"ssh://", BbsAddress::Kind::Ssh, false, 22},
    {"ws://", BbsAddress::Kind::WebSocket, false, 80},
    {"wss://", BbsAddress::Kind::WebSocket, true, 443},
};

const Scheme* schemeOf(const QString& text) {
    for (const Scheme& s : kSchemes)
        if (text.startsWith(QLatin1String(s.prefix), Qt::CaseInsensitive)) return &s;
    return nullptr;
}

bool validHost(const QString& host) {
    static const QRegularExpression name(QStringLiteral("^[A-Za-z0-9_]([A-Za-z0-9_.-]{0,252})$"));
    static const QRegularExpression v6(QStringLiteral("^[0-9A-Fa-f:.]{2,45}$"));
    return name.match(host).hasMatch() || (host.contains(QLatin1Char(':')) && v6.match(host).hasMatch());
}

// "host", "host:port", "[v6]" or "[v6]:port"; false when malformed.
bool splitHostPort(const QString& text, QString& host, int& port) {
    QString portText;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 0) return false;
        host = text.mid(1, close - 1);
        const QString rest = text.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':'))) return false;
            portText = rest.mid(1);
        }
        if (!host.contains(QLatin1Char(':'))) return false;
    } else {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        host = colon < 0 ? text : text.left(colon);
        if (colon >= 0) portText = text.mid(colon + 1);
        if (host.contains(QLatin1Char(':'))) return false;
    }
    if (!validHost(host)) return false;
    if (portText.isEmpty()) return true;
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    if (!digits.match(portText).hasMatch()) return false;
    port = portText.toInt();
    return port >= 1 && port <= 65535;
}

}  // namespace

bool BbsAddress::hasScheme(const QString& text) { return schemeOf(text.trimmed()) != nullptr; }

bool BbsAddress::isHostInDomain(const QString& host, const QString& domain) {
    auto asciiLower = [](const QString& text, bool* ascii) {
        QString out(text.size(), Qt::Uninitialized);
        *ascii = true;
        for (qsizetype i = 0; i < text.size(); ++i) {
            char16_t u = text[i].unicode();
            if (u > 0x7E || u < 0x21) *ascii = false;
            if (u >= 'A' && u <= 'Z') u = static_cast<char16_t>(u + ('a' - 'A'));
            out[i] = QChar(u);
        }
        return out;
    };
    bool hostAscii = false, domainAscii = false;
    const QString h = asciiLower(host, &hostAscii), d = asciiLower(domain, &domainAscii);
    if (d.isEmpty() || !hostAscii || !domainAscii) return false;
    if (h == d) return true;
    return h.size() > d.size() + 1 && h.endsWith(d) && h[h.size() - d.size() - 1] == QLatin1Char('.');
}

BbsAddress BbsAddress::parse(const QString& input, int defaultPort) {
    BbsAddress a;
    const QString text = input.trimmed();
    const Scheme* scheme = schemeOf(text);
    if (!scheme) {
        // A plain host name (no scheme) means raw TCP on the default port.
        a.host = text;
        a.port = defaultPort;
        if (text.isEmpty()) a.error = QStringLiteral("no host");
        return a;
    }
    a.kind = scheme->kind;
    a.tls = scheme->tls;
    a.port = scheme->port;
    QString rest = text.mid(qsizetype(qstrlen(scheme->prefix)));
    static const QRegularExpression pathStart(QStringLiteral("[/?#]"));
    const qsizetype end = rest.indexOf(pathStart);
    QString path = end < 0 ? QString() : rest.mid(end);
    if (end >= 0) rest.truncate(end);

    if (const qsizetype at = rest.lastIndexOf(QLatin1Char('@')); at >= 0) {
        a.user = rest.left(at);
        rest = rest.mid(at + 1);
        static const QRegularExpression userName(QStringLiteral("^[A-Za-z0-9._-]{1,64}$"));
        if (a.kind != Kind::Ssh || !userName.match(a.user).hasMatch()) {
            a.error = QStringLiteral("bad user name");
            return a;
        }
    } else if (a.kind == Kind::Ssh) {
        a.user = QStringLiteral("bbs");  // the account BBSs offer over SSH
    }
    if (!splitHostPort(rest, a.host, a.port)) {
        a.error = QStringLiteral("bad host or port");
        return a;
    }
    if (a.kind == Kind::WebSocket) {
        if (const qsizetype hash = path.indexOf(QLatin1Char('#')); hash >= 0) path.truncate(hash);
        if (path.isEmpty() || path.startsWith(QLatin1Char('?'))) path.prepend(QLatin1Char('/'));
        static const QRegularExpression pathChars(QStringLiteral("^/[A-Za-z0-9/._~!$&'()*+,;=:@%?-]*$"));
        if (!pathChars.match(path).hasMatch()) a.error = QStringLiteral("bad path");
        a.path = path;
    } else {
        // A path means nothing to a BBS over TCP or SSH; anything but "/" is a typo.
        if (!path.isEmpty() && path != QLatin1String("/")) a.error = QStringLiteral("unexpected path");
    }
    return a;
}

QString BbsAddress::toString(int defaultPort) const {
    const QString h = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    switch (kind) {
    case Kind::Tcp:
        return port == defaultPort ? host : QStringLiteral("telnet://%1:%2").arg(h).arg(port);
    case Kind::Ssh: {
        QString s = QStringLiteral("ssh://") + user + QLatin1Char('@') + h;
        if (port != 22) s += QLatin1Char(':') + QString::number(port);
        return s;
    }
    case Kind::WebSocket:
        break;
    }
    return webSocketUrl();
}

QString BbsAddress::webSocketUrl() const {
    const QString h = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    QString s = (tls ? QStringLiteral("wss://") : QStringLiteral("ws://")) + h;
    if (port != (tls ? 443 : 80)) s += QLatin1Char(':') + QString::number(port);
    return s + path;
}
