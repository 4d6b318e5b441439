#pragma once
#include "RecordingUi.h"
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

// A user who says yes unless told otherwise (host keys are accepted).
struct ScriptedUi : RecordingUi {
    ScriptedUi() { yes = true; }
};

}  // namespace transporttest
