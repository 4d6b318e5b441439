#pragma once
#include "ui/Notifier.h"

#include <QObject>
#include <QPointer>

#include <map>

class LanguageTexts;
class QWidget;

// Notifications through the desktop's notification service (freedesktop.org, over
// D-Bus). Where there is none, the window asks for attention instead (the task bar
// flashes it), and a click on the window does the rest.
class DesktopNotifier : public QObject, public Notifier {
    Q_OBJECT
public:
    // texts words the notification's button ("Notify_Open") when the notice is shown.
    DesktopNotifier(QWidget* window, const LanguageTexts* texts, QObject* parent = nullptr);
    void notify(const QString& title, const QString& body, std::function<void()> clicked) override;

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onClosed(uint id, uint reason);

private:
    QPointer<QWidget> window_;
    const LanguageTexts* texts_;
    std::map<uint, std::function<void()>> pending_;
    bool listening_ = false;
};
