#include "ui/SharingCommands.h"

#include "app/AppContext.h"
#include "app/Deployment.h"
#include "ptt/ZEKURLModule.h"
#include "ui/AppDialogs.h"
#include "ui/FrmCheckNewVersion.h"
#include "ui/MainForm.h"
#include "ui/MainMenus.h"
#include "ui/SessionTabs.h"
#include "ui/ShareRequest.h"
#include "ui/ToolbarRow.h"
#include "ui/frmQuickBBS.h"
#include "ui/frmZEKLink.h"
#include "web/VersionCheck.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QUrl>

namespace {
constexpr int kMenuCaptionLength = 60;
}

SharingCommands::SharingCommands(QMainWindow& window, AppContext& context, SessionTabs& tabs, ToolbarRow& row)
    : QObject(&window),
      window_(window),
      context_(context),
      tabs_(tabs),
      services_(new WebServices(context.settings, *this, this)),
      version_(new VersionCheck(context.versionCheckState, context.closing, *services_, this)) {
    auto hook = [this, &window](const char* name, auto slot) {
        if (QAction* action = window.findChild<QAction*>(QString::fromLatin1(name)))
            connect(action, &QAction::triggered, this, slot);
    };
    hook("mnuEditMakeZEKURL", [this] { shareCurrentPage(); });
    hook("mnuConnectQuick", [this] { quickConnect(); });
    hook("mnuAboutCheckNewVersion", [this] { checkForNewVersion(); });
    if (QAction* share = row.TB->findChild<QAction*>(QStringLiteral("ShortURL")))
        connect(share, &QAction::triggered, this, [this] { shareCurrentPage(); });

    // The identifier asked for by the share command is known now.
    connect(&tabs_, &SessionTabs::LinkDialogRequested, this, &SharingCommands::showLinkDialog);
    connect(services_, &WebServices::ShortLinkFailed, this, [this] {
        if (frmZEKLink* dialog = linkDialog()) dialog->shortLinkFailed();
    });
    connect(version_, &VersionCheck::InstallRequested, this, [this](const QString& path) {
        // Opened by the desktop's handler for its type (a package installer, an archive
        // manager); Zek never runs a downloaded file itself. Zek then closes so that the
        // new version can take its place.
        if (context_.ui) context_.ui->openUrl(QUrl::fromLocalFile(path).toString());
        window_.close();
    });

    // The bookmarks menu sits before the help menu.
    bookmarksMenu_ = new QMenu(window.menuBar());
    bookmarksMenu_->setObjectName(QStringLiteral("mnuBookmarks"));
    bookmarksMenu_->menuAction()->setObjectName(QStringLiteral("mnuBookmarks"));
    QMenu* help = window.menuBar()->findChild<QMenu*>(QStringLiteral("mnuAbout"));
    window.menuBar()->insertMenu(help ? help->menuAction() : nullptr, bookmarksMenu_);
    connect(bookmarksMenu_, &QMenu::aboutToShow, this, &SharingCommands::fillBookmarksMenu);
}

SharingCommands::~SharingCommands() = default;

void SharingCommands::load() {
    services_->load();
    bookmarks_.load();
    applyTexts();
    tabs_.setShortUrlResolver([this](const QString& url) { return services_->resolveShortURL(url); });
}

void SharingCommands::applyTexts() {
    bookmarksMenu_->setTitle(MainMenus::withMnemonic(context_.texts.text(QStringLiteral("Menu_Bookmarks")), QLatin1Char('B')));
    fillBookmarksMenu();
}

void SharingCommands::unload() {
    tabs_.setShortUrlResolver({});
    services_->unload();
}

frmZEKLink* SharingCommands::linkDialog() {
    auto* form = qobject_cast<MainForm*>(&window_);
    frmZEKLink* dialog = (form && form->dialogs()) ? form->dialogs()->zekLink() : nullptr;
    if (dialog && dialog != connectedDialog_) {
        connectedDialog_ = dialog;
        connect(dialog, &frmZEKLink::ShortLinkRequested, this, [this, dialog](const QString& link) {
            if (!services_->requestShortLink(link)) dialog->shortLinkFailed();
        });
        connect(dialog, &frmZEKLink::BookmarkRequested, this, &SharingCommands::addBookmark);
        connect(dialog, &frmZEKLink::IntroRequested, this, [this] {
            if (context_.ui) context_.ui->openUrl(deployment::page(QStringLiteral("/userguide.html")));
        });
    }
    if (dialog) dialog->setShortLinksAvailable(!context_.settings.url_for_long_url.isEmpty());
    return dialog;
}

void SharingCommands::showLinkDialog(const QString& type, const QString& link) {
    frmZEKLink* dialog = linkDialog();
    if (!dialog) return;
    dialog->setForm(type, link);
    dialog->showModal();
}

void SharingCommands::shareCurrentPage() {
    const ZEKAddressRef record = tabs_.getCurrentBBSAddress();
    const bool isSession = record && tabs_.getCurrentTypeOfaxZEK() == TabTable::kSessionKind;
    const ShareRequest r = ShareRequest::decide(isSession, isSession ? record->Position() : 0, tabs_.TxtZEKURL());
    switch (r.action) {
        case ShareRequest::Action::Nothing: return;
        case ShareRequest::Action::ShowDialog: showLinkDialog(r.type, r.link); return;
        case ShareRequest::Action::AskForArticleId:
            // PTT's article information box shows the identifier; the dialog opens when
            // the classification has read it.
            record->setTask(1);
            tabs_.sendData(QStringLiteral("Q"));
            return;
    }
}

void SharingCommands::showShortLink(const QString& type, const QString& shortLink) {
    frmZEKLink* dialog = linkDialog();
    if (!dialog) return;
    // A code of no known kind leaves the dialog as it was.
    if (!type.isEmpty()) dialog->setForm(type, shortLink);
    dialog->showModal();
}

void SharingCommands::openZEKURL(const QString& link) {
    if (ZEKURLModule* module = tabs_.zekUrl()) module->openZEKURL(link);
}

void SharingCommands::quickConnect() {
    auto* form = qobject_cast<MainForm*>(&window_);
    frmQuickBBS* dialog = (form && form->dialogs()) ? form->dialogs()->quickBBS() : nullptr;
    if (!dialog) return;
    dialog->setOpener([this](const QString& host, int port) { tabs_.OpenBBS2(host, port); });
    dialog->initialize();
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
    dialog->raise();
}

void SharingCommands::ensureVersionDialog() {
    auto* form = qobject_cast<MainForm*>(&window_);
    if (!form || !form->dialogs()) return;
    const bool fresh = form->dialogs()->versionDialog() == nullptr;
    FrmCheckNewVersion* dialog = form->dialogs()->ensureVersionDialog();
    if (fresh && dialog) {
        dialog->attach(version_);
        connect(dialog, &FrmCheckNewVersion::DownloadPageRequested, this, [this] {
            if (context_.ui) context_.ui->openUrl(deployment::page(QStringLiteral("/bbs-download.html")));
        });
    }
}

void SharingCommands::checkForNewVersion() {
    ensureVersionDialog();
    version_->checkForNewVersion();
}

void SharingCommands::addBookmark(const QString& type, const QString& link) {
    // Named after what the session shows: the article's title, else the board.
    QString name;
    if (const ZEKAddressRef record = tabs_.getCurrentBBSAddress()) {
        if (type == QLatin1String("Article") && !record->ArticleTitle().isEmpty()) name = record->ArticleTitle();
        else if (!record->BoardName().isEmpty()) name = record->BoardName();
        else name = record->BBS();
    }
    if (!name.isEmpty() && !type.isEmpty()) name = context_.texts.text(type) + QStringLiteral(": ") + name;
    bookmarks_.load();  // another window's change is not lost
    const bool added = bookmarks_.add(name, link) && bookmarks_.save();
    if (context_.ui)
        context_.ui->message(context_.texts.text(added ? QStringLiteral("Bookmark_Added") : QStringLiteral("Bookmark_Failed")),
                             context_.texts.messageTitle());
}

void SharingCommands::fillBookmarksMenu() {
    bookmarks_.load();
    bookmarksMenu_->clear();
    const auto& items = bookmarks_.items();
    if (items.empty()) {
        QAction* none = bookmarksMenu_->addAction(context_.texts.text(QStringLiteral("Bookmarks_Empty")));
        none->setEnabled(false);
        return;
    }
    QMenu* remove = new QMenu(context_.texts.text(QStringLiteral("Menu_Bookmarks_Remove")), bookmarksMenu_);
    remove->setObjectName(QStringLiteral("mnuBookmarksRemove"));
    for (int i = 0; i < int(items.size()); ++i) {
        QString caption = items[i].name;
        if (caption.size() > kMenuCaptionLength) caption = caption.left(kMenuCaptionLength - 1) + QChar(0x2026);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString link = items[i].link;
        connect(bookmarksMenu_->addAction(caption), &QAction::triggered, this, [this, link] { openBookmark(link); });
        connect(remove->addAction(caption), &QAction::triggered, this, [this, link] {
            bookmarks_.load();
            const auto& now = bookmarks_.items();
            for (int j = 0; j < int(now.size()); ++j)
                if (now[j].link == link) {
                    bookmarks_.remove(j);
                    break;
                }
            bookmarks_.save();
        });
    }
    bookmarksMenu_->addSeparator();
    bookmarksMenu_->addMenu(remove);
}

void SharingCommands::openBookmark(const QString& link) {
    ZEKURLModule* module = tabs_.zekUrl();
    if (!module) return;
    // Zek and telnet links open here; any other page in the desktop's browser.
    if (module->isZekURL(link) || module->isShortZekURL(link) || link.toLower().startsWith(QLatin1String("telnet://")))
        module->openZEKURL(link);
    else if (context_.ui)
        context_.ui->openUrl(link);
}
