// Tabs of a real main window under load: sessions closed while their host floods them or
// while their own DataArrived runs a modal box, and many tabs opened and closed again.
#include "MainWindowHarness.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Sends screen after screen to every client, as fast as the loop turns, until it goes.
struct FloodingHost : QTcpServer {
    FloodingHost() {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = nextPendingConnection()) clients << s;
        });
        connect(&tick, &QTimer::timeout, [this] {
            static const QByteArray screen = [] {
                QByteArray s = "\x1b[H\x1b[2J";
                for (int r = 0; r < 24; ++r) s += "\x1b[1;3" + QByteArray::number(r % 8) + "m\xa4\xa4\xa4\xe5 flood row\r\n";
                return s;
            }();
            for (const QPointer<QTcpSocket>& c : clients)
                if (c && c->state() == QAbstractSocket::ConnectedState && c->bytesToWrite() < 1 << 20) c->write(screen);
        });
        tick.start(0);
    }
    QList<QPointer<QTcpSocket>> clients;
    QTimer tick;
};

int openFileCount() { return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size()); }

}  // namespace

// A flooded tab closed from the strip, and a tab closed from inside a modal box that its own
// DataArrived opened: the other tabs go on, nothing is touched after it is gone.
TEST(SessionTabsStress, TabsClosedWhileTheirHostFloodsAndWhileTheirOwnBoxIsOpen) {
    MainWindowHarness h;
    FloodingHost host;
    for (int i = 0; i < 3; ++i) h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    ASSERT_EQ(h.strip().ItemMaxNumber(), 4);  // the start page became tab 1
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.clients.size() == 3; }, 5000));
    QTest::qWait(200);  // the flood is on

    // Closed from the strip while bytes keep coming.
    QPointer<axZEK> flooded = h.tabs().session(2);
    ASSERT_TRUE(flooded);
    h.strip().CloseItem(2);
    QTest::qWait(200);
    EXPECT_FALSE(flooded);

    // Closed from inside a box its own DataArrived opened.
    QPointer<axZEK> boxed = h.tabs().session(3);
    ASSERT_TRUE(boxed);
    bool boxShown = false;
    QObject::connect(boxed, &axZEK::DataArrived, [&] {
        if (boxShown) return;
        boxShown = true;
        QMessageBox box(QMessageBox::Information, QStringLiteral("Zek"), QStringLiteral("box"));
        QTimer::singleShot(50, [&] { h.strip().CloseItem(h.tabs().tabOfSession(3)); });
        QTimer::singleShot(300, &box, &QDialog::accept);
        box.exec();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxed; }, 5000));
    QTest::qWait(200);
    EXPECT_EQ(h.strip().ItemMaxNumber(), 2);
    // The last session still takes its host's screens.
    axZEK* last = h.tabs().session(4);
    ASSERT_NE(last, nullptr);
    int arrived = 0;
    QObject::connect(last, &axZEK::DataArrived, [&] { ++arrived; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return arrived > 3; }, 5000));
    host.tick.stop();
}

// A hundred tabs opened and closed twenty times: what a round leaves behind (objects under
// the window, open files, pool records) does not grow from round to round.
TEST(SessionTabsStress, AHundredTabsOpenedAndClosedTwentyTimesLeaveNothingBehind) {
    MainWindowHarness h;
    QTcpServer host;
    host.listen(QHostAddress::LocalHost, 0);
    QList<QTcpSocket*> peers;
    QObject::connect(&host, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* s = host.nextPendingConnection()) {
            peers << s;
            s->write("\x1b[2J\x1b[1;1Hhello");
            QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    auto round = [&] {
        for (int i = 0; i < 200 && h.strip().ItemMaxNumber() < 100; ++i) h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
        EXPECT_EQ(h.strip().ItemMaxNumber(), 100);
        QTest::qWait(50);
        for (int i = 0; i < 200 && h.strip().ItemMaxNumber() > 0; ++i) h.strip().CloseItem(h.strip().ItemMaxNumber());
        QTest::qWait(50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(20);
    };
    round();
    const qsizetype objects = h.form->findChildren<QObject*>().size();
    const int files = openFileCount();
    for (int i = 2; i <= 20; ++i) round();
    EXPECT_LE(h.form->findChildren<QObject*>().size(), objects);
    EXPECT_LE(openFileCount(), files);
    for (int slot = 1; slot <= 100; ++slot) EXPECT_FALSE(h.pool().Item(slot)) << slot;
}
