#pragma once
// A user who answers every question as told and keeps what was shown, asked and opened.
#include "app/UserInteraction.h"

#include <QStringList>

struct RecordingUi : UserInteraction {
    QStringList messages, titles, questions, passwordPrompts, opened;
    bool yes = false;           // the answer to every yes/no question
    bool givePassword = false;  // whether the password question is answered
    QString password;

    void message(const QString& text, const QString& title) override { messages << text, titles << title; }
    bool askYesNo(const QString& text, const QString&) override { return questions << text, yes; }
    void openUrl(const QString& url) override { opened << url; }
    bool askPassword(const QString& text, const QString&, QString& answer) override {
        passwordPrompts << text;
        answer = password;
        return givePassword;
    }
};
