#include "StartupFolder.h"
#include "app/IniFile.h"
#include "app/LanguageTexts.h"
#include "ui/MainMenus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

// "name" for an item, "name>" opening a submenu, "<" closing it.
QStringList walk(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* action : actions) {
        if (QMenu* sub = action->menu()) {
            out << sub->objectName() + QLatin1Char('>');
            out << walk(sub->actions());
            out << QStringLiteral("<");
        } else {
            out << action->objectName() + (action->isSeparator() ? QStringLiteral("-") : QString());
        }
    }
    return out;
}

}  // namespace

TEST(MainMenus, TreeInDisplayOrderWithEveryItemNamed) {
    QMainWindow window;
    MainMenus menus(window.menuBar());
    const QStringList expected = QStringLiteral(
        "mnuConnect> mnuConnectPTT mnuConnectQuick mnuConnectLast mnuConnectStop mnuCSep1- mnuConnectExit < "
        "mnuEdit> mnuEditCopy mnuEditPaste mnuEditPTTShortcut> mnuShortcutForwardArticle mnuShortcutPublishArticle "
        "mnuCSep2- mnuShortcutMainZone mnuShortcutSearchTitle mnuShortcutSearchAuthor mnuShortcutSearchArticleCount "
        "mnuCSep3- mnuShortcutThrowBall mnuShortcutReplyBall mnuCSep4- mnuShortcutPageUp mnuShortcutPageDown "
        "mnuShortcutHome mnuShortcutEnd < mnuEditMakeZEKURL mnuEditSearchPTT < "
        "mnuOption> mnuOptionFont mnuOptionSetCtrl> mnuOptionSetCtrlC mnuOptionSetCtrlV < mnuOptionBBSWindowSize "
        "mnuOptionAutoLogin mnuOptionResetConfig < "
        "mnuAbout> mnuAboutZEKWebsite mnuAboutManual mnuAboutTerms mnuCSep5- mnuAboutCheckNewVersion mnuVersion <")
                                   .split(QLatin1Char(' '));
    EXPECT_EQ(walk(window.menuBar()->actions()), expected);

    // Names reach the same objects through the window, as the other parts look them up.
    EXPECT_EQ(window.findChild<QAction*>(QStringLiteral("mnuConnectPTT")), menus.mnuConnectPTT);
    EXPECT_EQ(window.findChild<QMenu*>(QStringLiteral("mnuEditPTTShortcut")), menus.mnuEditPTTShortcut);
    EXPECT_EQ(menus.item(QStringLiteral("mnuOption")), menus.mnuOption->menuAction());
    EXPECT_EQ(menus.item(QStringLiteral("mnuNothing")), nullptr);
    for (QAction* toggle : {menus.mnuOptionSetCtrlC, menus.mnuOptionSetCtrlV, menus.mnuOptionBBSWindowSize})
        EXPECT_TRUE(toggle->isCheckable()) << toggle->objectName().toStdString();
    EXPECT_EQ(menus.mnuVersion->text(), QStringLiteral("Version 0.9.13"));
}

// The shipped file has a text in both languages for every key the program looks up.
TEST(MainMenus, ShippedLanguagesFileCoversEveryKey) {
    IniFile ini;
    ini.parse(QString::fromUtf8(StartupFolder::shipped()));
    QStringList keys;
    for (const auto& entry : MainMenus::captionKeys()) keys << entry.second;
    keys << QStringLiteral(
                "App_Title Note Startup_Page Menu_Search_In_PTT Error_Fail_To_Connect_To Reset_Config_Info1 "
                "ERROR_INVALID_KEYS_FOR_MAIN_MENU ERROR_INVALID_KEYS_FOR_ARTICLE_LIST ERROR_INVALID_KEYS_FOR_ARTICLE "
                "ERROR_INVALID_KEYS_FOR_LOGON_PAGE ERROR_INVALID_KEYS_FOR_AUTO_REPLY "
                "ERROR_INVALID_KEYS_FOR_DELAY_STARTING ERROR_INVALID_KEYS_FOR_DELAY_ENDING "
                "ERROR_INVALID_KEYS_FOR_LOGON_AGAIN ERROR_INVALID_KEYS_FOR_LOGON_REPLY "
                "ERROR_INVALID_KEYS_FOR_LOGON_STOP ERROR_BBS_NOT_FOUND_IN_URL Title_of_Checking_New_Version "
                "Checking_New_Version Hide No_New_Version Finish New_Version_Found New_Version_Found1 Install_Later "
                "Install_Now Downloading_New_Version New_Version_Available Remote_Server_Error bytes Login_Title "
                "Login_UserName Login_Password Enable_Auto_Login Login_Auto_Delete_Password_Errors "
                "Login_Auto_Delete_Other_Links Login_Info OK Cancel Invalid_User_Name Invalid_Passwored "
                "Quick_Connect_Title Quick_Connect_Host Quick_Connect_Port Invalid_Host Invalid_Port ZEK_Link_Title "
                "ZEK_Link_Intro_ZEK_URL ZEK_Link_Info1 ZEK_Link_Info2 ZEK_Link_Info3 ZEK_Link_Publish_To_Facebook "
                "ZEK_Link_Publish_To_Plurk ZEK_Link_Publish_To_IE Button_Exit Or BBS Article Error_Fail_To_Save_Settings")
                .split(QLatin1Char(' '));
    for (const QString& mode : {QStringLiteral("TW"), QStringLiteral("EN")}) {
        const LanguageTexts texts(&ini, mode);
        for (const QString& key : keys) {
            const QString text = ini.getValue(QStringLiteral("Language Setting"), mode + QLatin1Char('/') + key,
                                              QStringLiteral("<missing>"));
            EXPECT_NE(text, QStringLiteral("<missing>")) << mode.toStdString() << '/' << key.toStdString();
            EXPECT_FALSE(text.trimmed().isEmpty()) << mode.toStdString() << '/' << key.toStdString();
        }
        // The link texts need their place holder.
        for (const char* key : {"ZEK_Link_Info1", "ZEK_Link_Info2"})
            EXPECT_TRUE(texts.text(QString::fromLatin1(key)).contains(QStringLiteral("<XXX>"))) << key;
    }
}
