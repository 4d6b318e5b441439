#include "web/ServiceAnswers.h"

#include <QUrl>

namespace service_answers {
namespace {

const QString kLineBreak = QStringLiteral("\r\n");
const QString kZekQuery = QStringLiteral("cmd=pas:");
constexpr qsizetype kMaxCode = 128;
constexpr qsizetype kMaxPath = 2048;
constexpr qsizetype kMaxFileName = 200;

bool isCodeChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_' ||
           u == u'-' || u == u'.' || u == u'~';
}

bool isFileNameChar(QChar c) { return isCodeChar(c) || c == QLatin1Char('+'); }

}  // namespace

QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' ')) ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' ')) --end;
    return text.mid(begin, end - begin);
}

QString shortLinkBody(const QString& linkText) {
    const qsizetype question = linkText.indexOf(QLatin1Char('?'));
    QString body = question < 0 ? linkText : linkText.mid(question + 1);
    body.replace(kZekQuery, QStringLiteral("x="));
    return body;
}

std::optional<ShortCode> parseShortCode(const QString& answer, const QString& shortPrefix) {
    const QStringList lines = trimBlanks(answer).split(kLineBreak);
    if (lines.size() != 2) return std::nullopt;
    const QString& code = lines.at(0);
    if (code.isEmpty() || code.size() > kMaxCode) return std::nullopt;
    for (QChar c : code)
        if (!isCodeChar(c)) return std::nullopt;

    ShortCode result;
    result.link = shortPrefix + kZekQuery + code;
    if (code.startsWith(QLatin1String("b_"))) result.type = QStringLiteral("Board");
    else if (code.startsWith(QLatin1String("a_"))) result.type = QStringLiteral("Article");
    else if (code.startsWith(QLatin1String("c_"))) result.type = QStringLiteral("BBS");
    return result;
}

std::optional<QString> parseLongPath(const QString& answer, const QString& longPrefix) {
    const QStringList lines = trimBlanks(answer).split(kLineBreak);
    if (lines.size() < 2) return std::nullopt;
    QString path = lines.at(0);
    path.replace(QLatin1Char('+'), QStringLiteral("%20"));
    if (path.isEmpty() || path.size() > kMaxPath) return std::nullopt;
    for (QChar c : path)
        if (c.unicode() <= 0x20 || c.unicode() == 0x7F) return std::nullopt;
    const qsizetype question = path.indexOf(QLatin1Char('?'));
    if (question < 0 || !QStringView(path).mid(question + 1).startsWith(kZekQuery)) return std::nullopt;
    // The path continues the prefix: it may not start a new authority or scheme.
    if (path.startsWith(QLatin1Char('/')) || path.contains(QLatin1String("://")) ||
        path.left(question).contains(QLatin1Char('@')))
        return std::nullopt;
    return longPrefix + path;
}

QString versionBody(int major, int minor, int revision) {
    return QStringLiteral("major=%1&minor=%2&revision=%3").arg(major).arg(minor).arg(revision);
}

const QStringList& installerSuffixes() {
    // ".exe" is what the version service has always answered; the others are the
    // packages a Linux desktop knows how to open.
    static const QStringList suffixes = {QStringLiteral(".exe"),      QStringLiteral(".deb"),
                                         QStringLiteral(".rpm"),      QStringLiteral(".AppImage"),
                                         QStringLiteral(".tar.gz"),   QStringLiteral(".tar.xz"),
                                         QStringLiteral(".flatpak")};
    return suffixes;
}

std::optional<QString> parseVersionAnswer(const QString& answer) {
    const QString address = answer.trimmed();
    bool installer = false;
    for (const QString& suffix : installerSuffixes())
        if (address.endsWith(suffix, Qt::CaseSensitive)) installer = true;
    if (!installer) return std::nullopt;
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty() || url.hasQuery() || url.hasFragment())
        return std::nullopt;
    if (installerFileName(address).isEmpty()) return std::nullopt;
    return address;
}

QString installerFileName(const QString& downloadUrl) {
    const qsizetype slash = downloadUrl.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) return QString();
    const QString name = downloadUrl.mid(slash + 1);
    if (name.isEmpty() || name.size() > kMaxFileName || name.startsWith(QLatin1Char('.'))) return QString();
    for (QChar c : name)
        if (!isFileNameChar(c)) return QString();
    return name;
}

bool isNotFoundPage(const QByteArray& firstChunk) {
    const qsizetype at404 = firstChunk.indexOf("404");
    if (at404 < 0) return false;
    const qsizetype atNot = firstChunk.indexOf("Not", at404 + 3);
    if (atNot < 0) return false;
    return firstChunk.indexOf("Found", atNot + 3) >= 0;
}

}  // namespace service_answers
