#include "PttTextComponent.h"

#include "session/BbsAddress.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

#include <algorithm>

const QString PttTextComponent::kErrorNoAuthor = QStringLiteral("ERROR_ARTICLE_AUTHOR_NOT_FOUND");
const QString PttTextComponent::kErrorNoTitle = QStringLiteral("ERROR_ARTICLE_TITLE_NOT_FOUND");

namespace {

const QString kQueryStart = QStringLiteral("cmd=pas:");
// What survives of the query in a clipboard hand-off, which strips every "pas:".
const QString kHandOffQueryStart = QStringLiteral("cmd=");
const QString kKeyBBS = QStringLiteral("BBS");
const QString kKeyBoard = QStringLiteral("Board");
const QString kKeyAID = QStringLiteral("ArticleAID");

QString removeBlanks(QString s) {
    s.remove(QLatin1Char(' '));
    s.remove(QChar(0x3000));  // full-width blank
    return s;
}

bool isAidChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '-' || u == '_';
}

// Letters, digits and "_-.:" stay; everything else (UTF-8) becomes %XX.
QString encodeValue(const QString& value) {
    QString out;
    const QByteArray utf8 = value.toUtf8();
    out.reserve(utf8.size());
    for (char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_' ||
            b == '-' || b == '.' || b == ':') {
            out.append(QLatin1Char(ch));
        } else {
            out.append(QStringLiteral("%%1").arg(b, 2, 16, QLatin1Char('0')).toUpper());
        }
    }
    return out;
}

// Blanks around a value ("+" in a link is one) are dropped; control characters are kept,
// so that the caller can refuse a value carrying CR or ESC instead of typing a cleaned-up
// version of something crafted.
QString trimBlanks(const QString& value) {
    qsizetype from = 0, to = value.size();
    while (from < to && value[from] == QLatin1Char(' ')) ++from;
    while (to > from && value[to - 1] == QLatin1Char(' ')) --to;
    return value.mid(from, to - from);
}

QString decodeValue(const QString& value) {
    return QUrl::fromPercentEncoding(value.toUtf8());
}

// "host", "host:port" or "[v6 address]:port" as one URL value.
// A host with a colon is bracketed even without a port, so that reading it back never
// takes its last part for one.
QString encodeHost(const QString& host, int port) {
    QString text = host;
    if (host.contains(QLatin1Char(':'))) text = QLatin1Char('[') + host + QLatin1Char(']');
    if (port > 0) text += QLatin1Char(':') + QString::number(port);
    return encodeValue(text);
}

// Splits "host", "host:port", "[v6]", "[v6]:port" and a bare v6 address. False for a
// port that is not a number in 1..65535.
bool splitHost(const QString& text, QString& host, int& port) {
    port = 0;
    QString rest;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 0) return false;
        host = text.mid(1, close - 1);
        rest = text.mid(close + 1);
        if (rest.isEmpty()) return true;
        if (!rest.startsWith(QLatin1Char(':'))) return false;
        rest = rest.mid(1);
    } else if (text.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        host = text.left(colon);
        rest = text.mid(colon + 1);
        if (rest.isEmpty()) return true;  // "host:" names no port
    } else {
        host = text;  // no port, or a bare v6 address
        return true;
    }
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    if (!digits.match(rest).hasMatch()) return false;
    port = rest.toInt();
    return port >= 1 && port <= 65535;
}

// A link finder drops a final "." or ":" from a URL; write it encoded.
QString protectEnd(QString url) {
    if (url.endsWith(QLatin1Char('.'))) url.replace(url.size() - 1, 1, QStringLiteral("%2E"));
    else if (url.endsWith(QLatin1Char(':'))) url.replace(url.size() - 1, 1, QStringLiteral("%3A"));
    return url;
}

QString buildURL(const QString& prefix, const QString& hostValue, const QString& board, const QString& aid) {
    QStringList parts;
    if (!hostValue.isEmpty()) parts << kKeyBBS + QLatin1Char('=') + hostValue;
    if (!board.isEmpty()) parts << kKeyBoard + QLatin1Char('=') + encodeValue(board);
    if (!aid.isEmpty()) parts << kKeyAID + QLatin1Char('=') + encodeValue(aid);
    return protectEnd(prefix + QLatin1Char('?') + kQueryStart + parts.join(QLatin1Char('&')));
}

// The rest of the row after label, trimmed; "" when the label is not there.
QString fieldAfter(const QString& row, const QString& label, qsizetype* labelAt = nullptr) {
    const qsizetype at = row.indexOf(label);
    if (labelAt) *labelAt = at;
    if (at < 0) return QString();
    return row.mid(at + label.size()).trimmed();
}

std::optional<PttArticle> parseTelnet(const QString& link) {
    QString rest = link.mid(9);  // after "telnet://"
    static const QRegularExpression pathStart(QStringLiteral("[/?#]"));
    const qsizetype end = rest.indexOf(pathStart);
    if (end >= 0) rest = rest.left(end);  // a path after the host means nothing to a BBS
    if (const qsizetype at = rest.lastIndexOf(QLatin1Char('@')); at >= 0) rest = rest.mid(at + 1);
    PttArticle article;
    if (!splitHost(decodeValue(rest), article.BBS, article.BBSPort)) return std::nullopt;
    article.BBS = article.BBS.trimmed();
    return article;
}

}  // namespace

bool PttTextComponent::isArticleList(const QString& row2, const QString& screen) const {
    // The column header of a board's list; a mailbox says "信件標題" instead.
    const QString header = removeBlanks(row2);
    if (header.contains(QStringLiteral("編號")) && header.contains(QStringLiteral("作者")) &&
        header.contains(QStringLiteral("文章標題")))
        return true;
    // The information box opened on the list is drawn next to the cursor, sometimes over
    // the column header; the list's title row ("看板《Name》") still tells it from an
    // article, whose header says "看板  Name".
    return hasArticleInfo(QString(), QString(), screen) &&
           (screen.contains(QStringLiteral("看板《")) || screen.contains(QStringLiteral("系列《")));
}

QString PttTextComponent::getBoardName(const QString& row0) const {
    // The board stands at the right of the title row; the left part may hold other
    // brackets, so take the last opening mark.
    qsizetype open = -1;
    for (const QString& mark : {QStringLiteral("看板《"), QStringLiteral("系列《")}) {
        open = std::max(open, row0.lastIndexOf(mark));
    }
    if (open < 0) return QString();
    const qsizetype from = open + 3;
    const qsizetype close = row0.indexOf(QStringLiteral("》"), from);
    if (close < 0) return QString();
    return row0.mid(from, close - from).trimmed();
}

QString PttTextComponent::makeBoardURL(const QString& longPrefix, const QString& BBS,
                                       const QString& boardName) const {
    return buildURL(longPrefix, encodeValue(BBS.trimmed()), boardName.trimmed(), QString());
}

bool PttTextComponent::isArticlePage(const QString& row19, const QString& row23, const QString& screen) const {
    // The reader's status line: "瀏覽 第 1/3 頁 ( 40%)" (older builds: "瀏覽 P.1 ( 40%)").
    static const QRegularExpression status(QStringLiteral("瀏覽\\s*(第\\s*\\d+/\\d+\\s*頁|P\\.\\d+)"));
    return status.match(row23).hasMatch() || hasArticleInfo(row19, row23, screen);
}

bool PttTextComponent::hasArticleInfo(const QString& row19, const QString& /*row23*/,
                                      const QString& screen) const {
    // While reading, "Q" opens the box at rows 18..22 with the identifier on row 19; on a
    // list it opens next to the cursor, so the whole screen is searched.
    return !getArticleAID(row19).isEmpty() || !articleInfoAID(screen).isEmpty();
}

QString PttTextComponent::articleInfoAID(const QString& screen) const {
    // "文章代碼(AID): #1h57JlJx": exactly eight identifier characters after the "#".
    static const QRegularExpression box(QStringLiteral("文章代碼\\(AID\\):\\s*#([0-9A-Za-z_-]{8})(?![0-9A-Za-z_-])"));
    const auto m = box.match(screen);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString PttTextComponent::getArticleAID(const QString& row19) const {
    const qsizetype label = row19.indexOf(QStringLiteral("文章代碼"));
    if (label < 0) return QString();
    const qsizetype hash = row19.indexOf(QLatin1Char('#'), label);
    if (hash < 0) return QString();
    qsizetype end = hash + 1;
    while (end < row19.size() && isAidChar(row19[end])) ++end;
    return row19.mid(hash + 1, end - hash - 1);
}

PttArticle PttTextComponent::getArticleFromHeader(const QString& row0, const QString& row1, const QString& row2,
                                                  const QString& /*row23*/, const QString& /*screen*/) const {
    PttArticle article;
    // Row 0: " 作者  id (nickname)      看板  Board"; posts from outside say 站內.
    qsizetype authorAt = -1;
    QString author = fieldAfter(row0, QStringLiteral("作者"), &authorAt);
    for (const QString& label : {QStringLiteral("看板"), QStringLiteral("站內")}) {
        const qsizetype at = author.lastIndexOf(label);
        if (at >= 0) {
            article.BoardName = author.mid(at + label.size()).trimmed().section(QLatin1Char(' '), 0, 0);
            author = author.left(at).trimmed();
            break;
        }
    }
    article.ArticleAuthor = author;
    article.ArticleTitle = fieldAfter(row1, QStringLiteral("標題"));
    article.ArticleTime = fieldAfter(row2, QStringLiteral("時間"));
    if (article.ArticleAuthor.isEmpty()) article.setErrorText(kErrorNoAuthor);
    else if (article.ArticleTitle.isEmpty()) article.setErrorText(kErrorNoTitle);
    return article;
}

QString PttTextComponent::makeArticleURL(const QString& longPrefix, const PttArticle& article) const {
    return buildURL(longPrefix, encodeHost(article.BBS.trimmed(), article.BBSPort), article.BoardName.trimmed(),
                    article.ArticleAID.trimmed());
}

bool PttTextComponent::canUseZEKURL(const QString& row1, const QString& /*screen*/) const {
    return row1.contains(QStringLiteral("請輸入看板名稱"));
}

bool PttTextComponent::checkResultList(const QString& /*screen*/, const QString& row3) const {
    // The first entry of the list, marked with the cursor.
    static const QRegularExpression selectedFirst(QStringLiteral("^\\s*(>|●)\\s*\\d+\\s"));
    return selectedFirst.match(row3).hasMatch();
}

std::optional<PttArticle> PttTextComponent::parseURL(const QString& link) const {
    const QString text = link.trimmed();
    if (text.startsWith(QStringLiteral("telnet://"), Qt::CaseInsensitive)) return parseTelnet(text);

    const qsizetype question = text.indexOf(QLatin1Char('?'));
    if (question < 0) return std::nullopt;
    QString query = text.mid(question + 1);
    if (const qsizetype hash = query.indexOf(QLatin1Char('#')); hash >= 0) query.truncate(hash);
    if (query.startsWith(kQueryStart)) query = query.mid(kQueryStart.size());
    else if (query.startsWith(kHandOffQueryStart)) query = query.mid(kHandOffQueryStart.size());
    else return std::nullopt;

    PttArticle article;
    for (const QString& pair : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0) continue;
        const QString key = pair.left(eq);
        const QString value = trimBlanks(decodeValue(pair.mid(eq + 1)));
        if (key.compare(kKeyBBS, Qt::CaseInsensitive) == 0 && BbsAddress::hasScheme(value)) {
            // "ssh://bbs@ptt.cc", "wss://ws.ptt.cc/bbs": the address names its own port;
            // it is kept whole (written canonically) for the session to connect by.
            const BbsAddress address = BbsAddress::parse(value);
            if (!address.valid()) return std::nullopt;
            article.BBS = address.toString();
            article.BBSPort = 0;
        } else if (key.compare(kKeyBBS, Qt::CaseInsensitive) == 0) {
            if (!splitHost(value, article.BBS, article.BBSPort)) return std::nullopt;
            article.BBS = article.BBS.trimmed();
        } else if (key.compare(kKeyBoard, Qt::CaseInsensitive) == 0 ||
                   key.compare(QStringLiteral("BoardName"), Qt::CaseInsensitive) == 0) {
            article.BoardName = value;
        } else if (key.compare(kKeyAID, Qt::CaseInsensitive) == 0) {
            article.ArticleAID = value.startsWith(QLatin1Char('#')) ? value.mid(1) : value;
        } else if (key.compare(QStringLiteral("Title"), Qt::CaseInsensitive) == 0) {
            article.ArticleTitle = value;
        } else if (key.compare(QStringLiteral("Author"), Qt::CaseInsensitive) == 0) {
            article.ArticleAuthor = value;
        }
        // Other keys belong to the web server's pages and are ignored here.
    }
    return article;
}
