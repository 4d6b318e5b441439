#pragma once
#include <QString>

// Where a session connects and how: what the address bar, quick connect and the BBS part
// of a Zek URL may name. Forms (scheme in any case):
//   host                         raw TCP to the given default port (23 unless told)
//   telnet://host[:port][/]      raw TCP, port 23 by default
//   ssh://[user@]host[:port][/]  SSH, user "bbs" and port 22 by default
//   ws://host[:port]/path        WebSocket, port 80 by default
//   wss://host[:port]/path       WebSocket over TLS, port 443 by default
// Host names are letters, digits, "-", "_" and "." (or a bracketed IPv6 address); a user
// name is letters, digits and "._-". Anything else is refused with an error text, so no
// hostile text reaches a socket or a command line.
struct BbsAddress {
    enum class Kind { Tcp, Ssh, WebSocket };

    Kind kind = Kind::Tcp;
    bool tls = false;      // wss
    QString user;          // SSH only
    QString host;          // without brackets
    int port = 0;
    QString path;          // WebSocket path and query, starting with "/"
    QString error;         // empty when the address is usable

    bool valid() const { return error.isEmpty(); }
    // SSH and wss carry the session encrypted.
    bool encrypted() const { return kind == Kind::Ssh || (kind == Kind::WebSocket && tls); }
    // The address written back in its canonical form (plain "host" for raw TCP on the
    // default port, a URL otherwise); parse(toString()) gives the same address.
    QString toString(int defaultPort = 23) const;
    // The URL a WebSocket connects to.
    QString webSocketUrl() const;

    // True when the text starts with one of the schemes above.
    static bool hasScheme(const QString& text);
    // True when host is domain or a name under it ("x.ptt.cc"), letter case aside; never
    // by "contains" ("ptt.cc.example.org", "notptt.cc" are not under ptt.cc). Names with
    // anything but printable ASCII match nothing.
    static bool isHostInDomain(const QString& host, const QString& domain);
    static BbsAddress parse(const QString& text, int defaultPort = 23);
};
