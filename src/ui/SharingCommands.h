#pragma once
// The main window's sharing commands and web services: the make-link command and the
// toolbar's share button, the link dialog's short links and bookmarks, short Zek links
// resolved through the web server, quick connect, the version check, and the bookmarks
// menu. MainFormParts owns one of these.
#include "ptt/ZEKAddressCls.h"
#include "ui/Bookmarks.h"
#include "web/WebServices.h"

#include <QObject>

struct AppContext;
class QMainWindow;
class QMenu;
class SessionTabs;
class ToolbarRow;
class VersionCheck;
class frmZEKLink;

class SharingCommands : public QObject, public WebServicesHost {
    Q_OBJECT
public:
    SharingCommands(QMainWindow& window, AppContext& context, SessionTabs& tabs, ToolbarRow& row);
    ~SharingCommands() override;

    void load();
    void unload();
    // The bookmarks menu's title in the current language (with its mnemonic).
    void applyTexts();

    // Make-link command and the share button.
    void shareCurrentPage();
    void quickConnect();
    void checkForNewVersion();

    void showShortLink(const QString& type, const QString& shortLink) override;
    void openZEKURL(const QString& link) override;

    WebServices& services() const { return *services_; }
    VersionCheck& versionCheck() const { return *version_; }
    Bookmarks& bookmarks() { return bookmarks_; }
    QMenu* bookmarksMenu() const { return bookmarksMenu_; }

private:
    frmZEKLink* linkDialog();
    void showLinkDialog(const QString& type, const QString& link);
    void addBookmark(const QString& type, const QString& link);
    void fillBookmarksMenu();
    void openBookmark(const QString& link);
    void ensureVersionDialog();

    QMainWindow& window_;
    AppContext& context_;
    SessionTabs& tabs_;
    WebServices* services_;
    VersionCheck* version_;
    Bookmarks bookmarks_;
    QMenu* bookmarksMenu_ = nullptr;
    frmZEKLink* connectedDialog_ = nullptr;
};
