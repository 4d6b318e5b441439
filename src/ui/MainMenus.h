#pragma once
#include <QString>

#include <utility>
#include <vector>

class LanguageTexts;
class QAction;
class QMenu;
class QMenuBar;

// The main window's menu tree. Every item is an object named after its identifier
// ("mnuConnectPTT"); a menu's QMenu and its menu action both carry the name, separators
// included. Captions come from the language texts, each with its mnemonic; keyboard
// shortcuts are set here so that the menus show them. The commands are connected by
// MenuCommands.
class MainMenus {
public:
    // Builds the whole tree into bar.
    explicit MainMenus(QMenuBar* bar);

    // Identifier and language key of every caption, in the order they are applied.
    static const std::vector<std::pair<QString, QString>>& captionKeys();
    static QString versionCaption();  // "Version 0.9.13"
    // A caption with its mnemonic: "&" before the first letter in the text that matches
    // (either case), or " (&X)" after a text without it (Chinese captions). A text that
    // already has a mnemonic is left alone.
    static QString withMnemonic(const QString& caption, QChar letter);

    // Sets every caption of captionKeys() from texts.
    void applyTexts(const LanguageTexts& texts);

    // The item (or a menu's action) with this identifier; null when there is none.
    QAction* item(const QString& name) const;
    // The menu or submenu with this identifier; null when there is none.
    QMenu* menu(const QString& name) const;

    QMenu* mnuConnect;
    QAction* mnuConnectPTT;
    QAction* mnuConnectQuick;
    QAction* mnuConnectLast;
    QAction* mnuConnectStop;
    QAction* mnuCSepTabs;
    QAction* mnuConnectNextTab;
    QAction* mnuConnectPrevTab;
    QAction* mnuConnectAddress;
    QAction* mnuCSep1;
    QAction* mnuConnectExit;

    QMenu* mnuEdit;
    QAction* mnuEditCopy;
    QAction* mnuEditCopyWithColours;
    QAction* mnuEditPaste;
    QMenu* mnuEditPTTShortcut;
    QAction* mnuShortcutForwardArticle;
    QAction* mnuShortcutPublishArticle;
    QAction* mnuCSep2;
    QAction* mnuShortcutMainZone;
    QAction* mnuShortcutSearchTitle;
    QAction* mnuShortcutSearchAuthor;
    QAction* mnuShortcutSearchArticleCount;
    QAction* mnuCSep3;
    QAction* mnuShortcutThrowBall;
    QAction* mnuShortcutReplyBall;
    QAction* mnuCSep4;
    QAction* mnuShortcutPageUp;
    QAction* mnuShortcutPageDown;
    QAction* mnuShortcutHome;
    QAction* mnuShortcutEnd;
    QAction* mnuEditMakeZEKURL;
    QAction* mnuEditSearchPTT;

    QMenu* mnuOption;
    QAction* mnuOptionFont;
    QMenu* mnuOptionSetCtrl;
    QAction* mnuOptionSetCtrlC;
    QAction* mnuOptionSetCtrlV;
    QAction* mnuOptionBBSWindowSize;
    QAction* mnuOptionStartPage;
    QAction* mnuOptionAutoLogin;
    QAction* mnuOptionResetConfig;
    QAction* mnuCSepOption;
    QAction* mnuOptionFullScreen;
    QMenu* mnuOptionLanguage;
    QAction* mnuLanguageTW;
    QAction* mnuLanguageEN;

    QMenu* mnuAbout;
    QAction* mnuAboutZEKWebsite;
    QAction* mnuAboutManual;
    QAction* mnuAboutTerms;
    QAction* mnuCSep5;
    QAction* mnuAboutCheckNewVersion;
    QAction* mnuAboutZek;
    QAction* mnuVersion;

private:
    QMenuBar* bar_;
};
