// The link, quick-connect and version dialogs on a real main window (offscreen).
#include "MainWindowHarness.h"
#include "ui/AppDialogs.h"
#include "ui/FrmCheckNewVersion.h"
#include "ui/MainFormParts.h"
#include "ui/MainMenus.h"
#include "ui/SharingCommands.h"
#include "ui/frmQuickBBS.h"
#include "ui/frmZEKLink.h"
#include "web/VersionCheck.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QComboBox>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

struct SharingDialogs : ::testing::Test {
    SharingDialogs() {
        win.form->setDialogs(std::make_unique<AppDialogs>(win.context, win.form.get()));
        link = win.form->dialogs()->zekLink();
        quick = win.form->dialogs()->quickBBS();
    }
    QString longLink(const char* tail) const {
        return win.context.settings.prefix_of_zek_long_url + QStringLiteral("?cmd=pas:BBS=ptt.cc") + QString::fromUtf8(tail);
    }
    QString shortLink(const char* code) const {
        return win.context.settings.prefix_of_zek_short_url + QStringLiteral("cmd=pas:") + QString::fromUtf8(code);
    }
    static bool shown(QWidget* w, QWidget* dialog) { return w->isVisibleTo(dialog); }

    MainWindowHarness win;
    frmZEKLink* link = nullptr;
    frmQuickBBS* quick = nullptr;
};

}  // namespace

TEST_F(SharingDialogs, LinkDialogFormsByType) {
    const struct { const char* type; const char* word; bool hasLink; } cases[] = {
        {"Board", "看板", true}, {"Article", "文章", true}, {"BBS", "BBS", true}, {"", "", false}};
    for (const auto& c : cases) {
        const QString type = QString::fromUtf8(c.type);
        const QString url = c.hasLink ? longLink("&Board=Test") : QString();
        link->setForm(type, url);
        EXPECT_EQ(link->TxtZEKURL->text(), url) << c.type;
        for (const auto& [w, want] : {std::pair<QWidget*, bool>{link->TxtZEKURL, c.hasLink}, {link->LblIE, c.hasLink},
                                      {link->CmdCopyLong, c.hasLink}, {link->TxtShortURL, c.hasLink},
                                      {link->LblInfo3, !c.hasLink}, {link->LblIntroZEKURL, !c.hasLink},
                                      {link->LblFacebook, false}, {link->LblPlurk, false}})
            EXPECT_EQ(shown(w, link), want) << c.type << " " << w->objectName().toStdString();
        if (c.hasLink) {
            EXPECT_TRUE(link->LblInfo1->text().contains(QString::fromUtf8(c.word))) << c.type;
            EXPECT_FALSE(link->LblInfo1->text().contains(QStringLiteral("<XXX>")));
        }
    }
}

TEST_F(SharingDialogs, ShortFormJoinsTheLongOneAndBothCopy) {
    link->setShortLinksAvailable(true);
    const QString article = longLink("&Board=Test&ArticleAID=1h57JlJx");
    link->setForm(QStringLiteral("Article"), article);
    EXPECT_FALSE(link->CmdCopyShort->isEnabled());
    QSignalSpy asked(link, &frmZEKLink::ShortLinkRequested);
    link->CmdMakeShort->click();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.front().front().toString(), article);
    EXPECT_FALSE(link->CmdMakeShort->isEnabled());  // one request at a time

    link->setForm(QStringLiteral("Article"), shortLink("a_1h57"));
    EXPECT_EQ(link->TxtZEKURL->text(), article);
    EXPECT_EQ(link->TxtShortURL->text(), shortLink("a_1h57"));
    link->CmdCopyShort->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shortLink("a_1h57"));
    link->CmdCopyLong->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), article);

    // A short link nobody asked for is shown as the link itself.
    link->setForm(QStringLiteral("Board"), shortLink("b_Test"));
    EXPECT_EQ(link->TxtZEKURL->text(), shortLink("b_Test"));
    EXPECT_FALSE(shown(link->CmdMakeShort, link));

    // A failed request lets the user ask again.
    link->setForm(QStringLiteral("Board"), longLink("&Board=Test"));
    link->CmdMakeShort->click();
    link->shortLinkFailed();
    EXPECT_TRUE(link->CmdMakeShort->isEnabled());
    EXPECT_TRUE(link->TxtShortURL->text().isEmpty());
}

TEST_F(SharingDialogs, QuickConnectRefusesBadInputAndOpensGoodInput) {
    quick->recentHosts() = RecentHosts(win.dir.path() + QStringLiteral("/recent_hosts.txt"));
    std::vector<std::pair<QString, int>> opened;
    quick->setOpener([&](const QString& host, int port) { opened.emplace_back(host, port); });
    // The check itself has its own table; here one refusal of each kind and one opening.
    const struct { const char* host; const char* port; bool opens; } cases[] = {
        {"", "23", false}, {"h.example.org", "23a", false}, {" h.example.org ", " 2.6 ", true},
    };
    for (const auto& c : cases) {
        quick->initialize();
        quick->show();
        quick->txtHost->setEditText(QString::fromUtf8(c.host));
        quick->txtPort->setText(QString::fromUtf8(c.port));
        win.ui.messages.clear();
        quick->buttonClicked(QStringLiteral("OK"));
        EXPECT_EQ(quick->isVisible(), !c.opens) << c.host << "|" << c.port;
        EXPECT_EQ(win.ui.messages.empty(), c.opens) << c.host << "|" << c.port;
    }
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], std::make_pair(QStringLiteral("h.example.org"), 3));
    EXPECT_EQ(quick->txtPort->text(), QStringLiteral("3"));

    quick->initialize();
    EXPECT_TRUE(quick->txtHost->currentText().isEmpty());
    EXPECT_EQ(quick->txtPort->text(), QStringLiteral("23"));
    ASSERT_EQ(quick->txtHost->count(), 1);  // offered again
    quick->txtHost->activated(0);
    EXPECT_EQ(quick->txtHost->currentText(), QStringLiteral("h.example.org"));
    EXPECT_EQ(quick->txtPort->text(), QStringLiteral("3"));
    quick->buttonClicked(QStringLiteral("Cancel"));
    EXPECT_FALSE(quick->isVisible());
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(SharingDialogs, VersionDialogShowsEachState) {
    SharingCommands& sharing = win.form->parts().sharing();
    VersionCheck& check = sharing.versionCheck();
    check.setUpdateFolder(win.dir.path() + QStringLiteral("/update"));
    FrmCheckNewVersion* dialog = win.form->dialogs()->ensureVersionDialog();
    dialog->attach(&check);
    const struct { int32_t state; const char* info; const char* close; bool yes; bool received; bool download; } cases[] = {
        {VersionCheck::Checking, "Checking_New_Version", "Hide", false, false, false},
        {VersionCheck::NoNewVersion, "No_New_Version", "Finish", false, false, false},
        {VersionCheck::NewVersionFound, "New_Version_Found", "Finish", true, false, true},
        {VersionCheck::Downloading, "Downloading_New_Version", "Hide", false, true, false},
        {VersionCheck::InstallerReady, "New_Version_Found1", "Install_Later", true, false, false},
        {VersionCheck::ServerError, "Remote_Server_Error", "Finish", false, false, false},
    };
    // A note long enough to wrap over several lines (English wraps where Chinese did not).
    dialog->LblInstallNote->setText(QStringLiteral("word ").repeated(60));
    for (const auto& c : cases) {
        check.showState(c.state);
        ASSERT_TRUE(dialog->isVisible()) << c.state;
        EXPECT_EQ(dialog->LabelInfo->text(), win.context.texts.text(QString::fromUtf8(c.info))) << c.state;
        EXPECT_EQ(dialog->CmdClose->text(), win.context.texts.text(QString::fromUtf8(c.close))) << c.state;
        EXPECT_EQ(shown(dialog->CmdYes, dialog), c.yes) << c.state;
        EXPECT_EQ(shown(dialog->LabelReceived, dialog), c.received) << c.state;
        EXPECT_EQ(shown(dialog->CmdCancel, dialog), c.received) << c.state;
        EXPECT_EQ(shown(dialog->LblDownload, dialog), c.download) << c.state;
        EXPECT_EQ(shown(dialog->LblInstallNote, dialog), c.state == VersionCheck::InstallerReady) << c.state;
        // Wrapped texts get the height they need: no line cut off at the bottom.
        EXPECT_GE(dialog->height(), dialog->heightForWidth(dialog->width())) << c.state;
        // No installer in the folder: "install now" has nothing to open.
        if (c.state == VersionCheck::InstallerReady) {
            EXPECT_FALSE(dialog->CmdYes->isEnabled());
        }
    }
    dialog->NewDataReceived(1234);
    EXPECT_EQ(dialog->LabelReceived->text(), QStringLiteral("1234 ") + win.context.texts.text(QStringLiteral("bytes")));
    check.showState(VersionCheck::Idle);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(SharingDialogs, ShareOutsideASessionDoesNothingAndBookmarksHaveAMenu) {
    SharingCommands& sharing = win.form->parts().sharing();
    sharing.shareCurrentPage();
    EXPECT_FALSE(link->isVisible());
    QMenu* menu = win.form->menuBar()->findChild<QMenu*>(QStringLiteral("mnuBookmarks"));
    ASSERT_NE(menu, nullptr);
    win.form->applyLanguageTexts(QStringLiteral("EN"));  // its title follows, as the other menus'

    EXPECT_EQ(menu->title(), MainMenus::withMnemonic(win.context.texts.text(QStringLiteral("Menu_Bookmarks")), 'B'));
    EXPECT_TRUE(menu->title().contains(QLatin1String("&B"))) << menu->title().toStdString();
}
