#include "ShortLinkService.h"

#include "ptt/PttTextComponent.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QUrl>

#include <cctype>
#include <chrono>

namespace {

const std::string kZekQuery = "cmd=pas:";

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string toStd(const QString& text) { return text.toStdString(); }

// Host names as DNS writes them, or an IPv6 address; PTT boards and article
// identifiers are ASCII words. Anything else in a link is refused, not stored.
bool plausibleLink(const PttArticle& a) {
    static const QRegularExpression host(QStringLiteral("^([A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?\\.?)+$|^[0-9A-Fa-f:.]+$"));
    static const QRegularExpression board(QStringLiteral("^[A-Za-z0-9_.-]{1,40}$"));
    static const QRegularExpression aid(QStringLiteral("^[A-Za-z0-9_-]{1,20}$"));
    if (a.BBS.size() > 253 || !host.match(a.BBS).hasMatch()) return false;
    if (!a.BoardName.isEmpty() && !board.match(a.BoardName).hasMatch()) return false;
    if (!a.ArticleAID.isEmpty() && !aid.match(a.ArticleAID).hasMatch()) return false;
    return true;
}

QString clipped(const QString& text, int length) {
    QString one = text.simplified();
    if (one.size() > length) one.truncate(length);
    return one;
}

}  // namespace

ShortLinkService::ShortLinkService(LinkStore& store, Clock clock) : store_(store), clock_(std::move(clock)) {
    if (!clock_) {
        clock_ = [] {
            return static_cast<std::int64_t>(
                std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
                    .count());
        };
    }
}

std::optional<StoredLink> ShortLinkService::canonicalLink(const std::string& payload) {
    if (payload.size() > kMaxPayload) return std::nullopt;
    std::string text = payload;
    while (startsWith(text, "x=")) text.erase(0, 2);
    if (startsWith(text, kZekQuery)) text.erase(0, kZekQuery.size());
    // A client that form-encoded the whole value sends "BBS%3Dptt.cc%26Board%3DTest".
    if (text.find('=') == std::string::npos && text.find('%') != std::string::npos) {
        text = QUrl::fromPercentEncoding(QByteArray::fromStdString(text)).toStdString();
    }
    // In form encoding "+" is a blank; Zek reads it the same way when it opens a link.
    QString query = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    query.replace(QLatin1Char('+'), QStringLiteral("%20"));

    const PttTextComponent ptt;
    const auto parsed = ptt.parseURL(QStringLiteral("?") + QString::fromStdString(kZekQuery) + query);
    if (!parsed || parsed->BBS.isEmpty() || !plausibleLink(*parsed)) return std::nullopt;

    // The kind decides what the link keeps: an identifier without its board opens
    // nothing, so such a link is one of the BBS alone.
    PttArticle kept;
    kept.BBS = parsed->BBS;
    kept.BBSPort = parsed->BBSPort;
    StoredLink link;
    std::string prefix = "c_";
    if (!parsed->BoardName.isEmpty()) {
        kept.BoardName = parsed->BoardName;
        prefix = "b_";
        if (!parsed->ArticleAID.isEmpty()) {
            kept.ArticleAID = parsed->ArticleAID;
            prefix = "a_";
            link.title = toStd(clipped(parsed->ArticleTitle, 200));
            link.author = toStd(clipped(parsed->ArticleAuthor, 80));
        }
    }
    link.code = prefix;
    link.path = toStd(ptt.makeArticleURL(QString(), kept));
    link.bbs = toStd(kept.BBSPort > 0 ? kept.BBS + QLatin1Char(':') + QString::number(kept.BBSPort) : kept.BBS);
    link.board = toStd(kept.BoardName);
    link.aid = toStd(kept.ArticleAID);
    return link;
}

std::string ShortLinkService::codeFor(const StoredLink& link, int length) {
    static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(link.path), QCryptographicHash::Sha256);
    std::string code = link.code.substr(0, 2);
    for (int i = 0; i < length && i < digest.size(); ++i) code += kDigits[static_cast<unsigned char>(digest[i]) % 62];
    return code;
}

const char* ShortLinkService::kindName(const std::string& code) {
    if (startsWith(code, "a_")) return "Article";
    if (startsWith(code, "b_")) return "Board";
    return "BBS";
}

std::string ShortLinkService::codeIn(const std::string& text) {
    std::string rest = text.substr(0, text.find('&'));
    if (rest.find('%') != std::string::npos) {
        rest = QUrl::fromPercentEncoding(QByteArray::fromStdString(rest)).toStdString();
    }
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back()))) rest.pop_back();
    size_t start = rest.size();
    while (start > 0 && (std::isalnum(static_cast<unsigned char>(rest[start - 1])) || rest[start - 1] == '_')) --start;
    const std::string code = rest.substr(start);
    if (code.size() < 6 || code.size() > 2 + 32) return {};
    if ((code[0] != 'a' && code[0] != 'b' && code[0] != 'c') || code[1] != '_') return {};
    for (size_t i = 2; i < code.size(); ++i) {
        if (!std::isalnum(static_cast<unsigned char>(code[i]))) return {};
    }
    return code;
}

ServiceAnswer ShortLinkService::shorten(const std::string& body) {
    auto link = canonicalLink(body);
    if (!link) return {400, "not a Zek link"};
    link->created = clock_();
    // Digest prefixes of 8 base-62 digits collide once in about 10^14 links; when one
    // does, the newer link takes a longer prefix of its own digest.
    for (int length = kCodeLength; length <= 32; ++length) {
        StoredLink candidate = *link;
        candidate.code = codeFor(*link, length);
        const auto stored = store_.insertOrGet(candidate);
        if (!stored) return {503, "storage unavailable"};
        if (stored->path == candidate.path) return {200, stored->code + "\r\n" + kindName(stored->code)};
    }
    return {503, "no free code"};
}

ServiceAnswer ShortLinkService::expand(const std::string& body) {
    const std::string code = codeIn(body);
    if (code.empty()) return {400, "not a short link"};
    const auto link = store_.findByCode(code);
    if (!link) return {404, "unknown code"};
    return {200, link->path + "\r\n" + kindName(link->code)};
}

std::optional<StoredLink> ShortLinkService::resolveQuery(const std::string& query) {
    const std::string code = codeIn(query);
    if (code.empty()) return std::nullopt;
    return store_.findByCode(code);
}
