#include "ui/MainMenus.h"

#include "app/LanguageTexts.h"

#include <QAction>
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
    mnuCSep1 = addSeparator(mnuConnect, "mnuCSep1");
    mnuConnectExit = addItem(mnuConnect, "mnuConnectExit");

    mnuEdit = addTopMenu(bar, "mnuEdit");
    mnuEditCopy = addItem(mnuEdit, "mnuEditCopy");
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
    mnuOptionAutoLogin = addItem(mnuOption, "mnuOptionAutoLogin");
    mnuOptionResetConfig = addItem(mnuOption, "mnuOptionResetConfig");
    for (QAction* toggle : {mnuOptionSetCtrlC, mnuOptionSetCtrlV, mnuOptionBBSWindowSize}) toggle->setCheckable(true);

    mnuAbout = addTopMenu(bar, "mnuAbout");
    mnuAboutZEKWebsite = addItem(mnuAbout, "mnuAboutZEKWebsite");
    mnuAboutManual = addItem(mnuAbout, "mnuAboutManual");
    mnuAboutTerms = addItem(mnuAbout, "mnuAboutTerms");
    mnuCSep5 = addSeparator(mnuAbout, "mnuCSep5");
    mnuAboutCheckNewVersion = addItem(mnuAbout, "mnuAboutCheckNewVersion");
    mnuVersion = addItem(mnuAbout, "mnuVersion");
    mnuVersion->setText(versionCaption());
}

const std::vector<std::pair<QString, QString>>& MainMenus::captionKeys() {
    static const std::vector<std::pair<QString, QString>> table = {
        {QStringLiteral("mnuConnect"), QStringLiteral("Menu_Connection")},
        {QStringLiteral("mnuConnectPTT"), QStringLiteral("Menu_Connect_To_PTT")},
        {QStringLiteral("mnuConnectQuick"), QStringLiteral("Menu_Quick_Connect")},
        {QStringLiteral("mnuConnectLast"), QStringLiteral("Menu_Last_Connection")},
        {QStringLiteral("mnuConnectStop"), QStringLiteral("Menu_Stop_Current_Connection")},
        {QStringLiteral("mnuConnectExit"), QStringLiteral("Menu_Exit")},
        {QStringLiteral("mnuEdit"), QStringLiteral("Menu_Edit")},
        {QStringLiteral("mnuEditCopy"), QStringLiteral("Menu_Copy")},
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
        {QStringLiteral("mnuOptionAutoLogin"), QStringLiteral("Menu_Auto_Login")},
        {QStringLiteral("mnuOptionResetConfig"), QStringLiteral("Menu_Reset_Config")},
        {QStringLiteral("mnuAbout"), QStringLiteral("Menu_Help")},
        {QStringLiteral("mnuAboutZEKWebsite"), QStringLiteral("Menu_ZEK_Website")},
        {QStringLiteral("mnuAboutManual"), QStringLiteral("Menu_User_Manual")},
        {QStringLiteral("mnuAboutTerms"), QStringLiteral("Menu_Privacy")},
        {QStringLiteral("mnuAboutCheckNewVersion"), QStringLiteral("Checking_New_Version")},
    };
    return table;
}

QString MainMenus::versionCaption() { return QStringLiteral("Version 0.9.13"); }

void MainMenus::applyTexts(const LanguageTexts& texts) {
    for (const auto& [name, key] : captionKeys()) {
        // A menu's title and its menu action's text are the same thing in Qt.
        if (QAction* action = item(name)) action->setText(texts.text(key));
    }
}

QAction* MainMenus::item(const QString& name) const {
    if (bar_ == nullptr) return nullptr;
    return bar_->findChild<QAction*>(name);
}

QMenu* MainMenus::menu(const QString& name) const {
    if (bar_ == nullptr) return nullptr;
    return bar_->findChild<QMenu*>(name);
}
