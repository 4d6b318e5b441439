#pragma once
#include "app/AppContext.h"

#include <QStringList>

#include <memory>

class MainForm;
class QtUserInteraction;
class UserInteraction;

// Start-up and the process's life: builds the process-wide state in its fixed order,
// loads the main window and then shows it or quits. Shutdown is the main window's
// unload (MainForm::unload).
class MainModule {
public:
    enum class Outcome {
        Running,         // the main window is shown; run the event loop
        Quit,            // the page key table was unusable: nothing shown, nothing written
        SecondInstance,  // another copy runs with the same settings folder: ended silently
    };

    // ui: where messages go. Null picks the desktop's message boxes, or stderr when the
    // environment has ZEK_MESSAGES=stderr. Needs a QApplication.
    explicit MainModule(UserInteraction* ui = nullptr);
    ~MainModule();
    MainModule(const MainModule&) = delete;
    MainModule& operator=(const MainModule&) = delete;

    // Start-up: flags, the INI files, settings and texts, page keys, shared objects,
    // the main window's load, its texts and dialogs, then show or quit. Call once.
    Outcome start();

    AppContext& context() { return context_; }
    // The main window while it lives (Running); null after Quit or SecondInstance.
    MainForm* mainForm() const { return mainForm_.get(); }

    // The whole program: QApplication, start-up, event loop. Exit code 0 for a normal
    // end and for a second copy, 1 when start-up had to quit.
    static int run(int argc, char** argv);
    // The link given on the command line (a Zek URL, a telnet URL or a host): the first
    // argument that is not an option; "" when there is none.
    static QString commandLineLink(const QStringList& arguments);

private:
    std::unique_ptr<UserInteraction> ownUi_;
    AppContext context_;
    std::unique_ptr<MainForm> mainForm_;
};
