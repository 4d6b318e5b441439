#include "ui/SessionStatus.h"

#include "app/AppContext.h"
#include "app/Deployment.h"
#include "session/axItem.h"
#include "session/axImgButton.h"
#include "session/axZEK.h"
#include "ui/MainForm.h"
#include "ui/MainFormParts.h"
#include "ui/SessionTabs.h"
#include "ui/TabTable.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
const QChar kDroppedMark(0x2715);  // ✕ in front of a dropped session's caption
}

SessionStatus::SessionStatus(MainForm& form, AppContext& context) : QObject(&form), form_(form), context_(context) {
    SessionTabs& tabs = form_.parts().tabs();
    connect(&tabs, &SessionTabs::SessionCreated, this, &SessionStatus::attach);
    connect(&tabs, &SessionTabs::ScreenClassified, this, [this](int slot, ZEKAddressRef) { updateCaption(slot); });
    connect(&tabs, &SessionTabs::LayoutRequested, this, &SessionStatus::updateTitle);
}

QString SessionStatus::caption(const QString& host, int port, const QString& board, bool isPtt) {
    QString c = isPtt ? QStringLiteral("PTT") : host;
    if (!isPtt && port != 23 && port > 0) c += QLatin1Char(':') + QString::number(port);
    if (!board.isEmpty()) c += QStringLiteral(" · ") + board;
    return c;
}

QString SessionStatus::reasonText(const LanguageTexts& texts, const QString& transportReason) {
    if (transportReason.isEmpty()) return texts.text(QStringLiteral("Reason_Closed"));
    // The SSH transport's own reasons come first: "host key refused" is the user's
    // answer, not the host refusing the connection.
    static const std::pair<const char*, const char*> known[] = {
        {"host key refused", "Reason_Host_Key_Refused"}, {"logon cancelled", "Reason_Logon_Cancelled"},
        {"logon failed", "Reason_Logon_Failed"},         {"bad port", "Reason_Bad_Port"},
        {"refused", "Reason_Refused"},       {"not found", "Reason_Host_Not_Found"},
        {"timed out", "Reason_Timeout"},     {"timeout", "Reason_Timeout"},
        {"unreachable", "Reason_Network"},   {"network", "Reason_Network"},
    };
    for (const auto& [words, key] : known)
        if (transportReason.contains(QLatin1String(words), Qt::CaseInsensitive)) return texts.text(QLatin1String(key));
    return transportReason;
}

QString SessionStatus::connectionError(const LanguageTexts& texts, const QString& host, int port,
                                       const QString& transportReason) {
    return texts.text(QStringLiteral("Error_Fail_To_Connect_To")) + QLatin1Char(' ') + host + QLatin1Char(':') +
           QString::number(port) + QStringLiteral(" (") +
           (transportReason.isEmpty() ? texts.text(QStringLiteral("Reason_Other")) : reasonText(texts, transportReason)) +
           QLatin1Char(')');
}

int SessionStatus::tabOfSlot(int slot) const {
    const SessionTabs& tabs = form_.parts().tabs();
    for (int t = 1; t <= tabs.tabCount(); ++t) {
        const TabRecord& r = tabs.table().record(t);
        if (r.kind == TabTable::kSessionKind && r.slot == slot) return t;
    }
    return 0;
}

bool SessionStatus::isDropped(int slot) const {
    const auto it = lines_.find(slot);
    return it != lines_.end() && it->second.dropped;
}

QFrame* SessionStatus::banner(int slot) const {
    const auto it = lines_.find(slot);
    return it == lines_.end() ? nullptr : it->second.frame.data();
}

void SessionStatus::attach(int slot, axZEK* session) {
    Line line;
    line.frame = new QFrame(session);
    line.frame->setObjectName(QStringLiteral("DroppedLine"));
    line.frame->setAutoFillBackground(true);
    line.frame->setStyleSheet(QStringLiteral("#DroppedLine{background:#fff4c2;border-bottom:1px solid #c9a400}"
                                             "#DroppedLine QLabel{color:#3a2e00}"));
    line.label = new QLabel(line.frame);
    line.button = new QPushButton(line.frame);
    line.button->setObjectName(QStringLiteral("Reconnect"));
    line.button->setFocusPolicy(Qt::NoFocus);  // Enter goes on reaching the session
    auto* layout = new QHBoxLayout(line.frame);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->addWidget(line.label, 1);
    layout->addWidget(line.button);
    line.frame->hide();
    lines_[slot] = line;
    session->installEventFilter(this);

    connect(line.button, &QPushButton::clicked, this, [this, slot] { reconnect(slot); });
    QPointer<axZEK> guarded(session);
    connect(session, &axZEK::Connected, this, [this, slot, guarded] { connected(slot, guarded); });
    connect(session, &axZEK::SocketError, this, [this, slot, guarded] {
        // An error without words still is no close by the host.
        const QString reason = guarded ? guarded->lastError() : QString();
        dropped(slot, guarded, reason.isEmpty() ? QStringLiteral("?") : reason);
    });
    connect(session, &axZEK::Disconnected, this, [this, slot, guarded] { dropped(slot, guarded, QString()); });
    connect(session, &QObject::destroyed, this, [this, slot, session] {
        // A new session may already have taken the slot.
        const auto it = lines_.find(slot);
        if (it != lines_.end() && (!it->second.frame || it->second.frame->parent() == session)) lines_.erase(it);
    });
    updateCaption(slot);
}

void SessionStatus::dropped(int slot, axZEK* session, const QString& reason) {
    // Only the session that lives in the slot now: a closed tab's control says goodbye
    // while it is being deleted.
    if (!session || form_.parts().tabs().session(slot) != session || form_.isUnloaded()) return;
    Line& line = lines_[slot];
    if (!line.frame) return;
    line.dropped = true;
    line.reason = reason;
    refresh();
    placeBanner(slot);
    line.frame->show();
    line.frame->raise();
    updateCaption(slot);
}

void SessionStatus::connected(int slot, axZEK* session) {
    if (!session || form_.parts().tabs().session(slot) != session) return;
    Line& line = lines_[slot];
    line.dropped = false;
    if (line.frame) line.frame->hide();
    updateCaption(slot);
}

void SessionStatus::reconnect(int slot) {
    axZEK* session = form_.parts().tabs().session(slot);
    if (!session || session->isConnected()) return;
    // A fresh attempt may report its own failure again.
    if (context_.addressPool)
        if (ZEKAddressRef record = context_.addressPool->Item(slot)) record->setErrorCode(0);
    if (QFrame* f = banner(slot)) f->hide();
    session->Connection(session->host(), session->port());
}

void SessionStatus::placeBanner(int slot) {
    QFrame* f = banner(slot);
    axZEK* session = form_.parts().tabs().session(slot);
    if (!f || !session) return;
    f->setGeometry(0, 0, session->width(), f->sizeHint().height());
}

void SessionStatus::updateCaption(int slot) {
    SessionTabs& tabs = form_.parts().tabs();
    axZEK* session = tabs.session(slot);
    const int tab = tabOfSlot(slot);
    if (!session || tab == 0) return;
    QString board;
    if (context_.addressPool)
        if (ZEKAddressRef record = context_.addressPool->Item(slot)) board = record->BoardName();
    QString c = caption(session->host(), session->port(), board,
                        TabTable::isPttHost(session->host(), deployment::pttDomain()));
    if (isDropped(slot)) c = kDroppedMark + QLatin1Char(' ') + c;
    if (axImgButton* b = form_.parts().axItem1().button(tab); b && b->Caption() != c) b->setCaption(c);
    updateTitle();
}

void SessionStatus::updateTitle() {
    const QString app = context_.texts.text(QStringLiteral("App_Title"));
    const SessionTabs& tabs = form_.parts().tabs();
    const int t = tabs.currentTab();
    QString title = app;
    if (t >= 1 && t <= tabs.tabCount()) {
        const QString c = form_.parts().axItem1().caption(t);
        if (!c.isEmpty()) title = c + QStringLiteral(" — ") + app.trimmed();
    }
    if (form_.windowTitle() != title) form_.setWindowTitle(title);
    for (auto& [slot, line] : lines_)
        if (line.dropped && line.frame && line.frame->isVisible()) placeBanner(slot);
}

void SessionStatus::refresh() {
    for (auto& [slot, line] : lines_) {
        if (!line.frame) continue;
        axZEK* session = form_.parts().tabs().session(slot);
        const QString where = session ? session->host() + QLatin1Char(':') + QString::number(session->port()) : QString();
        line.label->setText(context_.texts.text(QStringLiteral("Status_Disconnected")) + QLatin1Char(' ') + where +
                            QStringLiteral(" (") + reasonText(context_.texts, line.reason) + QStringLiteral(") ") +
                            context_.texts.text(QStringLiteral("Status_Reconnect_Hint")));
        line.button->setText(context_.texts.text(QStringLiteral("Button_Reconnect")));
    }
    updateTitle();
}

bool SessionStatus::eventFilter(QObject* watched, QEvent* event) {
    auto* session = qobject_cast<axZEK*>(watched);
    if (session && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !session->isConnected()) {
            for (const auto& [slot, line] : lines_) {
                if (line.dropped && form_.parts().tabs().session(slot) == session) {
                    reconnect(slot);
                    return true;
                }
            }
        }
    } else if (session && event->type() == QEvent::Resize) {
        for (const auto& [slot, line] : lines_)
            if (line.frame && line.frame->parent() == session) placeBanner(slot);
    }
    return QObject::eventFilter(watched, event);
}
