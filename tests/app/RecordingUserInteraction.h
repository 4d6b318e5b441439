#pragma once
#include "app/UserInteraction.h"

#include <QStringList>

// Remembers what the program would have shown; questions get the prepared answer.
class RecordingUserInteraction : public UserInteraction {
public:
    struct Shown {
        QString text;
        QString title;
    };
    void message(const QString& text, const QString& title) override { messages.push_back({text, title}); }
    bool askYesNo(const QString& text, const QString& title) override {
        questions.push_back({text, title});
        return answer;
    }
    void openUrl(const QString& url) override { urls.push_back(url); }

    std::vector<Shown> messages;
    std::vector<Shown> questions;
    QStringList urls;
    bool answer = false;
};
