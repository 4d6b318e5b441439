#include "session/SessionInput.h"

#include "app/Settings.h"
#include "app/UserInteraction.h"
#include "screen/AnsiCopy.h"
#include "screen/LinkTable.h"
#include "screen/Selection.h"
#include "screen/axZekScreen.h"
#include "session/CopyText.h"
#include "session/KeyTranslator.h"
#include "session/MarkedAddress.h"
#include "session/PasteKeystrokes.h"
#include "session/WheelSteps.h"
#include "session/axZEK.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {
// Keys that move or edit rather than type: their text (Delete gives 0x7F on some
// systems) is never sent as a character.
bool isNonCharacterKey(int vk) { return (vk >= 33 && vk <= 46) || (vk >= 112 && vk <= 135); }
}  // namespace

SessionInput::SessionInput(axZEK* session) : q(session) {
    wheelTimer_.setInterval(10);
    wheelTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wheelTimer_, &QTimer::timeout, q, [this] { wheelTick(); });
    menu_ = new QMenu(QStringLiteral("檔案"), q);
    menu_->setObjectName(QStringLiteral("mnu檔案"));
    copy_ = menu_->addAction(QStringLiteral("複製"));
    copy_->setObjectName(QStringLiteral("mnu複製"));
    paste_ = menu_->addAction(QStringLiteral("貼上"));
    paste_->setObjectName(QStringLiteral("mnu貼上"));
    copyColours_ = menu_->addAction(QStringLiteral("複製(含色彩)"));
    copyColours_->setObjectName(QStringLiteral("mnu複製含色彩"));
    copyPaste_ = menu_->addAction(QStringLiteral("複製後貼上"));
    copyPaste_->setObjectName(QStringLiteral("mnu複製後貼上"));
    menu_->addSeparator();
    address_ = menu_->addAction(QStringLiteral("網址"));
    address_->setObjectName(QStringLiteral("mnu網址"));
    QObject::connect(copy_, &QAction::triggered, q, [this] { copyMarked(); });
    QObject::connect(copyColours_, &QAction::triggered, q, [this] { copyMarkedWithColours(); });
    QObject::connect(paste_, &QAction::triggered, q, [this] { pasteAsTyping(); });
    QObject::connect(copyPaste_, &QAction::triggered, q, [this] {
        copyMarked();
        pasteAsTyping();
    });
    QObject::connect(address_, &QAction::triggered, q, [this] { openMarkedAsAddress(); });
}

SessionInput::~SessionInput() = default;

// --- keyboard -------------------------------------------------------------------------

void SessionInput::keyPress(QKeyEvent* e) {
    e->accept();
    if (!q->isConnected()) return;
    const int mods = KeyTranslator::modifierState(e->modifiers());
    const int vk = KeyTranslator::virtualKey(e->key(), e->modifiers());
    const QByteArray down = KeyTranslator::keyDown(vk, mods);
    if (!down.isEmpty()) q->sendData(down);
    if (isNonCharacterKey(vk)) return;
    // Alt with a letter is a menu key, not typing; Ctrl+Alt (AltGr on some layouts) types.
    if ((mods & KeyTranslator::kAlt) && !(mods & KeyTranslator::kCtrl)) return;
    const QByteArray ch = KeyTranslator::character(e->text());
    if (!ch.isEmpty()) q->sendData(ch);
}

void SessionInput::keyRelease(QKeyEvent* e) {
    e->accept();
    if (e->isAutoRepeat()) return;
    const int mods = KeyTranslator::modifierState(e->modifiers());
    const int vk = KeyTranslator::virtualKey(e->key(), e->modifiers());
    if (KeyTranslator::isCopyKeyUp(vk, mods, q->settings().switch_of_ctrl_c)) {
        copyMarked();
        marked_ = q->screen()->f標記方法(-1, -1, -1, -1);
        return;
    }
    if (KeyTranslator::isPasteKeyUp(vk, mods, q->settings().switch_of_ctrl_v) && q->isConnected()) {
        const QString text = QGuiApplication::clipboard()->text();
        for (const QByteArray& send : KeyTranslator::pasteSends(text, q->screen()->CursorX())) q->sendData(send);
    }
}

void SessionInput::inputMethod(QInputMethodEvent* e) {
    e->accept();
    if (!q->isConnected()) return;
    // Each committed character goes out on its own, a Chinese one as its two bytes.
    const QString text = e->commitString();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype units = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QByteArray ch = KeyTranslator::character(text.mid(i, units));
        if (!ch.isEmpty()) q->sendData(ch);
        i += units;
    }
}

// --- clipboard ------------------------------------------------------------------------

void SessionInput::copyMarked() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!marked_.isEmpty()) clipboard->setText(copy_text::forClipboard(marked_));
}

void SessionInput::copyMarkedWithColours() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!markedColours_.isEmpty()) clipboard->setText(markedColours_);
}

void SessionInput::pasteAsTyping() {
    QWidget* target = QApplication::focusWidget();
    if (!target) return;
    // Colour text ("*[1;33m") is typed the way PTT's editor takes an escape.
    const QString text =
        QString::fromStdString(ansicopy::forTyping(QGuiApplication::clipboard()->text().toStdString()));
    for (const PasteKeystrokes::Keystroke& k : PasteKeystrokes::forText(text)) {
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, k.key, k.modifiers, k.text));
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, k.key, k.modifiers, k.text));
    }
}

void SessionInput::openMarkedAsAddress() {
    if (marked_.isEmpty()) return;
    q->userInteraction().openUrl(MarkedAddress::url(marked_));
}

// --- mouse ----------------------------------------------------------------------------

QPoint SessionInput::cellAt(const QPointF& pos) const {
    const axZekScreen* s = q->screen();
    return QPoint(s->geometry().columnAt(pos.x() - s->x()), s->geometry().rowAt(pos.y()));
}

bool SessionInput::linkUnderPointer(const QPointF& pos) const {
    const QPoint cell = cellAt(pos);
    return q->screen()->links().linkAtCell(cell.x(), cell.y()) >= 0;
}

void SessionInput::mousePress(QMouseEvent* e) {
    const QPoint cell = cellAt(e->position());
    downCol_ = cell.x();
    downRow_ = cell.y();
    moved_ = false;
    e->accept();
}

void SessionInput::mouseMove(QMouseEvent* e) {
    const QPoint cell = cellAt(e->position());
    // A hand that wobbles inside the pressed cell still clicks: only leaving the cell
    // counts as movement (once left, the press is a drag even if it comes back).
    if (cell != QPoint(downCol_, downRow_)) moved_ = true;
    if (e->buttons() == Qt::LeftButton && cell != QPoint(downCol_, downRow_))
        q->screen()->f標記方法(downCol_, downRow_, cell.x(), cell.y());
    // The pointer shape asks the same question as the click.
    const bool onLink = linkUnderPointer(e->position());
    if (onLink != pointerOnLink_) {
        pointerOnLink_ = onLink;
        if (onLink) q->setCursor(Qt::PointingHandCursor);
        else q->unsetCursor();
    }
    e->accept();
}

void SessionInput::mouseRelease(QMouseEvent* e) {
    e->accept();
    if (!q->isConnected()) return;
    if (e->button() == Qt::LeftButton) {
        if (!moved_) {
            const LinkTable& links = q->screen()->links();
            const int k = links.linkAtCell(downCol_, downRow_);
            if (k >= 0) {
                emit q->LinkClicked(QString::fromStdString(links.links()[size_t(k)].text));
                return;
            }
        }
        const QPoint up = cellAt(e->position());
        if (up == QPoint(downCol_, downRow_)) {
            marked_ = q->screen()->f標記方法(-1, -1, -1, -1);
            markedColours_.clear();
        } else {
            marked_ = q->screen()->f標記方法(downCol_, downRow_, up.x(), up.y());
            // Taken now, with the marking: the screen may change before the copy.
            const Selection::Range range = Selection::mark(*q, downCol_, downRow_, up.x(), up.y()).range;
            markedColours_ = QString::fromStdString(ansicopy::text(*q, range));
            // X desktops: marking fills the primary selection, for a middle click anywhere.
            QClipboard* clipboard = QGuiApplication::clipboard();
            if (clipboard->supportsSelection() && !marked_.isEmpty())
                clipboard->setText(copy_text::forClipboard(marked_), QClipboard::Selection);
            emit q->TextMarked(marked_);
        }
    } else if (e->button() == Qt::RightButton) {
        showPopup(e->globalPosition().toPoint());
    } else if (e->button() == Qt::MiddleButton) {
        // The primary selection goes out the way Ctrl+V sends the clipboard.
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard->supportsSelection()) return;
        const QString text = clipboard->text(QClipboard::Selection);
        for (const QByteArray& send : KeyTranslator::pasteSends(text, q->screen()->CursorX())) q->sendData(send);
    }
}

void SessionInput::showPopup(const QPoint& globalPos) {
    const bool any = !marked_.isEmpty();
    copy_->setEnabled(any);
    copyColours_->setEnabled(any);
    copyPaste_->setEnabled(any);
    address_->setEnabled(any);
    if (any) address_->setText(MarkedAddress::caption(marked_));
    paste_->setEnabled(true);
    menu_->popup(globalPos);
}

// --- wheel ----------------------------------------------------------------------------

void SessionInput::addWheelStep(int delta) {
    wheel_.add(delta);
    armWheelTimer();
}

void SessionInput::setFocused(bool focused) {
    focused_ = focused;
    armWheelTimer();
}

// The 10 ms timer runs only while this session has the focus and steps to play out.
void SessionInput::armWheelTimer() {
    if (focused_ && wheel_.pending() != 0) {
        if (!wheelTimer_.isActive()) wheelTimer_.start();
    } else {
        wheelTimer_.stop();
    }
}

void SessionInput::wheelTick() {
    if (!focused_) return;
    const int step = wheel_.take();
    if (step > 0) q->sendData(QByteArrayLiteral("\x1b[A"));
    else if (step < 0) q->sendData(QByteArrayLiteral("\x1bOB"));
    armWheelTimer();
}
