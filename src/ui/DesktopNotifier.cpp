#include "ui/DesktopNotifier.h"

#include "app/LanguageTexts.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QWidget>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
}  // namespace

DesktopNotifier::DesktopNotifier(QWidget* window, const LanguageTexts* texts, QObject* parent)
    : QObject(parent), window_(window), texts_(texts) {}

void DesktopNotifier::notify(const QString& title, const QString& body, std::function<void()> clicked) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const bool service = bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(kService);
    if (service) {
        if (!listening_) {
            bus.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), this,
                        SLOT(onActionInvoked(uint, QString)));
            bus.connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), this,
                        SLOT(onClosed(uint, uint)));
            listening_ = true;
        }
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
        // The body is markup for some servers: keep the sender's text as text.
        call << QStringLiteral("Zek") << uint(0) << QStringLiteral("mail-message-new") << title
             << body.toHtmlEscaped() << QStringList{QStringLiteral("default"), texts_ ? texts_->text(QStringLiteral("Notify_Open")) : QStringLiteral("Open")}
             << QVariantMap() << int(-1);
        const QDBusReply<uint> reply = bus.call(call, QDBus::Block, 2000);
        if (reply.isValid()) {
            pending_[reply.value()] = std::move(clicked);
            return;
        }
    }
    if (window_) QApplication::alert(window_);
}

void DesktopNotifier::onActionInvoked(uint id, const QString&) {
    const auto it = pending_.find(id);
    if (it == pending_.end()) return;
    const std::function<void()> clicked = std::move(it->second);
    pending_.erase(it);
    if (clicked) clicked();
}

void DesktopNotifier::onClosed(uint id, uint) { pending_.erase(id); }
