#pragma once
#include "app/UserInteraction.h"
#include "session/BbsTransport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <functional>

namespace transporttest {

inline bool waitFor(const std::function<bool()>& cond, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!cond() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return cond();
}

// Everything a transport reports, in order.
struct Recorder {
    QStringList events;  // "connected", "error", "closed"
    QByteArray received;
    explicit Recorder(BbsTransport& t) {
        QObject::connect(&t, &BbsTransport::connected, [this] { events << QStringLiteral("connected"); });
        QObject::connect(&t, &BbsTransport::errorOccurred, [this](const QString& why) {
            events << QStringLiteral("error");
            reason = why;
        });
        QObject::connect(&t, &BbsTransport::closedByHost, [this] { events << QStringLiteral("closed"); });
        QObject::connect(&t, &BbsTransport::readyRead, [this, &t] { received += t.readAll(); });
    }
    QString reason;
};

// Answers questions as told and keeps them.
struct ScriptedUi : UserInteraction {
    QStringList questions, passwordPrompts;
    bool yes = true;
    bool givePassword = false;
    QString password;
    void message(const QString&, const QString&) override {}
    bool askYesNo(const QString& text, const QString&) override { return questions << text, yes; }
    void openUrl(const QString&) override {}
    bool askPassword(const QString& text, const QString&, QString& answer) override {
        passwordPrompts << text;
        answer = password;
        return givePassword;
    }
};

}  // namespace transporttest
