#pragma once
// The main window's tabs: BBS sessions (axZEK) and web pages (WBArray) in one slot
// numbering 1..100, the start page WB while no tab is open, opening, selecting and
// closing tabs, sending text to a session and the sessions' events. It is the host the
// Zek URL module drives (getAvailablePTTLink, OpenBBS, AutoPTT, the address text box).
#include "ptt/ZekUrlHost.h"
#include "ui/TabTable.h"
#include "ui/WebPane.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

struct AppContext;
class Notifier;
class QLineEdit;
class WaterBallAlerts;
class QWidget;
class ZEKURLModule;
class axItem;
class axZEK;

class SessionTabs : public QObject, public ZekUrlHost {
    Q_OBJECT
public:
    static inline const QString kTooManyTabsKey = QStringLiteral("Error_Too_Many_Tabs");
    // Preferences.ini: start_page=0 turns the start page off, as --no-start-page does.
    static inline const QString kStartPageKey = QStringLiteral("start_page");

    // content: the parent of the start page and of every tab's control. strip and
    // TxtZEKURL are the main window's. webFactory makes WB and the WBArray elements.
    SessionTabs(AppContext& context, QWidget* content, axItem* strip, QLineEdit* txtZEKURL,
                WebPane::Factory webFactory);
    ~SessionTabs() override;

    // Where instant-message alerts go (tests record them); the desktop's by default.
    void setNotifier(Notifier* notifier);
    // Replaces the maker of web views (before load; tests give a light fake page).
    void setWebFactory(WebPane::Factory factory) { webFactory_ = std::move(factory); }
    // The load step: slots free, not busy, address box clear.
    void load();
    // Shows the start page WB while no tab is open, making it (and so starting the web
    // engine) the first time; nothing when the start page is turned off. The window
    // calls it once it has been drawn, and closing the last tab calls it again.
    void showStartPage();
    // Off with --no-start-page or the preference start_page=0.
    bool startPageEnabled() const;
    // Unload: no more classification; open sessions end with the window.
    void unload();

    void OpenBBS(const QString& host) override;
    void OpenBBS2(const QString& host, int port) override;
    void openURL(const QString& caption, const QString& kind, const QString& url);
    void AutoPTT(ZEKAddressRef record) override;

    void sendData(const QString& text);
    void sendData2(int tab, const QString& text);
    ZEKAddressRef getCurrentBBSAddress() const;
    QString getCurrentTypeOfaxZEK() const;
    int getAvailablePTTLink() override;

    void setTxtZEKURL(const QString& text) override;
    QString TxtZEKURL() const override;
    bool hasMainWindow() const override { return true; }
    // Short Zek URLs are resolved by the web services once they are set up.
    using ShortUrlResolver = std::function<bool(const QString&)>;
    void setShortUrlResolver(ShortUrlResolver resolver) { shortUrlResolver_ = std::move(resolver); }
    bool resolveShortURL(const QString& shortUrl) override {
        return shortUrlResolver_ && shortUrlResolver_(shortUrl);
    }

    // The tab strip's events.
    void selectTab(int tab);
    void closeTab(int tab);

    // Read access for the layout and for tests.
    const TabTable& table() const { return table_; }
    int currentTab() const;
    int tabCount() const;
    axZEK* session(int slot) const;
    WebPane* webPage(int slot) const;
    WebPane* WB() const { return WB_; }
    bool startPageVisible() const;
    // The control of the current tab (session or web page), or null.
    QWidget* currentControl() const;
    axItem* strip() const { return strip_; }
    ZEKURLModule* zekUrl() const { return zekUrl_.get(); }
    static QString startPageUrl();

    // The time of day in seconds since midnight, as the keep-alive counts it. Tests put
    // in a clock of their own.
    using Clock = std::function<int32_t()>;
    void setClock(Clock clock) { clock_ = std::move(clock); }
    int32_t secondsSinceMidnight() const;
    static int32_t systemSecondsSinceMidnight();
    // The tab that holds session `slot`, or 0.
    int tabOfSession(int slot) const;

signals:
    // Something changed that needs the window laid out again.
    void LayoutRequested();
    // Tab number `tab` was brought to the front.
    void TabSelected(int tab);
    // A session's screen was classified; the automatic navigation takes it from here.
    void ScreenClassified(int sessionIndex, ZEKAddressRef record);
    void TextMarked(int sessionIndex, const QString& text);
    // A logon page met while a session is driven to a link, with automatic logon off (or
    // after the stored password was refused): the login dialog for this tab.
    void LoginRequested(int tab);
    // A link dialog was asked for on an article whose identifier was not known yet (the
    // record's Task 1), and now it is: show the link dialog for this URL. kind is
    // "Article"; url is the article's long Zek URL as the address box shows it.
    void LinkDialogRequested(const QString& kind, const QString& url);
    // A session control was made for slot (before it connects).
    void SessionCreated(int slot, axZEK* session);

private:
    void createSession(int slot, const QString& host, int port);
    void openSession(const QString& host, int port, int tab, int slot);
    bool refuseWhenFull();
    void turnStartPageIntoTab();
    void attachSession(axZEK* session, int slot);
    WebPane* createWebPane(bool startPage);
    void filterNavigation(WebPane* pane, bool startPage);
    // openURL, or with adopt the tab shows that existing page (the start page) as it is.
    void openWebTab(const QString& caption, const QString& kind, const QString& url, WebPane* adopt);
    void onConnected(int slot);
    void onSocketError(int slot);
    void onDataArrived(int slot);
    void onLinkClicked(const QString& link);
    void sendToSlot(int slot, const QString& text);
    // The walk's keys; a jump to an article is stamped with what the session has sent.
    void sendWalkKeys(int slot, ZEKAddressCls& record, const QString& keys);
    ZEKAddressRef classify(int slot);
    void drive(int slot, const ZEKAddressRef& record);
    void showTab(int tab);
    void ensureUrlModule();
    bool classifyingInBackground() const;
    void checkWaterBall(int slot);
    void bringSessionToFront(int slot);

    AppContext& context_;
    QWidget* content_;
    axItem* strip_;
    QLineEdit* txtZEKURL_;
    WebPane::Factory webFactory_;
    WebPane* WB_ = nullptr;
    TabTable table_;
    std::array<axZEK*, TabTable::kMaxSlots + 1> axZEK1_{};      // 0 unused
    std::array<WebPane*, TabTable::kMaxSlots + 1> WBArray_{};   // 0 unused
    std::unique_ptr<ZEKURLModule> zekUrl_;
    int classifyingSlot_ = 0;  // the session whose screen is being classified, or 0
    QString backgroundTxt_;    // the address box of a session classified in the background
    Clock clock_;
    std::unique_ptr<Notifier> desktopNotifier_;
    Notifier* notifier_ = nullptr;
    std::unique_ptr<WaterBallAlerts> waterBalls_;
    ShortUrlResolver shortUrlResolver_;
};
