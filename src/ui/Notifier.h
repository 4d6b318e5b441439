#pragma once
#include <QString>

#include <functional>

// Tells the user about something that happened in a tab they are not looking at. The
// program uses desktop notifications; tests put in a recorder.
class Notifier {
public:
    virtual ~Notifier() = default;
    // clicked runs (on the user-interface thread) when the user clicks the notification.
    virtual void notify(const QString& title, const QString& body, std::function<void()> clicked) = 0;
};
