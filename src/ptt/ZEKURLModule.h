#pragma once
#include "PttArticle.h"
#include "ZEKAddressCls.h"

#include <QString>

class CellSource;
class LanguageTexts;
class PageKeyTable;
class PttTextComponent;
class Settings;
class UserInteraction;
class ZEKAddressPoolCls;
class ZekUrlHost;

// Reads PTT screens into the sessions' address records and opens Zek URLs, telnet URLs
// and plain host names. Holds references only; the settings are read at every call, so
// changed prefixes take effect at once.
class ZEKURLModule {
public:
    ZEKURLModule(const PageKeyTable& keys, const PttTextComponent& ptt, ZEKAddressPoolCls& pool,
                 const Settings& settings, const LanguageTexts& texts, UserInteraction& ui,
                 ZekUrlHost& host);

    // Row text: the 80 cells of a row with Big5 pairs joined; "" for a row outside 0..23.
    static QString RowText(const CellSource& screen, int row);
    // All 24 row texts joined with no separator.
    static QString ScreenText(const CellSource& screen);

    // Classifies the screen of session sessionIndex into the pool's record for it (a
    // fresh record, not stored, when the pool has none) and returns that record.
    ZEKAddressRef Classify(int sessionIndex, const CellSource& screen);
    // The same for a record the caller holds (tools, tests).
    void Classify(ZEKAddressCls& record, const CellSource& screen);

    // Opens a Zek URL, a telnet URL or a plain host name ("host" or "host:port").
    void openZEKURL(const QString& text);
    // A link clicked on a BBS screen: short Zek URLs are opened here, anything else by
    // the desktop's browser.
    void LinkClicked(const QString& link);

    // A Zek URL is the long prefix followed by a query that starts with "cmd=pas:", or
    // the short prefix followed by "cmd=pas:". Other pages under the prefixes (the start
    // page, the search page, the manual) are the product's own pages and load normally.
    bool isZekURL(const QString& url) const;
    bool isShortZekURL(const QString& url) const;
    // Whether an embedded browser should hand this navigation to openZEKURL instead of
    // loading it: on the start page for either prefix, in web page tabs for the long one.
    bool interceptsNavigation(const QString& url, bool startPage) const;

    // A BBS is PTT when its host is the PTT domain or a name under it (ZekUrlSafety).
    static bool isPttHost(const QString& host);
    // The port a link to this session's BBS names; 0 for none.
    static int linkPort(const ZEKAddressCls& r);
    // Whether the board and identifier a link carries may be typed into a session.
    static bool typesSafely(const PttArticle& link);

    // Shown, and nothing opened or typed, for a link whose board or identifier is not
    // one PTT could have.
    static inline const QString kErrorUnsafeLink = QStringLiteral("ERROR_UNSAFE_ZEK_URL");

private:
    void showError(const QString& errorName);
    ZEKAddressRef destinationRecord(const QString& BBS, int port, const QString& board,
                                    const QString& aid) const;

    const PageKeyTable& keys_;
    const PttTextComponent& ptt_;
    ZEKAddressPoolCls& pool_;
    const Settings& settings_;
    const LanguageTexts& texts_;
    UserInteraction& ui_;
    ZekUrlHost& host_;
};
