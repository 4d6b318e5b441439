#include "ui/AddressTarget.h"

#include <QRegularExpression>

namespace {

bool startsWithPrefix(const QString& text, const QString& prefix) {
    return !prefix.isEmpty() && text.startsWith(prefix, Qt::CaseSensitive);
}

// A host name or an IPv4 address: letters (any script, for internationalised names),
// digits, dots, hyphens and underscores, not starting or ending with a dot or hyphen.
bool isHostName(const QString& host) {
    static const QRegularExpression re(QStringLiteral("^[\\w](?:[\\w.-]{0,251}[\\w])?$"),
                                       QRegularExpression::UseUnicodePropertiesOption);
    return re.match(host).hasMatch() && !host.contains(QStringLiteral(".."));
}

bool isIPv6(const QString& host) {
    static const QRegularExpression re(QStringLiteral("^[0-9A-Fa-f:.]{2,45}$"));
    return host.contains(QLatin1Char(':')) && re.match(host).hasMatch();
}

AddressTarget invalid(const QString& text) {
    AddressTarget t;
    t.kind = AddressTarget::Kind::Invalid;
    t.text = text;
    return t;
}

}  // namespace

AddressTarget AddressTarget::parse(const QString& typed, const QString& longPrefix, const QString& shortPrefix) {
    AddressTarget t;
    QString text = typed.trimmed();
    t.text = text;
    if (text.isEmpty()) return t;

    if (text.startsWith(QStringLiteral("zek:"), Qt::CaseInsensitive)) {
        QString rest = text.mid(4);
        if (!rest.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) &&
            !rest.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive)) {
            while (rest.startsWith(QLatin1Char('/'))) rest.remove(0, 1);
            rest = longPrefix + rest;
        }
        if (!startsWithPrefix(rest, longPrefix) && !startsWithPrefix(rest, shortPrefix)) return invalid(text);
        t.kind = Kind::ZekUrl;
        t.text = rest;
        return t;
    }
    if (startsWithPrefix(text, longPrefix) || startsWithPrefix(text, shortPrefix) ||
        text.startsWith(QStringLiteral("telnet://"), Qt::CaseInsensitive)) {
        t.kind = Kind::ZekUrl;
        return t;
    }
    // Other transports: the session reads the address itself (and refuses a bad one).
    for (const char* scheme : {"ssh://", "ws://", "wss://"}) {
        if (!text.startsWith(QLatin1String(scheme), Qt::CaseInsensitive)) continue;
        if (text.contains(QRegularExpression(QStringLiteral("\\s")))) return invalid(text);
        t.kind = Kind::Bbs;
        t.host = text;
        return t;
    }
    if (text.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) ||
        text.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive)) {
        t.kind = text.contains(QRegularExpression(QStringLiteral("\\s"))) ? Kind::Invalid : Kind::Web;
        return t;
    }

    // Plain host, "host:port", "[v6]" or "[v6]:port". Blanks inside, a scheme of
    // another kind or a port outside 1..65535 make no BBS address.
    static const QRegularExpression bracketed(QStringLiteral("^\\[([^\\]]+)\\](?::([0-9]{1,5}))?$"));
    static const QRegularExpression hostPort(QStringLiteral("^([^:]+):([0-9]{1,5})$"));
    QString host = text;
    QString port;
    if (const auto m = bracketed.match(text); m.hasMatch()) {
        host = m.captured(1);
        port = m.captured(2);
        if (!isIPv6(host)) return invalid(text);
    } else if (const auto m2 = hostPort.match(text); m2.hasMatch()) {
        host = m2.captured(1);
        port = m2.captured(2);
        if (!isHostName(host)) return invalid(text);
    } else if (!isHostName(host) && !isIPv6(host)) {
        return invalid(text);
    }
    if (!port.isEmpty()) {
        const int p = port.toInt();
        if (p < 1 || p > 65535) return invalid(text);
        t.port = p;
    }
    t.kind = Kind::Bbs;
    t.host = host;
    return t;
}
