#pragma once
// What the menus, the toolbar, the address bar and the window's own keys do: every
// command of the menu tree with the states refreshed when a menu opens, the PTT
// shortcuts, the toolbar's buttons by key, the go command and tab switching.
#include <QFont>
#include <QObject>

#include <functional>
#include <optional>

struct AddressTarget;
struct AppContext;
class MainForm;
class MainMenus;
class QAction;
class QWidget;
class SessionTabs;
class ToolbarRow;
class axZEK;

class MenuCommands : public QObject {
    Q_OBJECT
public:
    // Asks the user for a terminal font, starting from initial; nullopt when cancelled.
    using FontChooser = std::function<std::optional<QFont>(const QFont& initial, QWidget* parent)>;

    MenuCommands(MainForm& form, AppContext& context);

    // Tests put in a chooser that answers at once.
    void setFontChooser(FontChooser chooser) { fontChooser_ = std::move(chooser); }

    // Menu states that depend on the moment (called when a menu opens).
    void refreshConnectMenu();
    void refreshEditMenu();
    // Check marks from the settings (load, reset).
    void syncChecks();

    // The commands, by what they do.
    void sendShortcut(const QString& item);
    void copy();
    void copyWithColours();
    void paste();
    void chooseFont();
    void resetSettings();
    void toolbarClick(const QString& key);
    void go(const QString& typed);
    void open(const AddressTarget& target);
    void selectTab(int tab);
    void stepTab(int step);
    void closeCurrentTab();
    void switchLanguage(const QString& mode);
    void toggleFullScreen(bool on);
    void showAbout();

    // The session of the current tab, or null.
    axZEK* currentSession() const;

    // Questions before a live session goes: closing its tab, or quitting while sessions
    // are connected. Each can be turned off by its "don't ask again" box. True: go on.
    bool confirmCloseTab(int tab);
    bool confirmQuit();
    bool askCloseTab = true;
    bool askQuit = true;
    // Texts of the parts this class looks after that have no caption key of their own
    // (the sessions' popup menus).
    void applyTexts();
    // Preferences.ini: the two questions' switches and the terminal face.
    void loadPreferences();
    void savePreferences();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void connectMenus();
    void applyFontToSessions();
    void openPage(const QString& path);
    void localizeSession(axZEK* session);
    bool ask(const QString& text, bool& askAgain);

    MainForm& form_;
    AppContext& context_;
    MainMenus& menus_;
    SessionTabs& tabs_;
    ToolbarRow& row_;
    FontChooser fontChooser_;
    bool wasMaximized_ = true;
};
