// The session's data path under load: a flood of records through modal boxes and inner
// event loops inside DataArrived.
#include "TransportTestSupport.h"
#include "app/Settings.h"
#include "app/UserInteraction.h"
#include "screen/axZekScreen.h"
#include "session/axZEK.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using transporttest::waitFor;

struct QuietUi : UserInteraction {
    void message(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    void openUrl(const QString&) override {}
};

// A host on 127.0.0.1 that keeps the last client it accepted.
class Host {
public:
    Host() {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) client = s;
        });
    }
    quint16 port() const { return server.serverPort(); }
    QTcpServer server;
    QPointer<QTcpSocket> client;
};

QString rowText(const axZEK& zek, int row) {
    QString text;
    for (int c = 0; c < 80; ++c) text += QChar(zek.f取回銀幕文字(c, row));
    return text.trimmed();
}

// Record n inserts a line at the top and writes n there, so the screen always shows the
// newest records in order, newest first; a lost, repeated or reordered record shows as a
// gap in the column of numbers.
QByteArray record(int n) { return "\x1b[H\x1b[L" + QByteArray::number(n).rightJustified(5, '0'); }

}  // namespace

// 10,000 numbered records, one write each, while the DataArrived handler keeps
// opening modal boxes and inner event loops (as the login dialog and the navigation's waits
// do): every chunk is seen after the one before it, none inside another's handler.
TEST(SessionStress, TenThousandRecordsThroughModalBoxesAndInnerLoops) {
    constexpr int kRecords = 10000;
    Settings settings;
    QuietUi ui;
    Host host;
    axZEK zek(settings, ui);
    zek.Init(QStringLiteral("127.0.0.1"), host.port());
    ASSERT_TRUE(waitFor([&] { return zek.isConnected() && host.client; }));

    int sent = 0, newest = -1, handlers = 0, depth = 0, maxDepth = 0, boxes = 0, loops = 0;
    QString failure;
    QTimer sender;
    QObject::connect(&sender, &QTimer::timeout, [&] {
        host.client->write(record(sent++));
        if (sent == kRecords) sender.stop();
    });
    QObject::connect(&zek, &axZEK::DataArrived, [&] {
        maxDepth = std::max(maxDepth, ++depth);
        ++handlers;
        // Row 0 may hold a record cut short by the chunk's end; row 1 on are whole.
        const QString top = rowText(zek, 0);
        const int first = top.size() == 5 ? 0 : 1;
        bool ok = false;
        const int shown = rowText(zek, first).toInt(&ok);
        if (!ok || shown < newest) failure = QStringLiteral("chunk %1: newest %2 after %3").arg(handlers).arg(shown).arg(newest);
        for (int row = first + 1; row < 24 && shown - (row - first) >= 0 && failure.isEmpty(); ++row)
            if (rowText(zek, row).toInt() != shown - (row - first))
                failure = QStringLiteral("chunk %1: row %2 shows %3 under %4").arg(handlers).arg(row).arg(rowText(zek, row)).arg(shown);
        newest = shown;
        if (handlers % 100 == 1) {  // a modal box the user closes a moment later
            QMessageBox box(QMessageBox::Information, QStringLiteral("Zek"), QStringLiteral("box"));
            QTimer::singleShot(3, &box, &QDialog::accept);
            box.exec();
            ++boxes;
        } else if (handlers % 7 == 0) {  // a wait inside the handler
            QEventLoop loop;
            QTimer::singleShot(1, &loop, &QEventLoop::quit);
            loop.exec();
            ++loops;
        }
        --depth;
    });
    sender.start(0);
    EXPECT_TRUE(waitFor([&] { return newest == kRecords - 1 || !failure.isEmpty(); }, 120000)) << newest;
    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GE(handlers, kRecords / 2);  // mostly one record a chunk
    EXPECT_GT(boxes, 1);
    EXPECT_GT(loops, 1);
}
