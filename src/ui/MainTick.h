#pragma once
#include <QObject>

struct AppContext;
class QLineEdit;
class SessionTabs;

// The main window's once-a-second duties, in this order: a Zek URL handed over on the
// clipboard by a web page is opened, and sessions silent for more than ten minutes get a
// harmless key so that PTT keeps them (only while a BBS tab is in front).
class MainTick : public QObject {
    Q_OBJECT
public:
    MainTick(AppContext& context, SessionTabs& tabs, QLineEdit* txtZEKURL, QObject* parent);

    void mwXTimer_Tick();
    void handOffFromClipboard();
    void keepAlive();

private:
    AppContext& context_;
    SessionTabs& tabs_;
    QLineEdit* txtZEKURL_;
};
