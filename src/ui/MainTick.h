#pragma once
#include <QObject>
#include <QTimer>

struct AppContext;
class QLineEdit;
class SessionTabs;

// The main window's two background duties, in this order: a Zek URL handed over on the
// clipboard by a web page is opened, and sessions silent for more than ten minutes get a
// harmless key so that PTT keeps them (only while a BBS tab is in front).
// Nothing polls: the hand-off is looked for when the clipboard changes or the program
// comes to the front, and one single-shot timer waits for the earliest keep-alive.
class MainTick : public QObject {
    Q_OBJECT
public:
    MainTick(AppContext& context, SessionTabs& tabs, QLineEdit* txtZEKURL, QObject* parent);

    // Both duties once from the event loop, then on their events; stop ends it.
    void start();
    void stop();

    // Both duties now; the keep-alive timer is armed again afterwards.
    void mwXTimer_Tick();
    void handOffFromClipboard();
    void keepAlive();

    // Milliseconds the keep-alive timer waits, -1 when it is not armed.
    int keepAliveWaitMs() const { return keepAliveTimer_.isActive() ? keepAliveTimer_.interval() : -1; }

private:
    // Arms the timer for the first session to fall due, or disarms it when none can
    // (no session has had data, or no BBS tab is in front: selecting one checks again).
    void armKeepAlive();

    AppContext& context_;
    SessionTabs& tabs_;
    QLineEdit* txtZEKURL_;
    QTimer keepAliveTimer_;
    bool running_ = false;
};
