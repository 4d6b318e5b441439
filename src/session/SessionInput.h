#pragma once
#include "session/WheelSteps.h"

#include <QPoint>
#include <QString>
#include <QTimer>

class axZEK;
class QAction;
class QInputMethodEvent;
class QKeyEvent;
class QMenu;
class QMouseEvent;

// The hands of a session: keys and input-method text become bytes for the host, the
// mouse marks text, clicks links and opens the popup menu, the clipboard is copied and
// pasted, and wheel steps are played out as cursor keys. Every byte leaves through the
// session's sendData, so nothing goes out unless the session is connected.
class SessionInput {
public:
    explicit SessionInput(axZEK* session);
    ~SessionInput();
    SessionInput(const SessionInput&) = delete;
    SessionInput& operator=(const SessionInput&) = delete;

    void keyPress(QKeyEvent* e);
    void keyRelease(QKeyEvent* e);
    void inputMethod(QInputMethodEvent* e);

    void mousePress(QMouseEvent* e);
    void mouseMove(QMouseEvent* e);
    void mouseRelease(QMouseEvent* e);

    // One wheel message: one step up (delta >= 0) or down, played out while focused.
    void addWheelStep(int delta);
    // One tick of the 10 ms wheel timer: the focused session takes one pending step.
    void wheelTick();
    void setFocused(bool focused);
    bool focused() const { return focused_; }

    // Types the clipboard text into whatever has the keyboard focus.
    void pasteAsTyping();
    void copyMarked();
    // The marked text with its colour sequences ("*[1;33m", see AnsiCopy).
    void copyMarkedWithColours();
    QString markedText() const { return marked_; }

private:
    QPoint cellAt(const QPointF& pos) const;
    bool linkUnderPointer(const QPointF& pos) const;
    void showPopup(const QPoint& globalPos);
    void openMarkedAsAddress();
    void armWheelTimer();

    axZEK* q;
    QString marked_;
    QString markedColours_;
    int downCol_ = 0, downRow_ = 0;
    bool moved_ = false;
    // Only the focused session plays out wheel steps; a session that never had the focus
    // takes none.
    bool focused_ = false;
    bool pointerOnLink_ = false;
    // This session's own wheel steps: a step waits for its session, not for whichever
    // session has the focus next.
    WheelSteps wheel_;
    QTimer wheelTimer_;

    QMenu* menu_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* copyColours_ = nullptr;
    QAction* copyPaste_ = nullptr;
    QAction* address_ = nullptr;
};
