#include "session/MarkedAddress.h"

namespace {
bool startsWith(const QString& text, const char* prefix) {
    return text.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
}
}  // namespace

QString MarkedAddress::caption(const QString& marked) {
    if (startsWith(marked, "http://")) return QStringLiteral("開啟網頁");
    if (startsWith(marked, "ftp://")) return QStringLiteral("開啟FTP");
    return QStringLiteral("當成網址開啟");
}

QString MarkedAddress::url(const QString& marked) {
    QString url = marked;
    if (!startsWith(url, "http://") && !startsWith(url, "ftp://")) url.prepend(QLatin1String("http://"));
    url.replace(QLatin1Char(' '), QLatin1String("%20"));
    return url;
}
