#pragma once
#include "app/UserInteraction.h"

#include <QStringList>

// Stands in for message boxes and the desktop's browser; remembers what was asked.
class RecordingInteraction : public UserInteraction {
public:
    void message(const QString& text, const QString&) override { messages << text; }
    bool askYesNo(const QString&, const QString&) override { return false; }
    void openUrl(const QString& url) override { urls << url; }
    QStringList messages;
    QStringList urls;
};
