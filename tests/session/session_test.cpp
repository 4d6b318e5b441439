// A session against a BBS host on 127.0.0.1 that records what reaches it: the data path
// (also under a flood through modal boxes), keys, input-method text, pastes, wheel steps,
// and the mouse's marking, links and menu.
#include "Fixtures.h"
#include "LoopbackHost.h"
#include "RecordingUi.h"
#include "TransportTestSupport.h"
#include "app/Settings.h"
#include "screen/ScreenModel.h"
#include "screen/axZekScreen.h"
#include "session/MarkedAddress.h"
#include "session/axZEK.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>  // and the mouse, wheel and input-method events
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QTcpSocket>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace {

using transporttest::waitFor;
void spin(int ms) { waitFor([] { return false; }, ms); }

// Everything the main session received up to and including recording last (03 is its first).
QByteArray mainSessionUpTo(int last) {
    const QDir dir(QString::fromStdString(fixtures::path("ptt")));
    QByteArray all;
    for (int n = 3; n <= last; ++n)
        for (const QString& name : dir.entryList({QStringLiteral("%1_*.bin").arg(n, 2, 10, QLatin1Char('0'))}))
            all += QByteArray::fromStdString(fixtures::read("ptt/" + name.toStdString()));
    return all;
}

class SessionTest : public ::testing::Test {
protected:
    Settings settings;
    RecordingUi ui;
    LoopbackHost host;
    axZEK zek{settings, ui};
    QStringList marked, clicked;
    int connected = 0, errors = 0, arrived = 0, textChanges = 0;

    void SetUp() override {
        zek.resize(zek.screen()->size());
        QObject::connect(&zek, &axZEK::TextMarked, [this](const QString& t) { marked << t; });
        QObject::connect(&zek, &axZEK::LinkClicked, [this](const QString& t) { clicked << t; });
        QObject::connect(&zek, &axZEK::Connected, [this] { ++connected; });
        QObject::connect(&zek, &axZEK::SocketError, [this] { ++errors; });
        QObject::connect(&zek, &axZEK::DataArrived, [this] { ++arrived; });
        QObject::connect(&zek, &axZEK::ReceiveTextChanged, [this] { ++textChanges; });
        ASSERT_TRUE(connectAgain());
    }

    bool connectAgain() {
        const int before = connected;
        const size_t peers = host.peers.size();
        zek.Init(QStringLiteral("127.0.0.1"), host.serverPort());
        return waitFor([&] { return connected > before && zek.isConnected() && host.peers.size() > peers; });
    }
    void show(const QByteArray& bytes) {
        const int before = arrived;
        host.send(bytes);
        waitFor([&] { return arrived > before; });
        spin(30);  // the rest of a long screen
    }
    void key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, qtKey, mods, text), release(QEvent::KeyRelease, qtKey, mods, text);
        QCoreApplication::sendEvent(&zek, &press);
        QCoreApplication::sendEvent(&zek, &release);
    }
    // What the host got since the last call, given a moment to arrive.
    QByteArray sent(int settleMs = 60) {
        spin(settleMs);
        return std::exchange(host.received, QByteArray());
    }
    // A hover when button is NoButton; buttons are held from press to release.
    void mouse(QEvent::Type type, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        const CellGeometry& g = zek.screen()->geometry();
        const QPointF p(zek.screen()->x() + g.cellLeftPx(col) + 2, g.cellTopPx(row) + 2);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, p, zek.mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : button, held, {});
        QCoreApplication::sendEvent(&zek, &e);
    }
    // Press, move, release: on a single cell a click with the wobble of a real hand.
    void drag(int c1, int r1, int c2, int r2, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonPress, c1, r1, button);
        mouse(QEvent::MouseMove, c2, r2, button);
        mouse(QEvent::MouseButtonRelease, c2, r2, button);
    }
    void click(int col, int row, Qt::MouseButton button = Qt::LeftButton) { drag(col, row, col, row, button); }
    QString clipboard() const { return QGuiApplication::clipboard()->text(); }
    QString rowText(int row) const {
        QString text;
        for (int c = 0; c < 80; ++c) text += QChar(zek.f取回銀幕文字(c, row));
        return text.trimmed();
    }
};

// The recordings open with telnet negotiation: IAC is neither answered nor filtered out but shown.
TEST_F(SessionTest, RecordedScreensInChunksCutAnywhereGiveTheRecordedScreen) {
    const QByteArray all = mainSessionUpTo(19);
    ASSERT_TRUE(all.size() > 5000 && all.left(300).contains('\xff'));
    ScreenModel model;
    const auto cell = [](const CellSource& x, int c, int r) {
        return std::make_tuple(x.f取回銀幕文字(c, r), x.f取回銀幕前景色(c, r), x.f取回銀幕背景色(c, r), x.f取回銀幕閃爍色(c, r));
    };
    // Sizes that cut inside escape sequences and between the bytes of Big5 pairs.
    for (const std::vector<int>& sizes : {std::vector<int>{1}, {2, 3}, {7, 1, 13}, {511}, {4096}}) {
        const QByteArray bytes = sizes.size() == 1 && sizes[0] == 1 ? all.left(300) : all;
        model.feed(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        for (qsizetype i = 0, k = 0; i < bytes.size(); i += sizes[k++ % sizes.size()]) {
            const int before = arrived;
            host.send(bytes.mid(i, sizes[k % sizes.size()]));
            ASSERT_TRUE(waitFor([&] { return arrived == before + 1; }));  // each chunk on its own
        }
        for (int r = 0; r < 24; ++r)
            for (int c = 0; c < 80; ++c) ASSERT_EQ(cell(zek, c, r), cell(model, c, r)) << c << "," << r;
    }
    EXPECT_EQ(textChanges, arrived);  // announced after every chunk though the value stays
    EXPECT_EQ(zek.ReceiveText(), QStringLiteral("\""));
    EXPECT_TRUE(host.received.isEmpty());  // no WONT/DONT or anything else
    host.send(QByteArray("\x1b[H\xff\xfb\x01", 6));
    ASSERT_TRUE(waitFor([&] { return zek.f取回銀幕文字(0, 0) == 0xFF; }));
    EXPECT_EQ(zek.f取回銀幕文字(1, 0), 0xFB);
}

// 10,000 numbered records, one write each, while the DataArrived handler keeps opening
// modal boxes and inner event loops (as the login dialog and the navigation's waits do):
// every chunk is seen after the one before it, none inside another's handler. Record n
// inserts a line at the top and writes n there, so a lost, repeated or reordered record
// shows as a gap in the column of numbers.
TEST_F(SessionTest, TenThousandRecordsThroughModalBoxesAndInnerLoops) {
    constexpr int kRecords = 10000;
    int sent = 0, newest = -1, handlers = 0, depth = 0, maxDepth = 0, boxes = 0, loops = 0;
    QString failure;
    QTimer sender;
    QObject::connect(&sender, &QTimer::timeout, [&] {
        host.client()->write("\x1b[H\x1b[L" + QByteArray::number(sent++).rightJustified(5, '0'));
        if (sent == kRecords) sender.stop();
    });
    QObject::connect(&zek, &axZEK::DataArrived, [&] {
        maxDepth = std::max(maxDepth, ++depth);
        ++handlers;
        // Row 0 may hold a record cut short by the chunk's end; row 1 on are whole.
        const int first = rowText(0).size() == 5 ? 0 : 1;
        bool ok = false;
        const int shown = rowText(first).toInt(&ok);
        if (!ok || shown < newest) failure = QStringLiteral("chunk %1: newest %2 after %3").arg(handlers).arg(shown).arg(newest);
        for (int row = first + 1; row < 24 && shown - (row - first) >= 0 && failure.isEmpty(); ++row)
            if (rowText(row).toInt() != shown - (row - first))
                failure = QStringLiteral("chunk %1: row %2 shows %3 under %4").arg(handlers).arg(row).arg(rowText(row)).arg(shown);
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

// A host that goes away, also in the middle of an escape sequence or a Big5 pair: what came
// is on the screen, nothing is raised for the close, keys go nowhere, and the next
// connection's bytes are its own, not the end of the old sequence.
TEST_F(SessionTest, HostCloseThenTypingThenReconnecting) {
    for (const QByteArray& cut : {QByteArray("hello"), QByteArray("ok\x1b"), QByteArray("ok\x1b[1;3"),
                                  QByteArray("ok\x1b("), QByteArray("ok\xa4")}) {
        SCOPED_TRACE(cut.toStdString());
        const int before = arrived;
        host.send("\x1b[H\x1b[2J" + cut);
        ASSERT_TRUE(waitFor([&] { return arrived > before; }));
        host.client()->disconnectFromHost();
        ASSERT_TRUE(waitFor([&] { return !zek.isConnected(); }));
        zek.sendData(QByteArray("x"));
        zek.sendData(QStringLiteral("中"));
        spin(50);
        EXPECT_EQ(rowText(0).left(2), cut.left(2));
        EXPECT_TRUE(host.received.isEmpty());

        ASSERT_TRUE(connectAgain());  // a fresh line
        host.send("\x1b[2;1HHello");
        ASSERT_TRUE(waitFor([&] { return rowText(1) == "Hello"; })) << rowText(1).toStdString();
    }
    zek.sendData(QByteArray("again"));
    EXPECT_TRUE(waitFor([&] { return host.received == "again"; }));
    // Connection on a live session closes the old line first.
    bool oldClosed = false;
    QObject::connect(host.client(), &QTcpSocket::disconnected, [&] { oldClosed = true; });
    zek.Connection(QStringLiteral("127.0.0.1"), host.serverPort());
    ASSERT_TRUE(waitFor([&] { return connected == 7 && oldClosed; }));
    zek.sendData(QByteArray("\x1b[A"));
    EXPECT_TRUE(waitFor([&] { return host.received == "\x1b[A"; }));

    zek.Disconnection();
    EXPECT_FALSE(zek.isConnected());
    zek.Disconnection();  // nothing to do, nothing happens
    spin(50);
    EXPECT_EQ(errors, 0);
}

TEST_F(SessionTest, AFailedConnectRaisesSocketError) {
    zek.Connection(QStringLiteral("127.0.0.1"), LoopbackHost::closedPort());  // nobody listens there any more
    EXPECT_TRUE(waitFor([&] { return errors == 1; }));
    EXPECT_EQ(connected, 1);
    EXPECT_FALSE(zek.isConnected());
    zek.Init(QStringLiteral("127.0.0.1"), 70000);  // no such port
    EXPECT_TRUE(waitFor([&] { return errors == 2; }));
}

TEST_F(SessionTest, KeysAndInputMethodTextSendTheirBytes) {
    const Qt::KeyboardModifiers no, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        const char *text, *expected;
    } cases[] = {
        {Qt::Key_PageUp, no, "", "\x1b[5~"}, {Qt::Key_PageDown, no, "", "\x1b[6~"}, {Qt::Key_End, no, "", "\x1b[4~"},
        {Qt::Key_Home, no, "", "\x1b[1~"}, {Qt::Key_Left, no, "", "\x1b[D"}, {Qt::Key_Up, no, "", "\x1b[A"},
        {Qt::Key_Right, no, "", "\x1b[C"}, {Qt::Key_Down, no, "", "\x1bOB"}, {Qt::Key_Insert, no, "", "\x1b[2~"},
        {Qt::Key_Delete, no, "\x7f", "\x1b[3~"},  // its 0x7F text is not sent after it
        {Qt::Key_F1, no, "", "\x1bOP"}, {Qt::Key_F2, no, "", "\x1bOQ"}, {Qt::Key_F3, no, "", "\x1bOR"},
        {Qt::Key_F4, no, "", "\x1bOS"}, {Qt::Key_F5, no, "", "\x1b[15~"}, {Qt::Key_F6, no, "", "\x1b[17~"},
        {Qt::Key_F7, no, "", "\x1b[18~"}, {Qt::Key_F8, no, "", "\x1b[19~"}, {Qt::Key_F9, no, "", "\x1b[20~"},
        {Qt::Key_F10, no, "", "\x1b[21~"}, {Qt::Key_F11, no, "", ""}, {Qt::Key_F12, no, "", ""},
        {Qt::Key_Up, shift, "", ""}, {Qt::Key_Left, ctrl, "", ""}, {Qt::Key_F1, alt, "", ""},
        {Qt::Key_Up, Qt::KeypadModifier, "", "\x1b[A"}, {Qt::Key_5, Qt::KeypadModifier, "5", "5"},
        {Qt::Key_A, no, "a", "a"}, {Qt::Key_Return, no, "\r", "\r"}, {Qt::Key_Tab, no, "\t", "\t"},
        {Qt::Key_Backspace, no, "\b", "\b"}, {Qt::Key_Escape, no, "\x1b", "\x1b"}, {Qt::Key_X, alt, "x", ""},
        {Qt::Key_A, ctrl, "\x01", "\x01"}, {Qt::Key_C, ctrl, "\x03", ""},
        {0, no, "中", "\xa4\xa4"}, {0, no, "😀", "?"},  // Big5 in one send; what it lacks is '?'
    };
    for (const auto& c : cases) {
        key(c.key, c.mods, QString::fromUtf8(c.text));
        EXPECT_EQ(sent(), QByteArray(c.expected)) << "key " << std::hex << c.key << " text " << c.text;
    }
    QInputMethodEvent e;
    e.setCommitString(QStringLiteral("國a"));
    QCoreApplication::sendEvent(&zek, &e);
    EXPECT_EQ(sent(), QByteArray("\xb0\xea" "a"));
}

// Ctrl+C never sends, Ctrl+V sends its code; they copy (unmarking) and paste only when switched on.
TEST_F(SessionTest, CtrlCAndCtrlVUnderBothSettings) {
    show("\x1b[H\x1b[2Jhello world");
    drag(0, 0, 4, 0);
    ASSERT_EQ(zek.get標記文字(), QStringLiteral("hello"));
    QGuiApplication::clipboard()->setText(QStringLiteral("ab"));
    for (const bool on : {false, true}) {
        settings.switch_of_ctrl_c = settings.switch_of_ctrl_v = on;
        key(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        EXPECT_EQ(sent(), on ? QByteArray("\x16" "ab") : QByteArray("\x16"));
        key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, QStringLiteral("\x03"));  // not Ctrl alone
        EXPECT_EQ(clipboard(), QStringLiteral("ab"));
        key(Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
        EXPECT_EQ(sent(), QByteArray()) << on;
        EXPECT_EQ(clipboard(), on ? QStringLiteral("hello") : QStringLiteral("ab"));
        EXPECT_EQ(zek.screen()->hasMark(), !on);
    }
    EXPECT_EQ(zek.get標記文字(), QString());
}

TEST_F(SessionTest, PasteWrapsFromTheCursorColumn) {
    settings.switch_of_ctrl_v = true;
    const QByteArray guo("\xb0\xea");  // 國
    const struct {
        int column;
        QString text;
        QByteArray expected;
    } cases[] = {
        {0, QStringLiteral("ab\r\ncd"), "ab\r\n\ncd"},  // CR gets LF; the LF after it is a character
        {0, QString(40, QChar(0x570B)), guo.repeated(39) + "\r\n" + guo},  // the 39th ends at 78
        {0, QString(78, QChar('x')), QByteArray(77, 'x') + "\r\nx"}, {75, QStringLiteral("國國"), guo + "\r\n" + guo},
        {77, QStringLiteral("ab"), "\r\nab"}, {76, QStringLiteral("a"), "a"}, {79, QStringLiteral("\ra"), "\r\na"},
        {75, QStringLiteral("😀x"), "?\r\nx"},  // two columns though it goes out as '?'
        {0, QString(), ""},
    };
    for (const auto& c : cases) {
        show("\x1b[1;" + QByteArray::number(c.column + 1) + "H");
        QGuiApplication::clipboard()->setText(c.text);
        key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(sent(), c.expected) << c.column << " " << c.text.toStdString();
    }
}

TEST_F(SessionTest, PasteAsTypingReachesTheFocusedSession) {
    QWidget window;
    zek.setParent(&window);
    zek.show();
    window.show();
    QApplication::setActiveWindow(&window);
    zek.setFocus();
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == &zek; }));
    // Control characters travel as their keys, symbols as plain text.
    QGuiApplication::clipboard()->setText(QStringLiteral("a國\r\n\t+%\x01\x1b😀"));
    zek.f貼上資料();
    EXPECT_TRUE(host.received.isEmpty());  // typed from the event loop, not at once
    EXPECT_TRUE(waitFor([&] { return host.received.size() >= 11; }));
    EXPECT_EQ(sent(), QByteArray("a\xb0\xea\r\n\t+%\x01\x1b?"));
    zek.setParent(nullptr);
}

TEST_F(SessionTest, MarkingAndLinksOnARecordedScreen) {
    show(mainSessionUpTo(14));
    drag(5, 3, 20, 4);
    ASSERT_EQ(marked.size(), 1);
    EXPECT_EQ(marked[0], zek.get標記文字());
    EXPECT_TRUE(marked[0].contains(QStringLiteral("\r\n")));
    click(30, 10);  // a click away from links removes the mark
    EXPECT_EQ(zek.get標記文字(), QString());
    EXPECT_FALSE(zek.screen()->hasMark());
    ASSERT_EQ(zek.screen()->links().lastIndex(), 0);
    const ScreenLink link = zek.screen()->links().links()[0];
    const QString text = QString::fromStdString(link.text);
    const int c = link.column, r = link.row;
    click(c + 3, r);  // with a wobble inside the cell
    ASSERT_EQ(clicked, QStringList{text});
    mouse(QEvent::MouseButtonPress, c + link.length, r);  // the cell right after it counts,
    mouse(QEvent::MouseButtonRelease, c + link.length, r);  // also without a move between
    EXPECT_EQ(clicked.size(), 2);
    mouse(QEvent::MouseMove, c + 2, r, Qt::NoButton);
    EXPECT_EQ(zek.cursor().shape(), Qt::PointingHandCursor);
    mouse(QEvent::MouseMove, c + 2, r + 2, Qt::NoButton);
    EXPECT_EQ(zek.cursor().shape(), Qt::ArrowCursor);

    drag(c, r, c + 6, r);  // starting on the link, a drag marks instead
    EXPECT_EQ(marked.value(1), text.left(7));
    zek.Disconnection();
    click(c, r);  // not connected: the button-up does nothing
    EXPECT_EQ(clicked.size(), 2);
}

TEST_F(SessionTest, PopupMenuOffersTheMarkedTextAsAnAddress) {
    QAction* copy = zek.findChild<QAction*>(QStringLiteral("mnu複製"));
    QAction* address = zek.findChild<QAction*>(QStringLiteral("mnu網址"));
    QMenu* menu = zek.findChild<QMenu*>(QStringLiteral("mnu檔案"));
    ASSERT_TRUE(copy && address && menu);
    click(0, 0, Qt::RightButton);
    EXPECT_FALSE(copy->isEnabled() || address->isEnabled());  // nothing marked
    menu->hide();
    show("\x1b[H\x1b[2JFTP://a b");
    drag(0, 0, 8, 0);
    click(0, 0, Qt::RightButton);
    EXPECT_TRUE(copy->isEnabled());
    EXPECT_EQ(address->text(), QStringLiteral("開啟FTP"));
    menu->hide();
    address->trigger();
    EXPECT_EQ(ui.opened, QStringList{QStringLiteral("FTP://a%20b")});
    copy->trigger();
    EXPECT_EQ(clipboard(), QStringLiteral("FTP://a b"));
}

TEST_F(SessionTest, WheelStepsPlayOutOnlyInTheFocusedSession) {
    const auto wheel = [&](int dy) {
        QWheelEvent e({10, 10}, {10, 10}, {}, {0, dy}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&zek, &e);
    };
    for (int i = 0; i < 5; ++i) wheel(120);
    wheel(0);  // no vertical delta, no step
    EXPECT_EQ(sent(80), QByteArray());  // not focused: the steps wait

    QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
    QCoreApplication::sendEvent(&zek, &in);
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(waitFor([&] { return host.received.size() >= 15; }));
    EXPECT_GE(t.elapsed(), 35);  // one step per 10 ms tick
    EXPECT_EQ(sent(), QByteArray("\x1b[A").repeated(5));
    wheel(-3);  // a small delta is a whole step
    EXPECT_EQ(sent(), QByteArray("\x1bOB"));
    QCoreApplication::sendEvent(&zek, &out);
    wheel(120);
    EXPECT_EQ(sent(), QByteArray());
}

TEST_F(SessionTest, SetFontResizesTheScreenAndMouseCellsFollow) {
    zek.resize(1200, 600);
    const int h12 = zek.screen()->fGetFontHeight();
    zek.SetFont(QStringLiteral("細明體"), 12);  // not an accepted size: nothing changes
    EXPECT_EQ(zek.screen()->fGetFontHeight(), h12);
    zek.SetFont(QStringLiteral("細明體"), 20);
    EXPECT_GT(zek.screen()->fGetFontHeight(), h12);
    EXPECT_EQ(zek.screen()->width(), zek.screen()->geometry().screenWidthPx());
    EXPECT_EQ(zek.screen()->pos(), QPoint((1200 - zek.screen()->width()) / 2, 0));
    show("\x1b[H\x1b[2Jhello world");
    drag(6, 0, 10, 0);
    EXPECT_EQ(zek.get標記文字(), QStringLiteral("world"));
}

TEST(MarkedAddress, CaptionAndAddressFollowThePrefix) {
    const struct {
        const char *marked, *caption, *url;
    } cases[] = {
        {"abc", "當成網址開啟", "http://abc"},
        {"http://x.tw/a b", "開啟網頁", "http://x.tw/a%20b"},
        {"HTTP://X.TW", "開啟網頁", "HTTP://X.TW"},
        {"FTP://host/a b c", "開啟FTP", "FTP://host/a%20b%20c"},
        {"https://secure", "當成網址開啟", "http://https://secure"},  // only http:// and ftp:// count
        {" lead", "當成網址開啟", "http://%20lead"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MarkedAddress::caption(QString::fromUtf8(c.marked)), QString::fromUtf8(c.caption)) << c.marked;
        EXPECT_EQ(MarkedAddress::url(QString::fromUtf8(c.marked)), QString::fromUtf8(c.url)) << c.marked;
    }
}

TEST(CellGeometry, TwipArithmeticGivesTilingCellsAndMouseCells) {
    const CellGeometry g17 = CellGeometry::fromSampleHeight(17), g = CellGeometry::fromSampleHeight(16);
    EXPECT_EQ(g17.W, 128);  // 127.5 twips halves to even
    EXPECT_EQ(QSize(g.screenWidthPx(), g.screenHeightPx()), QSize(640, 384));
    const struct {
        double x, y;
        int col, row;
    } cases[] = {{0, 0, 0, 0}, {7.9, 15.9, 0, 0}, {8, 16, 1, 1}, {639.9, 383.9, 79, 23}, {-3, -1, 0, 0}, {-9, -17, -1, -1}};
    for (const auto& c : cases) EXPECT_EQ(QPoint(g.columnAt(c.x), g.rowAt(c.y)), QPoint(c.col, c.row)) << c.x;
}

}  // namespace
