#include "ui/MenuCommands.h"

#include "app/AppContext.h"
#include "app/Deployment.h"
#include "ptt/ZEKURLModule.h"
#include "session/CopyText.h"
#include "session/axItem.h"
#include "session/axZEK.h"
#include "ui/AboutDialog.h"
#include "ui/AppDialogs.h"
#include "ui/frmAutoLogin.h"
#include "ui/AddressTarget.h"
#include "ui/MainForm.h"
#include "ui/MainFormLayout.h"
#include "ui/MainFormParts.h"
#include "ui/MainMenus.h"
#include "ui/PttShortcuts.h"
#include "ui/SessionTabs.h"
#include "ui/TerminalFontDialog.h"
#include "ui/ToolbarRow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QUrl>

#include <cmath>

MenuCommands::MenuCommands(MainForm& form, AppContext& context)
    : QObject(&form),
      form_(form),
      context_(context),
      menus_(form.menus()),
      tabs_(form.parts().tabs()),
      row_(form.parts().toolbarRow()) {
    fontChooser_ = [this](const QFont& initial, QWidget* parent) {
        return TerminalFontDialog::choose(initial, context_.texts, parent);
    };
    connectMenus();
    connect(&row_, &ToolbarRow::ButtonClick, this, &MenuCommands::toolbarClick);
    connect(&row_, &ToolbarRow::GoRequested, this, &MenuCommands::go);
    connect(&tabs_, &SessionTabs::SessionCreated, this, [this](int, axZEK* s) { localizeSession(s); });
    form_.parts().axItem1().setCloseGuard([this](int tab) { return confirmCloseTab(tab); });

    // Alt+1..9 pick a tab, as in other tabbed programs; they are not in the menus.
    for (int k = 1; k <= 9; ++k) {
        auto* action = new QAction(&form_);
        action->setObjectName(QStringLiteral("tabKey%1").arg(k));
        action->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + k)));
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, k] { selectTab(k); });
        form_.addAction(action);
    }
}

void MenuCommands::connectMenus() {
    MainMenus& m = menus_;
    connect(m.mnuConnect, &QMenu::aboutToShow, this, &MenuCommands::refreshConnectMenu);
    connect(m.mnuEdit, &QMenu::aboutToShow, this, &MenuCommands::refreshEditMenu);

    connect(m.mnuConnectPTT, &QAction::triggered, this, [this] { tabs_.OpenBBS(deployment::pttHost()); });
    connect(m.mnuConnectLast, &QAction::triggered, this, [this] {
        if (!context_.settings.last_bbs.isEmpty())
            tabs_.OpenBBS2(context_.settings.last_bbs, context_.settings.last_bbs_port);
    });
    connect(m.mnuConnectStop, &QAction::triggered, this, &MenuCommands::closeCurrentTab);
    connect(m.mnuConnectNextTab, &QAction::triggered, this, [this] { stepTab(1); });
    connect(m.mnuConnectPrevTab, &QAction::triggered, this, [this] { stepTab(-1); });
    connect(m.mnuConnectAddress, &QAction::triggered, &row_, &ToolbarRow::focusAddress);
    connect(m.mnuConnectExit, &QAction::triggered, &form_, [this] {
        if (form_.mayClose()) form_.close();
    });

    connect(m.mnuEditCopy, &QAction::triggered, this, &MenuCommands::copy);
    connect(m.mnuEditCopyWithColours, &QAction::triggered, this, &MenuCommands::copyWithColours);
    connect(m.mnuEditPaste, &QAction::triggered, this, &MenuCommands::paste);
    for (const ptt_shortcuts::Entry& e : ptt_shortcuts::table()) {
        if (QAction* a = m.item(e.item)) {
            const QString item = e.item;
            connect(a, &QAction::triggered, this, [this, item] { sendShortcut(item); });
        }
    }
    connect(m.mnuEditSearchPTT, &QAction::triggered, this, [this] { toolbarClick(QStringLiteral("SearchPTT")); });

    connect(m.mnuOptionFont, &QAction::triggered, this, &MenuCommands::chooseFont);
    connect(m.mnuOptionSetCtrlC, &QAction::toggled, this, [this](bool on) { context_.settings.switch_of_ctrl_c = on; });
    connect(m.mnuOptionSetCtrlV, &QAction::toggled, this, [this](bool on) { context_.settings.switch_of_ctrl_v = on; });
    // The next layout takes the new state; a font change would otherwise jump under the
    // user's pointer while the menu closes.
    connect(m.mnuOptionBBSWindowSize, &QAction::toggled, this,
            [this](bool on) { context_.settings.switch_of_auto_resize_bbs = on; });
    // Takes effect at the next start (and when the last tab is closed); --no-start-page
    // turns it off for one run without changing it.
    connect(m.mnuOptionStartPage, &QAction::triggered, this,
            [this](bool on) { context_.preferences.setFlag(SessionTabs::kStartPageKey, on); });
    connect(m.mnuOptionResetConfig, &QAction::triggered, this, &MenuCommands::resetSettings);
    connect(m.mnuOptionFullScreen, &QAction::toggled, this, &MenuCommands::toggleFullScreen);
    connect(m.mnuLanguageTW, &QAction::triggered, this, [this] { switchLanguage(QStringLiteral("TW")); });
    connect(m.mnuLanguageEN, &QAction::triggered, this, [this] { switchLanguage(QStringLiteral("EN")); });

    connect(m.mnuAboutZEKWebsite, &QAction::triggered, this, [this] { openPage(QStringLiteral("/")); });
    connect(m.mnuAboutManual, &QAction::triggered, this, [this] { openPage(QStringLiteral("/userguide.html")); });
    connect(m.mnuAboutTerms, &QAction::triggered, this, [this] { openPage(QStringLiteral("/terms.html")); });
    connect(m.mnuAboutZek, &QAction::triggered, this, &MenuCommands::showAbout);

    // Quick connect, make-link, the share button and the version check are wired by
    // SharingCommands.
    connect(m.mnuOptionAutoLogin, &QAction::triggered, this, [this] {
        frmAutoLogin* dialog = form_.dialogs() ? form_.dialogs()->autoLogin() : nullptr;
        if (!dialog) return;
        dialog->initialize();
        dialog->exec();
    });
}

namespace {
const QString kAskCloseTab = QStringLiteral("ask_before_closing_live_tab");
const QString kAskQuit = QStringLiteral("ask_before_quitting_with_live_sessions");
const QString kTerminalFace = QStringLiteral("terminal_font_face");
}  // namespace

void MenuCommands::loadPreferences() {
    askCloseTab = context_.preferences.flag(kAskCloseTab, true);
    askQuit = context_.preferences.flag(kAskQuit, true);
    // The size is App.ini's bbs_font_size; the face is ours.
    const QString face = context_.preferences.text(kTerminalFace).trimmed();
    if (!face.isEmpty() && face.size() <= 200) form_.parts().layout().Label1Font().setFamily(face);
}

void MenuCommands::savePreferences() {
    context_.preferences.setFlag(kAskCloseTab, askCloseTab);
    context_.preferences.setFlag(kAskQuit, askQuit);
    context_.preferences.setText(kTerminalFace, form_.parts().layout().Label1Font().family());
}

void MenuCommands::syncChecks() {
    menus_.mnuOptionSetCtrlC->setChecked(context_.settings.switch_of_ctrl_c);
    menus_.mnuOptionSetCtrlV->setChecked(context_.settings.switch_of_ctrl_v);
    menus_.mnuOptionBBSWindowSize->setChecked(context_.settings.switch_of_auto_resize_bbs);
    menus_.mnuOptionStartPage->setChecked(context_.preferences.flag(SessionTabs::kStartPageKey, true));
}

axZEK* MenuCommands::currentSession() const {
    const int t = tabs_.currentTab();
    if (t < 1 || t > tabs_.tabCount()) return nullptr;
    const TabRecord& r = tabs_.table().record(t);
    return r.kind == TabTable::kSessionKind ? tabs_.session(r.slot) : nullptr;
}

void MenuCommands::refreshConnectMenu() {
    menus_.mnuConnectLast->setEnabled(!context_.settings.last_bbs.isEmpty());
    const bool anyTab = tabs_.currentTab() >= 1 && tabs_.currentTab() <= tabs_.tabCount();
    menus_.mnuConnectStop->setEnabled(anyTab);
    menus_.mnuConnectNextTab->setEnabled(tabs_.tabCount() > 1);
    menus_.mnuConnectPrevTab->setEnabled(tabs_.tabCount() > 1);
}

void MenuCommands::refreshEditMenu() {
    axZEK* session = currentSession();
    const bool marked = session && !session->get標記文字().isEmpty();
    menus_.mnuEditCopy->setEnabled(marked);
    menus_.mnuEditCopyWithColours->setEnabled(marked);
    menus_.mnuEditPTTShortcut->setEnabled(session != nullptr);
}

void MenuCommands::sendShortcut(const QString& item) {
    const QByteArray bytes = ptt_shortcuts::bytesFor(item);
    // Every byte is below 128, so the text goes out as these very bytes.
    if (!bytes.isEmpty()) tabs_.sendData(QString::fromLatin1(bytes));
}

void MenuCommands::copy() {
    axZEK* session = currentSession();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (session && !session->get標記文字().isEmpty())
        clipboard->setText(copy_text::forClipboard(session->get標記文字()));
}

// The session took the colours with the marking; with nothing marked the clipboard is
// emptied (with no session too), as plain copy does.
void MenuCommands::copyWithColours() {
    if (axZEK* session = currentSession()) session->f複製含色彩();
    else QGuiApplication::clipboard()->clear();
}

void MenuCommands::paste() {
    if (axZEK* session = currentSession()) {
        session->setFocus(Qt::OtherFocusReason);
        session->f貼上資料();
        return;
    }
    // No session: an ordinary text box with the focus takes the text the usual way.
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) edit->paste();
}

void MenuCommands::chooseFont() {
    MainFormLayout& layout = form_.parts().layout();
    QFont initial = layout.Label1Font();
    initial.setPointSize(layout.bbsFontSize());
    const std::optional<QFont> chosen = fontChooser_(initial, &form_);
    if (!chosen) return;  // cancelled: nothing changes
    layout.Label1Font().setFamily(chosen->family());
    // Rounded half to even, as the size is stored as a whole number of points.
    const int size = static_cast<int>(std::nearbyint(chosen->pointSizeF() > 0 ? chosen->pointSizeF() : 9.0));
    layout.setBbsFontSize(size);
    context_.settings.bbs_font_size = size;
    applyFontToSessions();
    layout.resizeStep();
}

// Every session takes the new font now, not only the current one when it is next laid out.
void MenuCommands::applyFontToSessions() {
    MainFormLayout& layout = form_.parts().layout();
    const QString family = layout.Label1Font().family();
    const int size = context_.settings.switch_of_auto_resize_bbs ? layout.Label1Font().pointSize() : layout.bbsFontSize();
    for (int slot = 1; slot <= TabTable::kMaxSlots; ++slot) {
        axZEK* s = tabs_.session(slot);
        if (!s) continue;
        const QString applied = family + QLatin1Char('/') + QString::number(size);
        if (s->property("zekFont").toString() == applied) continue;
        s->setProperty("zekFont", applied);
        s->SetFont(family, static_cast<float>(size));
    }
}

void MenuCommands::resetSettings() {
    if (!context_.ui || !context_.ui->askYesNo(context_.texts.text(QStringLiteral("Reset_Config_Info1")),
                                               context_.texts.messageTitle()))
        return;
    context_.settings.reset();
    syncChecks();
}

void MenuCommands::openPage(const QString& path) {
    if (context_.ui) context_.ui->openUrl(deployment::page(path));
}

void MenuCommands::toolbarClick(const QString& key) {
    if (key == QLatin1String("ToPTT")) {
        tabs_.OpenBBS(deployment::pttHost());
    } else if (key == QLatin1String("PTTShortcut")) {
        menus_.mnuEditPTTShortcut->setEnabled(currentSession() != nullptr);
        menus_.mnuEditPTTShortcut->popup(QCursor::pos());
    } else if (key == QLatin1String("SearchPTT")) {
        tabs_.openURL(context_.texts.text(QStringLiteral("Menu_Search_In_PTT")), QStringLiteral("SearchPTT"),
                      deployment::page(QStringLiteral("/search.php")));
    } else if (key == QLatin1String("ZEKManual")) {
        openPage(QStringLiteral("/userguide.html"));
    } else if (key == QLatin1String("BugReport")) {
        openPage(QStringLiteral("/troubleticket.html"));
    }
}

void MenuCommands::go(const QString& typed) {
    if (!context_.pttText || !context_.addressPool) return;
    const AddressTarget target = AddressTarget::parse(typed, context_.settings.prefix_of_zek_long_url,
                                                      context_.settings.prefix_of_zek_short_url);
    if (target.kind == AddressTarget::Kind::Empty) return;
    if (target.kind == AddressTarget::Kind::Invalid) {
        if (context_.ui)
            context_.ui->message(context_.texts.text(QStringLiteral("Error_Invalid_Address")) + QLatin1Char(' ') +
                                     target.text,
                                 context_.texts.messageTitle());
        return;
    }
    row_.rememberAddress(target.text);
    open(target);
}

void MenuCommands::open(const AddressTarget& target) {
    switch (target.kind) {
    case AddressTarget::Kind::Bbs:
        tabs_.OpenBBS2(target.host, target.port);
        break;
    case AddressTarget::Kind::ZekUrl:
        if (ZEKURLModule* module = tabs_.zekUrl()) module->openZEKURL(target.text);
        break;
    case AddressTarget::Kind::Web:
        tabs_.openURL(QUrl(target.text).host(), QStringLiteral("Web"), target.text);
        break;
    case AddressTarget::Kind::Empty:
    case AddressTarget::Kind::Invalid:
        break;
    }
}

void MenuCommands::selectTab(int tab) {
    if (tab < 1 || tab > tabs_.tabCount() || tabs_.table().busy()) return;
    axItem& strip = form_.parts().axItem1();
    strip.setItemNowNumber(tab);
    strip.f重新計算位置();
    tabs_.selectTab(tab);
}

void MenuCommands::stepTab(int step) {
    const int count = tabs_.tabCount();
    if (count < 2) return;
    const int now = std::max(1, tabs_.currentTab());
    selectTab((now - 1 + step + count) % count + 1);  // wraps round at both ends
}

void MenuCommands::closeCurrentTab() {
    const int t = tabs_.currentTab();
    if (t < 1 || t > tabs_.tabCount()) return;
    if (!confirmCloseTab(t)) return;
    form_.parts().axItem1().CloseItem(t);
}

bool MenuCommands::ask(const QString& text, bool& askAgain) {
    if (!askAgain || !context_.ui) return true;
    bool optedOut = false;
    const bool yes = context_.ui->askYesNoWithOptOut(text, context_.texts.messageTitle(),
                                                     context_.texts.text(QStringLiteral("Dont_Ask_Again")), optedOut);
    // Only a Yes is remembered: ticking the box and answering No keeps asking.
    if (yes && optedOut) askAgain = false;
    return yes;
}

bool MenuCommands::confirmCloseTab(int tab) {
    if (tab < 1 || tab > tabs_.tabCount()) return true;
    const TabRecord& r = tabs_.table().record(tab);
    axZEK* s = r.kind == TabTable::kSessionKind ? tabs_.session(r.slot) : nullptr;
    if (!s || !s->isConnected()) return true;
    return ask(context_.texts.text(QStringLiteral("Confirm_Close_Tab")), askCloseTab);
}

bool MenuCommands::confirmQuit() {
    int live = 0;
    for (int slot = 1; slot <= TabTable::kMaxSlots; ++slot)
        if (axZEK* s = tabs_.session(slot); s && s->isConnected()) ++live;
    if (live == 0) return true;
    return ask(context_.texts.text(QStringLiteral("Confirm_Quit")).replace(QStringLiteral("%1"), QString::number(live)),
               askQuit);
}

// Inside a session Ctrl+L is PTT's redraw key: the session keeps it, and the address box
// is reached with F6 there.
bool MenuCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<axZEK*>(watched)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_L && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void MenuCommands::applyTexts() {
    for (int slot = 1; slot <= TabTable::kMaxSlots; ++slot)
        if (axZEK* s = tabs_.session(slot)) localizeSession(s);
}

// The session's popup menu is built with its Chinese captions; they are replaced from
// the language texts each time it opens (the address item's caption depends on the
// marked text, so it is set by the session just before).
void MenuCommands::localizeSession(axZEK* session) {
    session->installEventFilter(this);
    if (auto* redraw = session->findChild<QLabel*>(QStringLiteral("label1"), Qt::FindDirectChildrenOnly)) {
        redraw->setText(context_.texts.text(QStringLiteral("Session_Redraw")));
        redraw->adjustSize();
    }
    QMenu* popup = session->findChild<QMenu*>(QStringLiteral("mnu檔案"));
    if (!popup || popup->property("zekLocalized").toBool()) return;
    popup->setProperty("zekLocalized", true);
    connect(popup, &QMenu::aboutToShow, this, [this, popup] {
        static const std::pair<const char*, const char*> byName[] = {
            {"mnu複製", "Popup_Copy"}, {"mnu貼上", "Popup_Paste"}, {"mnu複製含色彩", "Popup_Copy_With_Colours"},
            {"mnu複製後貼上", "Popup_Copy_Paste"}};
        for (const auto& [name, key] : byName)
            if (QAction* a = popup->findChild<QAction*>(QString::fromUtf8(name)))
                a->setText(context_.texts.text(QString::fromLatin1(key)));
        static const std::pair<const char*, const char*> byCaption[] = {
            {"開啟網頁", "Popup_Open_Web_Page"}, {"開啟FTP", "Popup_Open_FTP"}, {"當成網址開啟", "Popup_Open_As_Address"},
            {"網址", "Popup_Address"}};  // its caption while nothing is marked
        if (QAction* a = popup->findChild<QAction*>(QStringLiteral("mnu網址"))) {
            for (const auto& [caption, key] : byCaption)
                if (a->text() == QString::fromUtf8(caption)) a->setText(context_.texts.text(QString::fromLatin1(key)));
        }
    });
}

void MenuCommands::switchLanguage(const QString& mode) {
    context_.settings.language_mode = mode;
    form_.applyLanguageTexts(mode);
}

void MenuCommands::toggleFullScreen(bool on) {
    if (on == form_.isFullScreen()) return;
    if (on) {
        wasMaximized_ = form_.isMaximized();
        form_.showFullScreen();
    } else if (wasMaximized_) {
        form_.showMaximized();
    } else {
        form_.showNormal();
    }
}

void MenuCommands::showAbout() {
    AboutDialog about(context_.texts, &form_);
    about.exec();
}
