// Raw TCP stays raw (telnet commands reach the screen, nothing is answered); with the
// per-host choice on, options are answered and kept off the screen, 255 is escaped.
#include "TransportTestSupport.h"
#include "session/BbsAddress.h"
#include "session/TcpTransport.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

using transporttest::Recorder;
using transporttest::waitFor;

TEST(TcpTransport, NegotiatesOnlyWhenAskedTo) {
    const QByteArray greeting("\xff\xfd\x18\xff\xfb\x01\xff\xfd\x1f" "hi\xff\xff", 13);
    for (bool negotiate : {false, true}) {
        SCOPED_TRACE(negotiate);
        QTcpServer server;
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        QPointer<QTcpSocket> client;
        QByteArray fromClient;
        QObject::connect(&server, &QTcpServer::newConnection, [&] {
            client = server.nextPendingConnection();
            QObject::connect(client, &QTcpSocket::readyRead, [&] { fromClient += client->readAll(); });
            client->write(greeting);
        });
        TcpTransport t(negotiate);
        Recorder r(t);
        t.open(BbsAddress::parse(QStringLiteral("127.0.0.1"), server.serverPort()));
        ASSERT_TRUE(waitFor([&] { return r.received.endsWith(negotiate ? QByteArray("hi\xff") : greeting); }));
        t.write(QByteArray("k\xff", 2));
        ASSERT_TRUE(waitFor([&] { return fromClient.contains('k'); }));
        waitFor([] { return false; }, 50);
        if (negotiate) {
            EXPECT_EQ(r.received, QByteArray("hi\xff"));
            EXPECT_EQ(fromClient.toHex(' '), (QByteArray("\xff\xfb\x18\xff\xfd\x01\xff\xfb\x1f\xff\xfa\x1f\x00\x50\x00\x18\xff\xf0", 18) +
                                              QByteArray("k\xff\xff", 3)).toHex(' '));
        } else {
            EXPECT_EQ(r.received, greeting);  // every byte to the screen, 0xFF included
            EXPECT_EQ(fromClient, QByteArray("k\xff", 2));  // no answers, nothing escaped
        }
        // The host closing is a close, not an error.
        client->disconnectFromHost();
        ASSERT_TRUE(waitFor([&] { return r.events.contains(QStringLiteral("closed")); }));
        EXPECT_EQ(r.events.join(' '), QStringLiteral("connected closed"));
    }
}

}  // namespace
