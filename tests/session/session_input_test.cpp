// What a session sends for keys, input-method text, pastes and wheel steps, and what
// its mouse does with marking, links and the popup menu. A loopback host records the
// bytes that reach it.
#include "LoopbackHost.h"
#include "RecordingInteraction.h"
#include "SessionFixtures.h"
#include "app/Settings.h"
#include "screen/axZekScreen.h"
#include "session/WheelSteps.h"
#include "session/axZEK.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

namespace {

class SessionInputTest : public ::testing::Test {
protected:
    Settings settings;
    RecordingInteraction ui;
    LoopbackHost host;
    std::unique_ptr<axZEK> zek;
    QStringList marked, clicked;

    void SetUp() override {
        WheelSteps::shared().reset();
        zek = std::make_unique<axZEK>(settings, ui);
        zek->resize(zek->screen()->size());
        QObject::connect(zek.get(), &axZEK::TextMarked, [this](const QString& t) { marked << t; });
        QObject::connect(zek.get(), &axZEK::LinkClicked, [this](const QString& t) { clicked << t; });
        zek->Init(QStringLiteral("127.0.0.1"), host.port());
        ASSERT_TRUE(LoopbackHost::waitFor([&] { return zek->isConnected() && host.client(); }));
    }
    void TearDown() override { WheelSteps::shared().reset(); }

    void show(const QByteArray& bytes) {
        int arrived = 0;
        auto c = QObject::connect(zek.get(), &axZEK::DataArrived, [&] { ++arrived; });
        host.send(bytes);
        LoopbackHost::waitFor([&] { return arrived > 0 && zek->screen()->model().cursorColumn() >= 0; });
        LoopbackHost::spin(30);
        QObject::disconnect(c);
    }

    void key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
        QCoreApplication::sendEvent(zek.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
        QCoreApplication::sendEvent(zek.get(), &release);
    }

    // What the host got after the keys, given a moment to arrive.
    QByteArray sent(int settleMs = 60) {
        LoopbackHost::spin(settleMs);
        const QByteArray got = host.received();
        host.clearReceived();
        return got;
    }

    QPointF cellCentre(int col, int row) const {
        const CellGeometry& g = zek->screen()->geometry();
        return QPointF(zek->screen()->x() + (g.cellLeftPx(col) + g.cellRightPx(col)) / 2.0,
                       (g.cellTopPx(row) + g.cellBottomPx(row)) / 2.0);
    }
    void mouse(QEvent::Type type, int col, int row, Qt::MouseButton button, Qt::MouseButtons buttons) {
        const QPointF p = cellCentre(col, row);
        QMouseEvent e(type, p, zek->mapToGlobal(p), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(zek.get(), &e);
    }
    void drag(int c1, int r1, int c2, int r2) {
        mouse(QEvent::MouseButtonPress, c1, r1, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, c2, r2, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, c2, r2, Qt::LeftButton, Qt::NoButton);
    }
    void click(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonPress, col, row, button, button);
        mouse(QEvent::MouseButtonRelease, col, row, button, Qt::NoButton);
    }
    QAction* action(const char* name) const { return zek->findChild<QAction*>(QString::fromUtf8(name)); }
};

TEST_F(SessionInputTest, KeysSendTheirSequences) {
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        QString text;
        QByteArray expected;
    };
    const Case cases[] = {
        {Qt::Key_Up, Qt::NoModifier, {}, "\x1b[A"},
        {Qt::Key_Down, Qt::NoModifier, {}, "\x1bOB"},
        {Qt::Key_F5, Qt::NoModifier, {}, "\x1b[15~"},
        {Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"), "\x1b[3~"},  // no 0x7F after it
        {Qt::Key_Up, Qt::ShiftModifier, {}, ""},
        {Qt::Key_Left, Qt::ControlModifier, {}, ""},
        {Qt::Key_F1, Qt::AltModifier, {}, ""},
        {Qt::Key_F11, Qt::NoModifier, {}, ""},
        {Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), "a"},
        {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), "\r"},
        {Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"), "\t"},
        {Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), "\b"},
        {Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"), "\x01"},
        {Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"), ""},
        {Qt::Key_X, Qt::AltModifier, QStringLiteral("x"), ""},
    };
    for (const Case& c : cases) {
        key(c.key, c.mods, c.text);
        EXPECT_EQ(sent(), c.expected) << "key " << std::hex << c.key;
    }
}

TEST_F(SessionInputTest, ChineseFromAnInputMethodGoesOutAsBig5) {
    QInputMethodEvent e;
    e.setCommitString(QStringLiteral("國a"));
    QCoreApplication::sendEvent(zek.get(), &e);
    EXPECT_EQ(sent(), QByteArray("\xb0\xea" "a"));
    key(0, Qt::NoModifier, QStringLiteral("中"));
    EXPECT_EQ(sent(), QByteArray("\xa4\xa4"));
}

TEST_F(SessionInputTest, CtrlCCopiesOnlyWhenSwitchedOn) {
    show(QByteArray("\x1b[H\x1b[2Jhello world"));
    drag(0, 0, 4, 0);
    ASSERT_EQ(zek->get標記文字(), QStringLiteral("hello"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    settings.switch_of_ctrl_c = false;
    key(Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    EXPECT_EQ(sent(), QByteArray());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_TRUE(zek->screen()->hasMark());

    settings.switch_of_ctrl_c = true;
    key(Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    EXPECT_EQ(sent(), QByteArray());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("hello"));
    EXPECT_FALSE(zek->screen()->hasMark());
    EXPECT_EQ(zek->get標記文字(), QString());
}

TEST_F(SessionInputTest, CtrlVSendsTheControlCodeAndPastesWhenSwitchedOn) {
    QGuiApplication::clipboard()->setText(QStringLiteral("ab\r\ncd"));
    settings.switch_of_ctrl_v = false;
    key(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    EXPECT_EQ(sent(), QByteArray("\x16"));

    settings.switch_of_ctrl_v = true;
    key(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    EXPECT_EQ(sent(), QByteArray("\x16" "ab\r\n\ncd"));
}

TEST_F(SessionInputTest, PastedChineseWrapsBeforeColumn77) {
    settings.switch_of_ctrl_v = true;
    QGuiApplication::clipboard()->setText(QString(40, QChar(0x570B)));  // 國 x 40
    key(Qt::Key_V, Qt::ControlModifier);
    QByteArray expected;
    for (int i = 0; i < 39; ++i) expected += "\xb0\xea";
    expected += "\r\n\xb0\xea";
    EXPECT_EQ(sent(), expected);

    // From the cursor's column: at column 75 the second character already wraps.
    show(QByteArray("\x1b[1;76H"));
    QGuiApplication::clipboard()->setText(QStringLiteral("國國"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(sent(), QByteArray("\xb0\xea\r\n\xb0\xea"));
}

TEST_F(SessionInputTest, PasteAsTypingReachesTheFocusedSession) {
    QWidget window;
    zek->setParent(&window);
    zek->show();
    window.show();
    QApplication::setActiveWindow(&window);
    zek->setFocus();
    ASSERT_TRUE(LoopbackHost::waitFor([&] { return QApplication::focusWidget() == zek.get(); }));
    QGuiApplication::clipboard()->setText(QStringLiteral("a國\n\tb"));
    zek->f貼上資料();
    EXPECT_TRUE(host.received().isEmpty());  // typed from the event loop, not at once
    EXPECT_TRUE(LoopbackHost::waitFor([&] { return host.received().size() >= 6; }));
    EXPECT_EQ(sent(), QByteArray("a\xb0\xea\n\tb"));
    zek->setParent(nullptr);
}

TEST_F(SessionInputTest, DragMarksAndAClickRemovesTheMark) {
    show(session_fixtures::mainSessionUpTo(19));
    drag(5, 3, 20, 4);
    ASSERT_EQ(marked.size(), 1);
    EXPECT_EQ(marked[0], axZekScreen::markingResult());
    EXPECT_EQ(marked[0], zek->get標記文字());
    EXPECT_EQ(marked[0], zek->screen()->f標記方法(5, 3, 20, 4));
    EXPECT_TRUE(marked[0].contains(QStringLiteral("\r\n")));

    click(30, 10);
    EXPECT_EQ(marked.size(), 1);
    EXPECT_EQ(zek->get標記文字(), QString());
    EXPECT_FALSE(zek->screen()->hasMark());
    EXPECT_TRUE(clicked.isEmpty());
}

TEST_F(SessionInputTest, AClickOnARecordedAddressRaisesLinkClicked) {
    show(session_fixtures::mainSessionUpTo(14));
    ASSERT_EQ(zek->screen()->links().lastIndex(), 0);
    const ScreenLink link = zek->screen()->links().links()[0];
    const QString text = QString::fromStdString(link.text);

    click(link.column + 3, link.row);
    ASSERT_EQ(clicked, QStringList{text});
    click(link.column + link.length, link.row);  // the cell right after it counts
    EXPECT_EQ(clicked.size(), 2);
    EXPECT_TRUE(marked.isEmpty());

    // A press that wobbles inside its cell is still a click.
    mouse(QEvent::MouseButtonPress, link.column + 1, link.row, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, link.column + 1, link.row, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, link.column + 1, link.row, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicked.size(), 3);

    // The pointer turns into a hand over the link, and back beside it.
    mouse(QEvent::MouseMove, link.column + 2, link.row, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(zek->cursor().shape(), Qt::PointingHandCursor);
    mouse(QEvent::MouseMove, link.column + 2, link.row + 2, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(zek->cursor().shape(), Qt::ArrowCursor);

    // A drag that starts on the link marks instead.
    drag(link.column, link.row, link.column + 6, link.row);
    EXPECT_EQ(clicked.size(), 3);
    EXPECT_EQ(marked, QStringList{text.left(7)});

    // Not connected: the button-up does nothing at all.
    zek->Disconnection();
    click(link.column, link.row);
    EXPECT_EQ(clicked.size(), 3);
}

TEST_F(SessionInputTest, PopupMenuOffersTheMarkedTextAsAnAddress) {
    QAction* copy = action("mnu複製");
    QAction* address = action("mnu網址");
    ASSERT_TRUE(copy && address && action("mnu貼上") && action("mnu複製後貼上"));

    click(0, 0, Qt::RightButton);
    EXPECT_FALSE(copy->isEnabled());
    EXPECT_FALSE(address->isEnabled());
    EXPECT_TRUE(action("mnu貼上")->isEnabled());
    zek->findChild<QMenu*>(QStringLiteral("mnu檔案"))->hide();

    struct Case {
        QByteArray screen;
        int lastCol;
        QString caption, url;
    };
    const Case cases[] = {
        {"abc", 2, QStringLiteral("當成網址開啟"), QStringLiteral("http://abc")},
        {"FTP://a b", 8, QStringLiteral("開啟FTP"), QStringLiteral("FTP://a%20b")},
        {"Http://x y", 9, QStringLiteral("開啟網頁"), QStringLiteral("Http://x%20y")},
    };
    for (const Case& c : cases) {
        show("\x1b[H\x1b[2J" + c.screen);
        drag(0, 0, c.lastCol, 0);
        click(0, 0, Qt::RightButton);
        EXPECT_TRUE(copy->isEnabled());
        EXPECT_EQ(address->text(), c.caption);
        zek->findChild<QMenu*>(QStringLiteral("mnu檔案"))->hide();
        address->trigger();
        EXPECT_EQ(ui.urls.value(ui.urls.size() - 1), c.url);
        copy->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromLatin1(c.screen));
    }
}

TEST_F(SessionInputTest, WheelStepsPlayOutOnlyInTheFocusedSession) {
    const auto wheel = [&](int dy) {
        const QPointF p(10, 10);
        QWheelEvent e(p, zek->mapToGlobal(p), QPoint(), QPoint(0, dy), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(zek.get(), &e);
    };
    // Not focused: the steps wait.
    for (int i = 0; i < 5; ++i) wheel(120);
    EXPECT_EQ(sent(80), QByteArray());
    EXPECT_EQ(WheelSteps::shared().pending(), 5);

    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(zek.get(), &in);
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(LoopbackHost::waitFor([&] { return host.received().size() >= 15; }));
    EXPECT_GE(t.elapsed(), 35);  // one step per 10 ms tick
    EXPECT_EQ(sent(), QByteArray("\x1b[A\x1b[A\x1b[A\x1b[A\x1b[A"));

    // A small delta is a whole step; a downward one sends cursor down.
    wheel(-3);
    EXPECT_EQ(sent(), QByteArray("\x1bOB"));
    wheel(1);
    EXPECT_EQ(sent(), QByteArray("\x1b[A"));

    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(zek.get(), &out);
    wheel(120);
    EXPECT_EQ(sent(), QByteArray());
}

}  // namespace

namespace {

TEST_F(SessionInputTest, SetFontResizesTheScreenAndResizeCentresIt) {
    zek->resize(1200, 600);
    const int h12 = zek->screen()->fGetFontHeight();
    zek->SetFont(QStringLiteral("細明體"), 12);  // not an accepted size: nothing changes
    EXPECT_EQ(zek->screen()->fGetFontHeight(), h12);
    zek->SetFont(QStringLiteral("細明體"), 20);
    EXPECT_GT(zek->screen()->fGetFontHeight(), h12);
    EXPECT_EQ(zek->screen()->width(), zek->screen()->geometry().screenWidthPx());
    EXPECT_EQ(zek->screen()->x(), (1200 - zek->screen()->width()) / 2);
    EXPECT_EQ(zek->screen()->y(), 0);

    // Mouse cells follow the new metrics.
    show(QByteArray("\x1b[H\x1b[2Jhello world"));
    drag(6, 0, 10, 0);
    EXPECT_EQ(zek->get標記文字(), QStringLiteral("world"));
}

}  // namespace
