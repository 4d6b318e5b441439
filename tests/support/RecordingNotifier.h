#pragma once
// A desktop notifier that keeps what it was asked to show and the click handlers, so a
// test can read the announcements and "click" one.
#include "ui/Notifier.h"

#include <QStringList>
#include <functional>
#include <vector>

struct RecordingNotifier : Notifier {
    QStringList shown;
    std::vector<std::function<void()>> clicks;
    void notify(const QString& title, const QString& body, std::function<void()> clicked) override {
        shown << title + QLatin1Char(' ') + body;
        clicks.push_back(std::move(clicked));
    }
};
