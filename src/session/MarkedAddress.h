#pragma once
#include <QString>

// What the popup menu's address item makes of the marked text.
class MarkedAddress {
public:
    // "開啟網頁" for text starting with http://, "開啟FTP" for ftp://, else "當成網址開啟"
    // (prefixes compared without regard to case).
    static QString caption(const QString& marked);
    // The marked text as an address: "http://" in front unless it starts with http:// or
    // ftp://, every blank as "%20".
    static QString url(const QString& marked);
};
