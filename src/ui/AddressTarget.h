#pragma once
// What the text typed into the address box asks for. One pure function decides it, so
// that new kinds of address (other transports) are added in one place; the main
// window's go command only acts on the answer.
#include <QString>

struct AddressTarget {
    enum class Kind {
        Empty,    // nothing but blanks: nothing happens
        Bbs,      // a plain host, "host:port", "[v6]:port", or an ssh:// or ws(s):// URL (as host)
        ZekUrl,   // a Zek URL or a telnet URL: handed to the Zek URL module as text
        Web,      // an http(s) page that is no Zek URL: opened in a web page tab
        Invalid,  // anything else: said to the user, nothing is opened
    };
    Kind kind = Kind::Empty;
    QString text;   // the trimmed text (ZekUrl, Web: what is opened)
    QString host;   // Bbs
    int port = 23;  // Bbs

    // Reads typed text. longPrefix and shortPrefix are the Zek URL prefixes (settings).
    // "zek:" followed by a Zek URL, or "zek://" followed by what comes after the long
    // prefix, is the form the desktop hands over for Zek URLs.
    static AddressTarget parse(const QString& typed, const QString& longPrefix, const QString& shortPrefix);
};
