// Zek URLs and telnet URLs from anywhere (web pages, the clipboard, the screen): reading
// one never fails; a URL made from what was read reads back to the same place; and
// nothing a URL carries reaches a session as a control key: whatever board and identifier
// the automatic navigation is given, the keys it types hold no control byte other than
// CR and its own cursor keys.
#include "FuzzCheck.h"
#include "app/Settings.h"
#include "ptt/AutoNavigation.h"
#include "ptt/LogonAnswers.h"
#include "ptt/PageKeyTable.h"
#include "ptt/PttTextComponent.h"
#include "ptt/ZEKAddressCls.h"
#include "ptt/ZekUrlSafety.h"

#include <QString>

namespace {

const QString kPrefix = QStringLiteral("http://zek.tw/");

// Letters, digits, ".", "-" and ":" (IPv6): what a host name or address can hold.
bool isHostName(const QString& host) {
    for (const QChar c : host)
        if (!((c.isLetterOrNumber() && c.unicode() < 0x80) || c == u'.' || c == u'-' || c == u':')) return false;
    return !host.isEmpty();
}

bool isControl(QChar c) { return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F); }

void checkKeys(QString keys) {
    keys.remove(AutoNavigation::kLeft).remove(AutoNavigation::kRight).remove(AutoNavigation::kEnter);
    for (const QChar c : keys) FUZZ_CHECK(!isControl(c));
}

void checkSafety(const QString& board, const QString& aid) {
    if (ZekUrlSafety::isBoardName(board)) {
        FUZZ_CHECK(!board.isEmpty() && board.size() <= ZekUrlSafety::kMaxBoardName);
        for (const QChar c : board) FUZZ_CHECK((c.isLetterOrNumber() && c.unicode() < 0x80) || c == u'_' || c == u'-' || c == u'.');
    }
    if (const auto id = ZekUrlSafety::articleId(aid)) {
        FUZZ_CHECK(id->size() == 8);
        for (const QChar c : *id) FUZZ_CHECK(!isControl(c) && c.unicode() < 0x80);
    }
}

// Every page the navigation types on, for a destination taken from a URL.
void checkNavigation(const PttArticle& place) {
    static const Settings settings;  // no automatic logon: no account in the keys
    static const LogonAnswers answers;
    static const PageKeyTable keys;
    static const PttTextComponent ptt;
    const AutoNavigation::Inputs in{settings, answers, keys, &ptt, QString(), true};
    using P = ZEKAddressCls::PositionCode;
    for (const int position : {P::PosOther, P::PosMainMenu, P::PosArticleList, P::PosArticle, P::PosResultList}) {
        for (const bool reused : {false, true}) {
            ZEKAddressCls record;
            record.setAutoPTT(true);
            record.setCanUseZEKURL(true);
            record.setPosition(position);
            record.setDestinationBoardName(place.BoardName);
            record.setDestinationAID(place.ArticleAID);
            const AutoNavigation::Step step =
                reused ? AutoNavigation::onReusedSession(record, in) : AutoNavigation::afterScreen(record, in);
            checkKeys(step.keys);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    static const PttTextComponent ptt;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // As a link: what was read makes a URL that reads back to the same place.
    for (const QString& link : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        const auto place = ptt.parseURL(link);
        if (!place) continue;
        checkSafety(place->BoardName, place->ArticleAID);
        checkNavigation(*place);
        if (!isHostName(place->BBS)) continue;
        const QString url = ptt.makeArticleURL(kPrefix, *place);
        FUZZ_CHECK(url.startsWith(kPrefix + QStringLiteral("?cmd=pas:")));
        const auto again = ptt.parseURL(url);
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(again->BBS == place->BBS && again->BBSPort == place->BBSPort);
        FUZZ_CHECK(again->BoardName == place->BoardName);
        FUZZ_CHECK(ptt.makeArticleURL(kPrefix, *again) == url);
    }

    // As the parts of a place (host, board, identifier between NUL bytes): made into a URL
    // and read back unchanged.
    const QList<QByteArray> parts = bytes.split('\0');
    PttArticle place;
    place.BBS = QString::fromUtf8(parts.value(0)).trimmed();
    place.BoardName = QString::fromUtf8(parts.value(1)).trimmed();
    place.ArticleAID = QString::fromUtf8(parts.value(2)).trimmed();
    checkSafety(place.BoardName, place.ArticleAID);
    checkNavigation(place);
    if (!isHostName(place.BBS)) return 0;
    const auto read = ptt.parseURL(ptt.makeArticleURL(kPrefix, place));
    FUZZ_CHECK(read.has_value());
    FUZZ_CHECK(read->BBS == place.BBS && read->BoardName == place.BoardName);
    return 0;
}
