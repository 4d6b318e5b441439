#include "ui/MainMenus.h"

#include "app/LanguageTexts.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* addMenu(QWidget* parent, const char* name) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    // Until the language texts are applied a menu shows its identifier.
    menu->setTitle(QString::fromLatin1(name));
    return menu;
}

QMenu* addTopMenu(QMenuBar* bar, const char* name) {
    QMenu* menu = addMenu(bar, name);
    bar->addMenu(menu);
    return menu;
}

QMenu* addSubmenu(QMenu* parent, const char* name) {
    QMenu* menu = addMenu(parent, name);
    parent->addMenu(menu);
    return menu;
}

QAction* addItem(QMenu* menu, const char* name) {
    QAction* action = menu->addAction(QString::fromLatin1(name));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction* addSeparator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

MainMenus::MainMenus(QMenuBar* bar) : bar_(bar) {
    mnuConnect = addTopMenu(bar, "mnuConnect");
    mnuConnectPTT = addItem(mnuConnect, "mnuConnectPTT");
    mnuConnectQuick = addItem(mnuConnect, "mnuConnectQuick");
    mnuConnectLast = addItem(mnuConnect, "mnuConnectLast");
    mnuConnectStop = addItem(mnuConnect, "mnuConnectStop");
    mnuCSepTabs = addSeparator(mnuConnect, "mnuCSepTabs");
    mnuConnectNextTab = addItem(mnuConnect, "mnuConnectNextTab");
    mnuConnectPrevTab = addItem(mnuConnect, "mnuConnectPrevTab");
    mnuConnectAddress = addItem(mnuConnect, "mnuConnectAddress");
    mnuCSep1 = addSeparator(mnuConnect, "mnuCSep1");
    mnuConnectExit = addItem(mnuConnect, "mnuConnectExit");

    mnuEdit = addTopMenu(bar, "mnuEdit");
    mnuEditCopy = addItem(mnuEdit, "mnuEditCopy");
    mnuEditCopyWithColours = addItem(mnuEdit, "mnuEditCopyWithColours");
    mnuEditPaste = addItem(mnuEdit, "mnuEditPaste");
    mnuEditPTTShortcut = addSubmenu(mnuEdit, "mnuEditPTTShortcut");
    mnuShortcutForwardArticle = addItem(mnuEditPTTShortcut, "mnuShortcutForwardArticle");
    mnuShortcutPublishArticle = addItem(mnuEditPTTShortcut, "mnuShortcutPublishArticle");
    mnuCSep2 = addSeparator(mnuEditPTTShortcut, "mnuCSep2");
    mnuShortcutMainZone = addItem(mnuEditPTTShortcut, "mnuShortcutMainZone");
    mnuShortcutSearchTitle = addItem(mnuEditPTTShortcut, "mnuShortcutSearchTitle");
    mnuShortcutSearchAuthor = addItem(mnuEditPTTShortcut, "mnuShortcutSearchAuthor");
    mnuShortcutSearchArticleCount = addItem(mnuEditPTTShortcut, "mnuShortcutSearchArticleCount");
    mnuCSep3 = addSeparator(mnuEditPTTShortcut, "mnuCSep3");
    mnuShortcutThrowBall = addItem(mnuEditPTTShortcut, "mnuShortcutThrowBall");
    mnuShortcutReplyBall = addItem(mnuEditPTTShortcut, "mnuShortcutReplyBall");
    mnuCSep4 = addSeparator(mnuEditPTTShortcut, "mnuCSep4");
    mnuShortcutPageUp = addItem(mnuEditPTTShortcut, "mnuShortcutPageUp");
    mnuShortcutPageDown = addItem(mnuEditPTTShortcut, "mnuShortcutPageDown");
    mnuShortcutHome = addItem(mnuEditPTTShortcut, "mnuShortcutHome");
    mnuShortcutEnd = addItem(mnuEditPTTShortcut, "mnuShortcutEnd");
    mnuEditMakeZEKURL = addItem(mnuEdit, "mnuEditMakeZEKURL");
    mnuEditSearchPTT = addItem(mnuEdit, "mnuEditSearchPTT");

    mnuOption = addTopMenu(bar, "mnuOption");
    mnuOptionFont = addItem(mnuOption, "mnuOptionFont");
    mnuOptionSetCtrl = addSubmenu(mnuOption, "mnuOptionSetCtrl");
    mnuOptionSetCtrlC = addItem(mnuOptionSetCtrl, "mnuOptionSetCtrlC");
    mnuOptionSetCtrlV = addItem(mnuOptionSetCtrl, "mnuOptionSetCtrlV");
    mnuOptionBBSWindowSize = addItem(mnuOption, "mnuOptionBBSWindowSize");
    mnuOptionStartPage = addItem(mnuOption, "mnuOptionStartPage");
    mnuOptionAutoLogin = addItem(mnuOption, "mnuOptionAutoLogin");
    mnuOptionResetConfig = addItem(mnuOption, "mnuOptionResetConfig");
    mnuCSepOption = addSeparator(mnuOption, "mnuCSepOption");
    mnuOptionFullScreen = addItem(mnuOption, "mnuOptionFullScreen");
    mnuOptionLanguage = addSubmenu(mnuOption, "mnuOptionLanguage");
    mnuLanguageTW = addItem(mnuOptionLanguage, "mnuLanguageTW");
    mnuLanguageEN = addItem(mnuOptionLanguage, "mnuLanguageEN");
    for (QAction* toggle : {mnuOptionSetCtrlC, mnuOptionSetCtrlV, mnuOptionBBSWindowSize, mnuOptionStartPage,
                            mnuOptionFullScreen,
                            mnuLanguageTW, mnuLanguageEN})
        toggle->setCheckable(true);
    auto* languages = new QActionGroup(mnuOptionLanguage);
    languages->addAction(mnuLanguageTW);
    languages->addAction(mnuLanguageEN);

    mnuAbout = addTopMenu(bar, "mnuAbout");
    mnuAboutZEKWebsite = addItem(mnuAbout, "mnuAboutZEKWebsite");
    mnuAboutManual = addItem(mnuAbout, "mnuAboutManual");
    mnuAboutTerms = addItem(mnuAbout, "mnuAboutTerms");
    mnuCSep5 = addSeparator(mnuAbout, "mnuCSep5");
    mnuAboutCheckNewVersion = addItem(mnuAbout, "mnuAboutCheckNewVersion");
    mnuAboutZek = addItem(mnuAbout, "mnuAboutZek");
    mnuVersion = addItem(mnuAbout, "mnuVersion");
    mnuVersion->setText(versionCaption());
    mnuVersion->setEnabled(false);  // a caption, not a command

    // The terminal owns plain keys and Ctrl+letters; Zek's own keys are combinations a
    // BBS never needs.
    mnuEditCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    mnuEditCopyWithColours->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X));
    mnuEditPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    mnuConnectPTT->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    mnuConnectStop->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    mnuConnectNextTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    mnuConnectPrevTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    // Ctrl+L is PTT's redraw key inside a session (MenuCommands leaves it to the
    // session there); F6 works everywhere.
    mnuConnectAddress->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_L)});
    mnuOptionFullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    for (QAction* a : bar->findChildren<QAction*>()) a->setShortcutContext(Qt::WindowShortcut);
}

QString MainMenus::withMnemonic(const QString& caption, QChar letter) {
    if (caption.isEmpty() || letter.isNull()) return caption;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i)
        if (caption.at(i) == QLatin1Char('&') && caption.at(i + 1).isLetterOrNumber()) return caption;
    QString escaped = caption;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped.at(i).toUpper() == letter.toUpper() && escaped.at(i).unicode() < 128)
            return escaped.left(i) + QLatin1Char('&') + escaped.mid(i);
    }
    // Trailing blanks and an ellipsis stay at the end, after the mnemonic.
    qsizetype end = escaped.size();
    while (end > 0 && (escaped.at(end - 1).isSpace() || escaped.at(end - 1) == QChar(0x2026) ||
                       escaped.at(end - 1) == QLatin1Char('.')))
        --end;
    return escaped.left(end) + QStringLiteral("(&") + letter.toUpper() + QLatin1Char(')') + escaped.mid(end);
}

const std::vector<std::pair<QString, QString>>& MainMenus::captionKeys() {
    static const std::vector<std::pair<QString, QString>> table = {
        {QStringLiteral("mnuConnect"), QStringLiteral("Menu_Connection")},
        {QStringLiteral("mnuConnectPTT"), QStringLiteral("Menu_Connect_To_PTT")},
        {QStringLiteral("mnuConnectQuick"), QStringLiteral("Menu_Quick_Connect")},
        {QStringLiteral("mnuConnectLast"), QStringLiteral("Menu_Last_Connection")},
        {QStringLiteral("mnuConnectStop"), QStringLiteral("Menu_Stop_Current_Connection")},
        {QStringLiteral("mnuConnectNextTab"), QStringLiteral("Menu_Next_Tab")},
        {QStringLiteral("mnuConnectPrevTab"), QStringLiteral("Menu_Previous_Tab")},
        {QStringLiteral("mnuConnectAddress"), QStringLiteral("Menu_Go_To_Address")},
        {QStringLiteral("mnuConnectExit"), QStringLiteral("Menu_Exit")},
        {QStringLiteral("mnuEdit"), QStringLiteral("Menu_Edit")},
        {QStringLiteral("mnuEditCopy"), QStringLiteral("Menu_Copy")},
        {QStringLiteral("mnuEditCopyWithColours"), QStringLiteral("Menu_Copy_With_Colours")},
        {QStringLiteral("mnuEditPaste"), QStringLiteral("Menu_Paste")},
        {QStringLiteral("mnuEditPTTShortcut"), QStringLiteral("Menu_PTT_Shortcut")},
        {QStringLiteral("mnuShortcutForwardArticle"), QStringLiteral("Menu_Forward_Article")},
        {QStringLiteral("mnuShortcutPublishArticle"), QStringLiteral("Menu_Publish_Article")},
        {QStringLiteral("mnuShortcutMainZone"), QStringLiteral("Menu_Main_Zone")},
        {QStringLiteral("mnuShortcutSearchTitle"), QStringLiteral("Menu_Search_With_Title")},
        {QStringLiteral("mnuShortcutSearchAuthor"), QStringLiteral("Menu_Search_With_Author")},
        {QStringLiteral("mnuShortcutSearchArticleCount"), QStringLiteral("Menu_Search_Count_Of_Forwarded_Articles")},
        {QStringLiteral("mnuShortcutThrowBall"), QStringLiteral("Menu_Throw_Water_Ball")},
        {QStringLiteral("mnuShortcutReplyBall"), QStringLiteral("Menu_Reply_To_Water_Ball")},
        {QStringLiteral("mnuShortcutPageUp"), QStringLiteral("Menu_Page_Up")},
        {QStringLiteral("mnuShortcutPageDown"), QStringLiteral("Menu_Page_Down")},
        {QStringLiteral("mnuShortcutHome"), QStringLiteral("Menu_Home")},
        {QStringLiteral("mnuShortcutEnd"), QStringLiteral("Menu_End")},
        {QStringLiteral("mnuEditMakeZEKURL"), QStringLiteral("Menu_Create_PTT_URL")},
        {QStringLiteral("mnuEditSearchPTT"), QStringLiteral("Menu_Search_In_PTT")},
        {QStringLiteral("mnuOption"), QStringLiteral("Menu_Option")},
        {QStringLiteral("mnuOptionFont"), QStringLiteral("Menu_Font_Type")},
        {QStringLiteral("mnuOptionSetCtrl"), QStringLiteral("Menu_CtrlC_CtrlV")},
        {QStringLiteral("mnuOptionSetCtrlC"), QStringLiteral("Menu_Set_CtrlC")},
        {QStringLiteral("mnuOptionSetCtrlV"), QStringLiteral("Menu_Set_CtrlV")},
        {QStringLiteral("mnuOptionBBSWindowSize"), QStringLiteral("Menu_AutoResize_Screen")},
        {QStringLiteral("mnuOptionStartPage"), QStringLiteral("Menu_Start_Page")},
        {QStringLiteral("mnuOptionAutoLogin"), QStringLiteral("Menu_Auto_Login")},
        {QStringLiteral("mnuOptionResetConfig"), QStringLiteral("Menu_Reset_Config")},
        {QStringLiteral("mnuOptionFullScreen"), QStringLiteral("Menu_Full_Screen")},
        {QStringLiteral("mnuOptionLanguage"), QStringLiteral("Menu_Language")},
        {QStringLiteral("mnuLanguageTW"), QStringLiteral("Menu_Language_TW")},
        {QStringLiteral("mnuLanguageEN"), QStringLiteral("Menu_Language_EN")},
        {QStringLiteral("mnuAbout"), QStringLiteral("Menu_Help")},
        {QStringLiteral("mnuAboutZEKWebsite"), QStringLiteral("Menu_ZEK_Website")},
        {QStringLiteral("mnuAboutManual"), QStringLiteral("Menu_User_Manual")},
        {QStringLiteral("mnuAboutTerms"), QStringLiteral("Menu_Privacy")},
        {QStringLiteral("mnuAboutCheckNewVersion"), QStringLiteral("Checking_New_Version")},
        {QStringLiteral("mnuAboutZek"), QStringLiteral("Menu_About")},
    };
    return table;
}

QString MainMenus::versionCaption() { return QStringLiteral("Version 0.9.13"); }

namespace {
// Mnemonic letters; unique within each menu.
QChar mnemonicOf(const QString& name) {
    static const std::vector<std::pair<const char*, char>> letters = {
        {"mnuConnect", 'C'}, {"mnuConnectPTT", 'P'}, {"mnuConnectQuick", 'Q'}, {"mnuConnectLast", 'L'},
        {"mnuConnectStop", 'S'}, {"mnuConnectNextTab", 'N'}, {"mnuConnectPrevTab", 'R'},
        {"mnuConnectAddress", 'A'}, {"mnuConnectExit", 'X'},
        {"mnuEdit", 'E'}, {"mnuEditCopy", 'C'}, {"mnuEditCopyWithColours", 'W'}, {"mnuEditPaste", 'P'}, {"mnuEditPTTShortcut", 'S'},
        {"mnuEditMakeZEKURL", 'M'}, {"mnuEditSearchPTT", 'F'},
        {"mnuOption", 'O'}, {"mnuOptionFont", 'F'}, {"mnuOptionSetCtrl", 'N'}, {"mnuOptionSetCtrlC", 'C'},
        {"mnuOptionSetCtrlV", 'V'}, {"mnuOptionBBSWindowSize", 'S'}, {"mnuOptionStartPage", 'H'},
        {"mnuOptionAutoLogin", 'A'},
        {"mnuOptionResetConfig", 'R'}, {"mnuOptionFullScreen", 'U'}, {"mnuOptionLanguage", 'L'},
        {"mnuAbout", 'H'}, {"mnuAboutZEKWebsite", 'W'}, {"mnuAboutManual", 'M'}, {"mnuAboutTerms", 'T'},
        {"mnuAboutCheckNewVersion", 'V'}, {"mnuAboutZek", 'A'},
    };
    for (const auto& [n, c] : letters)
        if (name == QLatin1String(n)) return QLatin1Char(c);
    return {};
}
}  // namespace

void MainMenus::applyTexts(const LanguageTexts& texts) {
    for (const auto& [name, key] : captionKeys()) {
        // A menu's title and its menu action's text are the same thing in Qt.
        if (QAction* action = item(name)) action->setText(withMnemonic(texts.text(key), mnemonicOf(name)));
    }
    // The language items name their language in itself, whatever the mode.
    mnuLanguageTW->setChecked(texts.mode() != QLatin1String("EN"));
    mnuLanguageEN->setChecked(texts.mode() == QLatin1String("EN"));
}

QAction* MainMenus::item(const QString& name) const {
    if (bar_ == nullptr) return nullptr;
    return bar_->findChild<QAction*>(name);
}

QMenu* MainMenus::menu(const QString& name) const {
    if (bar_ == nullptr) return nullptr;
    return bar_->findChild<QMenu*>(name);
}
