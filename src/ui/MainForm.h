#pragma once
#include <QMainWindow>

#include <memory>

struct AppContext;
class AppDialogs;
class MainMenus;
class MainFormParts;
class MenuCommands;
class SessionStatus;
class SingleInstanceLock;

// The main window. It owns its parts (menus, dialogs, and the tabs, address bar and
// layout added by their own classes) and keeps the window's life cycle: load before it
// is shown, language texts, and unload when it closes.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(AppContext& context, QWidget* parent = nullptr);
    ~MainForm() override;

    // The load step, before the window is shown. False when another copy of Zek already
    // runs with the same settings folder: the caller then ends at once, silently.
    bool load();
    // Title and menu captions from the language texts of the current language mode.
    void applyLanguageTexts();
    // Makes mode the current language mode, then applies it as above.
    void applyLanguageTexts(const QString& mode);
    // Runs the unload step once (also reached through close()): closing flag, settings
    // written when start-up succeeded, then the parts, dialogs and shared objects go.
    void unload();

    AppContext& context() const { return context_; }
    MainMenus& menus() const { return *menus_; }
    // Created by start-up once the window has loaded; null before.
    AppDialogs* dialogs() const { return dialogs_.get(); }
    void setDialogs(std::unique_ptr<AppDialogs> dialogs);
    bool isUnloaded() const { return unloaded_; }
    // The toolbar row, tab strip, tabs and layout.
    MainFormParts& parts() const { return *parts_; }
    // Opens a Zek URL, a telnet URL or a host name as the address bar does.
    void openLink(const QString& text);
    // What the menus, toolbar, address bar and the window's keys do.
    MenuCommands& commands() const { return *commands_; }
    // Tab captions, the dropped-connection line and the window title.
    SessionStatus& status() const { return *status_; }
    // Asks before quitting with live sessions (once, unless turned off); true: go on.
    bool mayClose();
    // Shows the window where it was when Zek last ended; false (nothing shown) when
    // there is no saved placement.
    bool showAtSavedPlacement();

signals:
    // Raised during unload after the settings are written and before the dialogs and
    // shared objects are released: parts stop their timers and requests here.
    void Unloading();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The first paint lets the start page and the web engine come: the window shows
    // before they are made.
    void paintEvent(QPaintEvent* event) override;

private:
    AppContext& context_;
    std::unique_ptr<MainMenus> menus_;
    MainFormParts* parts_;  // a child of the window
    MenuCommands* commands_;  // a child of the window
    SessionStatus* status_;   // a child of the window
    std::unique_ptr<AppDialogs> dialogs_;
    std::unique_ptr<SingleInstanceLock> instanceLock_;
    bool unloaded_ = false;
    bool painted_ = false;
};
