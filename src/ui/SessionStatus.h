#pragma once
// What a user sees of each session's connection: the tab caption (the host, or "PTT ·
// board" once the board is known), a line over the screen when the connection dropped
// or could not be made, with a button that connects again (Enter does the same), and
// the window title naming the current tab.
#include <QObject>
#include <QPointer>
#include <QString>

#include <map>

struct AppContext;
class LanguageTexts;
class MainForm;
class QFrame;
class QLabel;
class QPushButton;
class axZEK;

class SessionStatus : public QObject {
    Q_OBJECT
public:
    SessionStatus(MainForm& form, AppContext& context);

    // A tab's caption: "PTT" for the PTT host, else the host; " · board" when known.
    static QString caption(const QString& host, int port, const QString& board, bool isPtt);
    // The reason a transport gave, in the current language where it is a common one
    // (refused, no such host, timeout, network); others are shown as the transport says
    // them. Empty: the host closed the connection.
    static QString reasonText(const LanguageTexts& texts, const QString& transportReason);
    // "Could not connect to host:port (reason)".
    static QString connectionError(const LanguageTexts& texts, const QString& host, int port,
                                   const QString& transportReason);

    // Whether slot's connection is down after it was made or tried.
    bool isDropped(int slot) const;
    // The line over slot's screen (null before the session was made).
    QFrame* banner(int slot) const;
    // Connects slot's session again to its host and port.
    void reconnect(int slot);
    // Window title and banner texts again (language switch, tab change).
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        QPointer<QFrame> frame;
        QLabel* label = nullptr;
        QPushButton* button = nullptr;
        bool dropped = false;
        QString reason;  // the transport's; empty when the host closed the line
    };
    void attach(int slot, axZEK* session);
    void dropped(int slot, axZEK* session, const QString& reason);
    void connected(int slot, axZEK* session);
    void updateCaption(int slot);
    void placeBanner(int slot);
    void updateTitle();
    int tabOfSlot(int slot) const;

    MainForm& form_;
    AppContext& context_;
    std::map<int, Line> lines_;
};
