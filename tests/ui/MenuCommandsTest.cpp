// The menus, toolbar, address bar and keys of a real main window (offscreen), with
// sessions to a host on this machine.
#include "LoopbackHost.h"
#include "MainWindowHarness.h"
#include "screen/axZekScreen.h"
#include "session/CopyText.h"
#include "session/axZEK.h"
#include "ui/MainMenus.h"
#include "ui/MenuCommands.h"
#include "ui/PttShortcuts.h"
#include "ui/TerminalFontDialog.h"
#include "ui/ToolbarRow.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

MenuCommands& commands(MainWindowHarness& h) { return h.form->commands(); }
MainMenus& menus(MainWindowHarness& h) { return h.form->menus(); }
ToolbarRow& row(MainWindowHarness& h) { return h.form->parts().toolbarRow(); }

TEST(MenuCommands, EveryPttShortcutSendsExactlyItsBytes) {
    MainWindowHarness h;
    LoopbackHost host;
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    ASSERT_TRUE(h.sessionConnected(2));
    const struct { const char* item; QByteArray bytes; } expected[] = {
        {"mnuShortcutForwardArticle", "X"},       {"mnuShortcutPublishArticle", "\x10"},
        {"mnuShortcutMainZone", "z"},             {"mnuShortcutSearchTitle", "/"},
        {"mnuShortcutSearchAuthor", "a"},         {"mnuShortcutSearchArticleCount", "Z"},
        {"mnuShortcutThrowBall", "w"},            {"mnuShortcutReplyBall", "\x12"},
        {"mnuShortcutPageUp", "\x1b[5~"},         {"mnuShortcutPageDown", "\x1b[6~"},
        {"mnuShortcutHome", "\x1b[1~"},           {"mnuShortcutEnd", "\x1b[4~"},
    };
    ASSERT_EQ(ptt_shortcuts::table().size(), std::size(expected));
    for (const auto& e : expected) {
        menus(h).item(e.item)->trigger();
        EXPECT_EQ(host.take(e.bytes.size()), e.bytes) << e.item;
    }
    // On a web page tab nothing goes out; back on the session the next byte is alone.
    h.tabs().openURL("page", "Web", "http://127.0.0.1:9/");
    menus(h).mnuShortcutForwardArticle->trigger();
    commands(h).selectTab(2);
    menus(h).mnuShortcutMainZone->trigger();
    EXPECT_EQ(host.take(1), QByteArray("z"));
}

TEST(MenuCommands, ChecksFollowTheSettingsAndTheResetQuestion) {
    MainWindowHarness h;
    menus(h).mnuOptionSetCtrlC->trigger();
    menus(h).mnuOptionBBSWindowSize->trigger();
    EXPECT_TRUE(h.context.settings.switch_of_ctrl_c);
    EXPECT_TRUE(h.context.settings.switch_of_auto_resize_bbs);
    h.context.settings.switch_of_auto_resize_bbs = false;  // as read from App.ini at a start
    h.form->load();
    EXPECT_TRUE(menus(h).mnuOptionSetCtrlC->isChecked());
    EXPECT_FALSE(menus(h).mnuOptionSetCtrlV->isChecked());
    EXPECT_FALSE(menus(h).mnuOptionBBSWindowSize->isChecked());

    // Reset answered No changes nothing; Yes checks all three and forgets the account.
    h.context.settings.ptt_account = "tester";
    menus(h).mnuOptionResetConfig->trigger();
    ASSERT_EQ(h.ui.questions.size(), 1u);
    EXPECT_EQ(h.context.settings.ptt_account, "tester");
    EXPECT_FALSE(menus(h).mnuOptionSetCtrlV->isChecked());
    h.ui.answer = true;
    menus(h).mnuOptionResetConfig->trigger();
    EXPECT_TRUE(h.context.settings.ptt_account.isEmpty());
    EXPECT_EQ(h.context.settings.switch_of_deleting_password_log, 1);
    for (QAction* a : {menus(h).mnuOptionSetCtrlC, menus(h).mnuOptionSetCtrlV, menus(h).mnuOptionBBSWindowSize})
        EXPECT_TRUE(a->isChecked()) << a->objectName().toStdString();
    EXPECT_TRUE(h.context.settings.switch_of_ctrl_v && h.context.settings.switch_of_auto_resize_bbs);
}

TEST(MenuCommands, TheChosenFontReachesEverySessionAndTheSetting) {
    MainWindowHarness h;
    h.context.settings.switch_of_auto_resize_bbs = false;
    h.tabs().OpenBBS2("127.0.0.1", 9);
    h.tabs().OpenBBS2("127.0.0.1", 9);
    std::optional<QFont> answer;
    QFont offered;
    commands(h).setFontChooser([&](const QFont& initial, QWidget*) {
        offered = initial;
        return answer;
    });
    menus(h).mnuOptionFont->trigger();  // cancelled
    EXPECT_EQ(h.context.settings.bbs_font_size, 9);
    EXPECT_EQ(offered.pointSize(), 9);

    QFont chosen(TerminalFontDialog::monospaceFamily());
    chosen.setPointSizeF(12.5);  // halves go to the even neighbour
    answer = chosen;
    menus(h).mnuOptionFont->trigger();
    EXPECT_EQ(h.context.settings.bbs_font_size, 12);
    EXPECT_EQ(h.layout().bbsFontSize(), 12);
    const QString applied = TerminalFontDialog::monospaceFamily() + "/12";
    for (int slot : {2, 3}) EXPECT_EQ(h.tabs().session(slot)->property("zekFont").toString(), applied) << slot;
    menus(h).mnuOptionFont->trigger();
    EXPECT_EQ(offered.family(), TerminalFontDialog::monospaceFamily());
}

TEST(MenuCommands, MenuStatesWhenMenusOpen) {
    MainWindowHarness h;
    emit menus(h).mnuConnect->aboutToShow();
    EXPECT_FALSE(menus(h).mnuConnectLast->isEnabled());
    EXPECT_FALSE(menus(h).mnuConnectStop->isEnabled());
    h.context.settings.last_bbs = "127.0.0.1";
    emit menus(h).mnuEdit->aboutToShow();
    EXPECT_FALSE(menus(h).mnuEditCopy->isEnabled());
    EXPECT_FALSE(menus(h).mnuEditPTTShortcut->isEnabled());
    h.tabs().OpenBBS2("127.0.0.1", 9);
    emit menus(h).mnuConnect->aboutToShow();
    EXPECT_TRUE(menus(h).mnuConnectLast->isEnabled());
    EXPECT_TRUE(menus(h).mnuConnectStop->isEnabled());
    emit menus(h).mnuEdit->aboutToShow();
    EXPECT_TRUE(menus(h).mnuEditPTTShortcut->isEnabled());

    // The help pages and the toolbar's page buttons go to the desktop's browser.
    menus(h).mnuAboutZEKWebsite->trigger();
    menus(h).mnuAboutManual->trigger();
    menus(h).mnuAboutTerms->trigger();
    row(h).button("BugReport")->trigger();
    EXPECT_EQ(h.ui.opened, (std::vector<QString>{"http://127.0.0.1:9/", "http://127.0.0.1:9/userguide.html",
                                                 "http://127.0.0.1:9/terms.html",
                                                 "http://127.0.0.1:9/troubleticket.html"}));
}

TEST(MenuCommands, CopyWithColoursTakesTheMarkOfTheCurrentSession) {
    MainWindowHarness h;
    LoopbackHost host;
    h.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(h.form.get()));
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    const int slot = h.tabs().table().record(h.tabs().currentTab()).slot;
    ASSERT_TRUE(h.sessionConnected(slot));
    axZEK* session = h.tabs().session(slot);
    ASSERT_TRUE(waitFor([&] { return host.client() != nullptr; }));
    host.send("\x1b[H\x1b[2J\x1b[1;33;44mAB\x1b[m cd");
    ASSERT_TRUE(waitFor([&] { return session->f取回銀幕文字(4, 0) == 'd'; }));
    QAction* copy = menus(h).mnuEditCopy;
    QAction* colours = menus(h).mnuEditCopyWithColours;

    auto mouse = [&](QEvent::Type type, int col) {
        const CellGeometry& g = session->screen()->geometry();
        const QPointF p(session->screen()->x() + g.cellLeftPx(col) + 2, g.cellTopPx(0) + 2);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, p, session->mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, {});
        QCoreApplication::sendEvent(session, &e);
    };
    auto mark = [&](int from, int to) {
        mouse(QEvent::MouseButtonPress, from);
        mouse(QEvent::MouseMove, to);
        mouse(QEvent::MouseButtonRelease, to);
    };
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto offered = [&](bool yes) {
        emit menus(h).mnuEdit->aboutToShow();
        EXPECT_EQ(colours->isEnabled(), yes);
        EXPECT_EQ(copy->isEnabled(), yes);
    };
    offered(false);
    mark(0, 1);
    offered(true);
    clipboard->setText("before");
    ASSERT_EQ(QApplication::focusWidget(), session);
    QTest::keyClick(session, Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clipboard->text(), "*[1;33;44mAB*[m");
    QTest::qWait(100);
    EXPECT_EQ(host.received, QByteArray());  // the key went to the menu, not to the host
    copy->trigger();
    EXPECT_EQ(clipboard->text(), "AB");  // plain copy stays plain

    mark(0, 0);  // a click takes the mark off
    offered(false);
}

TEST(MenuCommands, AddressBarOpensWhatIsTyped) {
    MainWindowHarness h;
    LoopbackHost host;
    // Enter goes where the focus is, as a person's key does.
    h.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(h.form.get()));
    auto type = [&](const QString& text) {
        row(h).focusAddress();
        row(h).CmbGo->setEditText(text);
        ASSERT_TRUE(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
    type("   ");
    EXPECT_EQ(h.strip().ItemMaxNumber(), 0);
    type(QStringLiteral(" 127.0.0.1:%1 ").arg(host.serverPort()));
    ASSERT_EQ(h.strip().ItemMaxNumber(), 2);
    EXPECT_EQ(h.tabs().table().record(2).port, host.serverPort());
    EXPECT_EQ(row(h).CmbGo->itemText(0), QStringLiteral("127.0.0.1:%1").arg(host.serverPort()));
    ASSERT_TRUE(waitFor([&] { return host.peers.size() == 1; }));

    type("two words");
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_TRUE(h.ui.messages[0].startsWith(h.context.texts.text("Error_Invalid_Address")));
    EXPECT_EQ(h.strip().ItemMaxNumber(), 2);

    // A telnet URL opens a session; a Zek URL walks the open PTT session (the test host).
    row(h).CmbGo->setEditText(QStringLiteral("telnet://127.0.0.1:%1").arg(host.serverPort()));
    row(h).CmdGo->click();
    ASSERT_TRUE(waitFor([&] { return host.peers.size() == 2; }));
    type(h.context.pttText->makeBoardURL(h.context.settings.prefix_of_zek_long_url, "127.0.0.1", "Test"));
    EXPECT_EQ(h.strip().ItemMaxNumber(), 3);
    const ZEKAddressRef walked = h.tabs().getCurrentBBSAddress();
    ASSERT_TRUE(walked);
    EXPECT_TRUE(walked->AutoPTT());
}

TEST(MenuCommands, WebViewsHandOverZekUrlsByTheirOwnRules) {
    MainWindowHarness h;
    // Prefixes where the short one does not begin with the long one.
    h.context.settings.prefix_of_zek_long_url = "http://127.0.0.1:9/l/";
    h.context.settings.prefix_of_zek_short_url = "http://127.0.0.1:9/s?x=";
    const QString shortUrl = "http://127.0.0.1:9/s?x=cmd=pas:c_AB";
    const QString longUrl = "http://127.0.0.1:9/l/?cmd=pas:BBS=127.0.0.1&Board=T";
    h.tabs().openURL("web", "Web", "http://127.0.0.1:9/l/userguide.html");
    auto* start = static_cast<StubWebPane*>(h.tabs().WB());
    auto* tab = static_cast<StubWebPane*>(h.tabs().webPage(h.tabs().table().record(1).slot));
    ASSERT_TRUE(start && tab);
    // Which page asks is what decides: short links are taken from the start page only.
    const struct { StubWebPane* pane; QString url; bool loads; } cases[] = {
        {start, shortUrl, false}, {tab, shortUrl, true}, {tab, longUrl, false},
    };
    for (const auto& c : cases) {
        c.pane->url.clear();
        c.pane->navigate(c.url);
        EXPECT_EQ(c.pane->url == c.url, c.loads) << (c.pane == start ? "start " : "tab ") << c.url.toStdString();
    }
}

TEST(MenuCommands, WindowKeysOpenSwitchAndCloseTabs) {
    MainWindowHarness h;
    LoopbackHost host;
    h.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(h.form.get()));
    QTest::keyClick(h.form.get(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(h.strip().ItemMaxNumber(), 2);  // start page + PTT
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    ASSERT_TRUE(h.sessionConnected(3));
    QWidget* focus = QApplication::focusWidget();
    ASSERT_EQ(focus, h.tabs().session(3));

    // Ctrl+letters stay the host's, Ctrl+L (PTT's redraw) included.
    QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_L, QStringLiteral("\x0c"), Qt::ControlModifier);
    EXPECT_EQ(host.take(1), QByteArray("\x0c"));
    QTest::keyClick(focus, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(h.tabs().currentTab(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);  // wraps round
    EXPECT_EQ(h.tabs().currentTab(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(h.tabs().currentTab(), 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_TRUE(row(h).CmbGo->hasFocus());

    // Closing the live tab asks; No keeps it, Yes with "don't ask again" stops asking.
    commands(h).selectTab(3);
    h.ui.answer = false;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(h.strip().ItemMaxNumber(), 3);
    EXPECT_EQ(h.ui.questions.size(), 1u);
    h.ui.answer = true;
    h.ui.optOut = true;
    menus(h).mnuConnectStop->trigger();
    EXPECT_EQ(h.strip().ItemMaxNumber(), 2);
    EXPECT_FALSE(commands(h).askCloseTab);
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    ASSERT_TRUE(h.sessionConnected(3));
    menus(h).mnuConnectStop->trigger();
    EXPECT_EQ(h.ui.questions.size(), 2u);
    EXPECT_EQ(h.strip().ItemMaxNumber(), 2);

    // Quitting with a live session asks once, naming how many; No keeps the window.
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    ASSERT_TRUE(h.sessionConnected(3));
    h.ui.answer = false;
    h.ui.optOut = false;
    menus(h).mnuConnectExit->trigger();
    ASSERT_EQ(h.ui.questions.size(), 3u);
    EXPECT_EQ(h.ui.questions[2], h.context.texts.text("Confirm_Quit").replace("%1", "1"));
    EXPECT_FALSE(h.form->isUnloaded());
    h.ui.answer = true;
    menus(h).mnuConnectExit->trigger();
    EXPECT_EQ(h.ui.questions.size(), 4u);
    EXPECT_TRUE(h.form->isUnloaded());
}

TEST(MenuCommands, LanguageSwitchRetitlesMenusToolbarAndButtons) {
    MainWindowHarness h;
    h.form->applyLanguageTexts("TW");
    EXPECT_EQ(menus(h).mnuConnect->title(), "連線(&C)");
    EXPECT_TRUE(menus(h).mnuLanguageTW->isChecked());
    menus(h).mnuLanguageEN->trigger();
    EXPECT_EQ(h.context.settings.language_mode, "EN");
    EXPECT_EQ(menus(h).mnuConnect->title(), "&Connection");
    EXPECT_EQ(row(h).button("ZEKManual")->text(), "User guide");
    EXPECT_EQ(row(h).CmdGo->text(), "Go");
    EXPECT_TRUE(menus(h).mnuLanguageEN->isChecked());

    // A session's popup menu and redraw label speak English too, nothing marked or not.
    LoopbackHost host;
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    axZEK* session = h.tabs().session(h.tabs().table().record(h.tabs().currentTab()).slot);
    ASSERT_NE(session, nullptr);
    QMenu* popup = session->findChild<QMenu*>(QStringLiteral("mnu檔案"));
    ASSERT_NE(popup, nullptr);
    emit popup->aboutToShow();
    const QRegularExpression han(QStringLiteral("\\p{Han}"));
    for (QAction* a : popup->actions()) {
        if (a->isSeparator()) continue;
        EXPECT_FALSE(a->text().isEmpty() || a->text().contains(han)) << a->text().toStdString();
    }
    EXPECT_EQ(session->findChild<QLabel*>(QStringLiteral("label1"))->text(), "Redraw screen");
}

TEST(MenuCommands, PreferencesKeepTheQuestionsTheFaceThePlacementAndTheStartPage) {
    QTemporaryDir dir;
    const QString file = dir.filePath("Preferences.ini");
    QRect placed;
    {
        MainWindowHarness h;
        h.context.preferences.setPath(file);
        commands(h).askQuit = false;
        EXPECT_TRUE(menus(h).mnuOptionStartPage->isChecked());
        menus(h).mnuOptionStartPage->trigger();  // no start page from the next start on
        EXPECT_FALSE(h.tabs().startPageEnabled());
        h.layout().Label1Font().setFamily(TerminalFontDialog::monospaceFamily());
        h.form->setGeometry(40, 30, 800, 600);
        placed = h.form->geometry();
        h.form->unload();
        EXPECT_TRUE(QFile::exists(file));
    }
    MainWindowHarness again;
    EXPECT_TRUE(commands(again).askQuit);
    again.context.preferences.setPath(file);
    again.context.preferences.load();
    commands(again).loadPreferences();
    EXPECT_FALSE(commands(again).askQuit);
    EXPECT_TRUE(commands(again).askCloseTab);
    commands(again).syncChecks();
    EXPECT_FALSE(menus(again).mnuOptionStartPage->isChecked());
    EXPECT_FALSE(again.tabs().startPageEnabled());
    EXPECT_EQ(again.layout().Label1Font().family(), TerminalFontDialog::monospaceFamily());
    again.form->hide();
    ASSERT_TRUE(again.form->showAtSavedPlacement());
    EXPECT_EQ(again.form->geometry().size(), placed.size());
}

TEST(MenuCommands, MnemonicsAndCopiedText) {
    const struct { const char* caption; char letter; const char* expected; } mnemonics[] = {
        {"Connection", 'C', "&Connection"},  {"Options", 'O', "&Options"},
        {"Exit", 'X', "E&xit"},              {"連線", 'C', "連線(&C)"},
        {"字型…", 'F', "字型(&F)…"},          {"Rock & roll", 'R', "&Rock && roll"},
        {"&Already", 'L', "&Already"},       {"", 'C', ""},
    };
    for (const auto& m : mnemonics)
        EXPECT_EQ(MainMenus::withMnemonic(QString::fromUtf8(m.caption), QLatin1Char(m.letter)),
                  QString::fromUtf8(m.expected))
            << m.caption;

    const struct { const char* marked; const char* copied; } copies[] = {
        {"abc   \r\n  def  \r\nghi", "abc\n  def\nghi"}, {"中文　　\r\n\r\n", "中文\n\n"}, {"   ", ""}, {"a\rb", "a\nb"},
    };
    for (const auto& c : copies)
        EXPECT_EQ(copy_text::forClipboard(QString::fromUtf8(c.marked)), QString::fromUtf8(c.copied)) << c.marked;
}

}  // namespace
