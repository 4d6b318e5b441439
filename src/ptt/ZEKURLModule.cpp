#include "ZEKURLModule.h"

#include "PageKeyTable.h"
#include "PttTextComponent.h"
#include "ZEKAddressPoolCls.h"
#include "ZekUrlHost.h"
#include "ZekUrlSafety.h"
#include "app/Deployment.h"
#include "app/LanguageTexts.h"
#include "app/Settings.h"
#include "app/UserInteraction.h"
#include "screen/Big5.h"
#include "screen/CellSource.h"

#include <QRegularExpression>

namespace {

constexpr int kLastRow = 23;
constexpr int kCols = 80;
const QString kZekQuery = QStringLiteral("cmd=pas:");
// A clipboard hand-off strips every "pas:", leaving "?cmd=" before the payload.
const QString kHandOffQuery = QStringLiteral("cmd=");

// An empty prefix would make every text look like a Zek URL; it matches nothing.
bool beginsWith(const QString& text, const QString& prefix) {
    return !prefix.isEmpty() && text.startsWith(prefix);
}

}  // namespace

ZEKURLModule::ZEKURLModule(const PageKeyTable& keys, const PttTextComponent& ptt, ZEKAddressPoolCls& pool,
                           const Settings& settings, const LanguageTexts& texts, UserInteraction& ui,
                           ZekUrlHost& host)
    : keys_(keys), ptt_(ptt), pool_(pool), settings_(settings), texts_(texts), ui_(ui), host_(host) {}

QString ZEKURLModule::RowText(const CellSource& screen, int row) {
    if (row < 0 || row > kLastRow) return QString();
    // The screen's own reading of the row (Big5 pairs joined), straight into UTF-16.
    char16_t text[kCols * 2];
    int length = 0;
    for (const ScreenCell& cell : screen.rowCells(row)) {
        const char32_t cp = cell.codePoint;
        if (cp > 0xFFFF) {
            text[length++] = QChar::highSurrogate(cp);
            text[length++] = QChar::lowSurrogate(cp);
        } else {
            text[length++] = static_cast<char16_t>(cp);
        }
    }
    return QString(reinterpret_cast<const QChar*>(text), length);
}

QString ZEKURLModule::ScreenText(const CellSource& screen) {
    QString text;
    text.reserve(24 * 80);
    for (int row = 0; row <= kLastRow; ++row) text += RowText(screen, row);
    return text;
}

ZEKAddressRef ZEKURLModule::Classify(int sessionIndex, const CellSource& screen) {
    ZEKAddressRef record = pool_.Item(QString::number(sessionIndex));
    if (!record) record = std::make_shared<ZEKAddressCls>();
    Classify(*record, screen);
    return record;
}

void ZEKURLModule::Classify(ZEKAddressCls& r, const CellSource& screen) {
    using K = PageKeyTable;
    const QString screenText = ScreenText(screen);
    const QString row0 = RowText(screen, 0);
    const QString row1 = RowText(screen, 1);
    const QString row2 = RowText(screen, 2);
    const QString row19 = RowText(screen, 19);
    const QString row23 = RowText(screen, kLastRow);
    const QString& prefix = settings_.prefix_of_zek_long_url;
    const bool window = host_.hasMainWindow();

    r.setScreen(screenText);
    r.setPosition(ZEKAddressCls::PosOther);
    r.setAutoReply(false);
    if (screenText.isEmpty()) {
        r.setErrorInfo(QStringLiteral("ERROR_INVALID_SCREEN"));
        return;
    }
    if (window) host_.setTxtZEKURL(QString());

    // The record's flags are tested before the texts: the key lists are pure, and after
    // logon most of them need not be searched at all.
    if (keys_.matches(K::MainMenu, screenText)) {
        r.setPosition(ZEKAddressCls::PosMainMenu);
        r.setAlreadyLogon(true);
    }
    const bool logonPage = !r.AlreadyLogon() && keys_.matches(K::LogonPage, screenText);
    if (logonPage && r.Position() == 0) r.setPosition(ZEKAddressCls::PosLogonPage);

    // The waiting period after the password was sent: the logon page is still on the
    // screen then, and must not be taken for a new one.
    if (!r.AutoDelay()) {
        if (keys_.matches(K::DelayStarting, screenText) && !keys_.matches(K::DelayEnding, screenText))
            r.setAutoDelay(true);
    } else if (keys_.matches(K::DelayEnding, screenText)) {
        r.setAutoDelay(false);
    }

    if (logonPage && !r.AlreadyLogon()) {
        if (r.AutoDelay()) r.setPosition(ZEKAddressCls::PosOther);
        else if (keys_.matches(K::LogonAgain, screenText)) r.setPosition(ZEKAddressCls::PosLogonAgain);
    }
    if (!r.AutoDelay() && !r.AlreadyLogon() && keys_.matches(K::LogonStop, screenText))
        r.setPosition(ZEKAddressCls::PosLogonStop);
    if (!r.AutoDelay() && !r.AlreadyLogon() && keys_.matches(K::LogonReply, screenText))
        r.setPosition(ZEKAddressCls::PosLogonReply);

    QString listBoxAid;
    if (ptt_.isArticleList(row2, screenText) && r.Position() == 0) {
        r.setPosition(ZEKAddressCls::PosArticleList);
        if (keys_.matches(K::ArticleListFirstRow, row0)) {
            const QString board = ptt_.getBoardName(row0);
            if (board.isEmpty()) r.setErrorInfo(QStringLiteral("ERROR_BOARD_NAME_NOT_FOUND"));
            else r.setBoardName(board);
        }
        // The information box opened over the list names the article under the cursor.
        listBoxAid = ptt_.articleInfoAID(screenText);
        PttArticle selected;
        selected.BBS = r.BBS();
        selected.BBSPort = linkPort(r);
        selected.BoardName = r.BoardName();
        selected.ArticleAID = listBoxAid;
        if (window) host_.setTxtZEKURL(ptt_.makeArticleURL(prefix, selected));
    }

    if (keys_.matches(K::ResultListFirstRow, row0) && keys_.matches(K::ResultListLastRow, row23) &&
        (r.Position() == 0 || r.Position() == ZEKAddressCls::PosArticleList)) {
        r.setPosition(ZEKAddressCls::PosResultList);
    }

    if (keys_.matches(K::AutoReply, screenText)) r.setAutoReply(true);

    if (ptt_.isArticlePage(row19, row23, screenText) && r.Position() == 0) {
        r.setPosition(ZEKAddressCls::PosArticle);
        PttArticle article;
        if (!keys_.matches(K::ArticleFirstRow, row0)) {
            // Scrolled past the header: what was learned from it stays; the information
            // box adds the identifier.
            if (ptt_.hasArticleInfo(row19, row23, screenText)) r.setArticleAID(ptt_.getArticleAID(row19));
            article.BBS = r.BBS();
            article.BoardName = r.BoardName();
            article.ArticleAID = r.ArticleAID();
            article.ArticleAuthor = r.ArticleAuthor();
            article.ArticleTitle = r.ArticleTitle();
            article.ArticleTime = r.ArticleTime();
        } else {
            article = ptt_.getArticleFromHeader(row0, row1, row2, row23, screenText);
            if (!article.errorText().isEmpty()) {
                r.setErrorInfo(article.errorText());
                // Still a link to this BBS and board: never a URL without its BBS.
                article.BBS = r.BBS();
                if (article.BoardName.isEmpty()) article.BoardName = r.BoardName();
            } else {
                article.BBS = r.BBS();
                r.setArticleTime(QString());
                auto merge = [](QString& fromScreen, const QString& known, auto set) {
                    if (fromScreen.isEmpty()) fromScreen = known;
                    else set(fromScreen);
                };
                merge(article.BoardName, r.BoardName(), [&r](const QString& v) { r.setBoardName(v); });
                merge(article.ArticleAuthor, r.ArticleAuthor(), [&r](const QString& v) { r.setArticleAuthor(v); });
                merge(article.ArticleTitle, r.ArticleTitle(), [&r](const QString& v) { r.setArticleTitle(v); });
                merge(article.ArticleAID, r.ArticleAID(), [&r](const QString& v) { r.setArticleAID(v); });
                if (!article.ArticleTime.isEmpty()) r.setArticleTime(article.ArticleTime);
                // The article that the walk's jump opened is the one it jumped to.
                if (article.ArticleAID.isEmpty() && !r.JumpedAID().isEmpty() &&
                    article.BoardName.compare(r.BoardName(), Qt::CaseInsensitive) == 0) {
                    article.ArticleAID = r.JumpedAID();
                    r.setArticleAID(r.JumpedAID());
                }
            }
        }
        r.setJumpedAID(QString());
        // The information box gives the identifier whether or not the header is on the
        // screen too (a one-page article, page 1 of any article).
        if (const QString boxAid = ptt_.articleInfoAID(screenText); !boxAid.isEmpty()) {
            r.setArticleAID(boxAid);
            article.ArticleAID = boxAid;
        }
        article.BBSPort = linkPort(r);
        if (window) host_.setTxtZEKURL(ptt_.makeArticleURL(prefix, article));
    }

    // A jump is good only until the article it opens. Any other page after it (or a
    // message waiting for a key: PTT's answer to an identifier it does not have) means
    // the next article is the user's own choice.
    if ((r.Position() != ZEKAddressCls::PosArticleList && r.Position() != ZEKAddressCls::PosOther) || r.AutoReply())
        r.setJumpedAID(QString());
    if (ptt_.canUseZEKURL(row1, screenText)) r.setCanUseZEKURL(true);
    if (r.Position() != ZEKAddressCls::PosArticle) r.OutOfArticle();
    if (!listBoxAid.isEmpty()) r.setArticleAID(listBoxAid);
    r.setLongURL(window ? host_.TxtZEKURL() : QString());
}

int ZEKURLModule::linkPort(const ZEKAddressCls& r) {
    // PTT spreads its sessions over several ports, any of which serves a link; another
    // BBS is reached only on the port it was reached on. A URL (ssh://, wss://) carries
    // its own.
    if (r.BBSPort() == 23 || isPttHost(r.BBS()) || r.BBS().contains(QLatin1String("://"))) return 0;
    return r.BBSPort();
}

bool ZEKURLModule::isPttHost(const QString& host) {
    return ZekUrlSafety::isPttHost(host, deployment::pttDomain());
}

bool ZEKURLModule::typesSafely(const PttArticle& link) {
    if (!link.BoardName.isEmpty() && !ZekUrlSafety::isBoardName(link.BoardName)) return false;
    if (!link.ArticleAID.isEmpty() && !ZekUrlSafety::articleId(link.ArticleAID)) return false;
    return true;
}

bool ZEKURLModule::isZekURL(const QString& url) const {
    if (!beginsWith(url, settings_.prefix_of_zek_long_url)) return false;
    const QString rest = url.mid(settings_.prefix_of_zek_long_url.size());
    const qsizetype question = rest.indexOf(QLatin1Char('?'));
    if (question < 0) return false;
    const QString query = rest.mid(question + 1);
    return query.startsWith(kZekQuery) || query.startsWith(kHandOffQuery);
}

bool ZEKURLModule::isShortZekURL(const QString& url) const {
    return beginsWith(url, settings_.prefix_of_zek_short_url) &&
           url.mid(settings_.prefix_of_zek_short_url.size()).startsWith(kZekQuery);
}

bool ZEKURLModule::interceptsNavigation(const QString& url, bool startPage) const {
    const bool underPrefix = beginsWith(url, settings_.prefix_of_zek_long_url) ||
                             (startPage && beginsWith(url, settings_.prefix_of_zek_short_url));
    return underPrefix && (isZekURL(url) || isShortZekURL(url));
}

void ZEKURLModule::showError(const QString& errorName) {
    ui_.message(texts_.text(errorName), texts_.messageTitle());
}

ZEKAddressRef ZEKURLModule::destinationRecord(const QString& BBS, int port, const QString& board,
                                              const QString& aid) const {
    auto record = std::make_shared<ZEKAddressCls>();
    record->setBBS(BBS.trimmed());
    record->setBBSPort(port);
    if (!board.isEmpty()) record->setDestinationBoardName(board.trimmed());
    if (!board.isEmpty() && !aid.isEmpty()) record->setDestinationAID(aid);
    return record;
}

void ZEKURLModule::openZEKURL(const QString& input) {
    QString text = input.trimmed();
    if (text.isEmpty()) return;
    text.replace(QLatin1Char('+'), QStringLiteral("%20"));

    // A short link names only a code: the web server knows the long form.
    if (isShortZekURL(text)) {
        if (!host_.resolveShortURL(text)) ui_.openUrl(text);
        return;
    }
    const bool underPrefix = beginsWith(text, settings_.prefix_of_zek_long_url);
    // The product's own pages (start page, search, manual) are no sessions to open.
    if (underPrefix && !isZekURL(text)) {
        ui_.openUrl(text);
        return;
    }

    std::optional<PttArticle> link;
    if (underPrefix || text.toLower().startsWith(QStringLiteral("telnet://"))) link = ptt_.parseURL(text);

    // Plain text may be "host:port"; a descriptor may carry a port (telnet URLs). Both
    // open on that port; everything else on 23.
    auto openPlain = [this](const QString& hostText) {
        static const QRegularExpression hostPort(QStringLiteral("^([^\\s:/\\[\\]]+):([0-9]{1,5})$"));
        const auto m = hostPort.match(hostText);
        const int port = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (port >= 1 && port <= 65535) host_.OpenBBS2(m.captured(1), port);
        else host_.OpenBBS(hostText);
    };
    auto openDescribed = [this](const PttArticle& a) {
        if (a.BBSPort > 0) host_.OpenBBS2(a.BBS, a.BBSPort);
        else host_.OpenBBS(a.BBS);
    };

    // Checked before anything is opened or typed: the link may come from any web page.
    if (link && !typesSafely(*link)) return showError(kErrorUnsafeLink);

    const int n = host_.getAvailablePTTLink();
    if (n < 1) {
        if (!link) return openPlain(text);
        if (link->BBS.isEmpty()) return showError(QStringLiteral("ERROR_BBS_NOT_FOUND_IN_URL"));
        if (!isPttHost(link->BBS)) return openDescribed(*link);
        host_.AutoPTT(destinationRecord(link->BBS, link->BBSPort, link->BoardName, link->ArticleAID));
        return;
    }

    ZEKAddressRef record = pool_.Item(QString::number(n));
    if (!record || !link) return openPlain(text);
    if (link->BBS.isEmpty()) return showError(QStringLiteral("ERROR_BBS_NOT_FOUND_IN_URL"));
    if (link->BoardName.isEmpty() || !isPttHost(link->BBS)) return openDescribed(*link);

    if (!isPttHost(record->BBS())) {
        record = destinationRecord(link->BBS, link->BBSPort, link->BoardName, link->ArticleAID);
    } else {
        record->setDestinationBoardName(link->BoardName.trimmed());
        // A board link after an article link must not reopen the old article.
        record->setDestinationAID(link->ArticleAID.isEmpty() ? QString() : link->ArticleAID);
        // Anything the session was still doing for an earlier link ends here: the new
        // destination is walked from the page on the screen now.
        record->setCanUseZEKURL(false);
    }
    host_.AutoPTT(record);
}

void ZEKURLModule::LinkClicked(const QString& link) {
    const QString text = link.trimmed();
    if (beginsWith(text, settings_.prefix_of_zek_short_url)) openZEKURL(text);
    else ui_.openUrl(text);
}
