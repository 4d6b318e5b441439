// The image button's press / release rules and the tab strip built from such buttons,
// driven by real mouse events.
#include "session/axImgButton.h"
#include "session/axItem.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

TEST(axImgButton, GesturesRaiseTheRightEventsAndThePressedLookEndsOnRelease) {
    const struct {
        const char* name;
        bool enabled, pressOnMark, releaseOnMark;
        Log expected;
    } cases[] = {
        {"body click", true, false, false, {"MouseDown", "MouseUp", "Click"}},
        {"close mark", true, true, true, {"MouseDown", "CloseClick"}},
        {"close dragged off", true, true, false, {"MouseDown", "MouseUp"}},
        {"body released on mark", true, false, true, {"MouseDown", "MouseUp", "Click"}},
        {"disabled body", false, false, false, {}},
        {"disabled mark", false, true, true, {}},
    };
    for (const auto& g : cases) {
        SCOPED_TRACE(g.name);
        axImgButton button;
        button.resize(140, 26);
        button.setEnabled(g.enabled);
        button.show();
        Log seen;
        int moves = 0;
        const auto note = [&seen](const char* name) { return [&seen, name](auto...) { seen.push_back(name); }; };
        QObject::connect(&button, &axImgButton::Click, note("Click"));
        QObject::connect(&button, &axImgButton::CloseClick, note("CloseClick"));
        QObject::connect(&button, &axImgButton::MouseDown, note("MouseDown"));
        QObject::connect(&button, &axImgButton::MouseUp, note("MouseUp"));
        QObject::connect(&button, &axImgButton::MouseMove, [&] { ++moves; });

        const QPoint body(20, 13), mark = button.closeMarkRect().center();
        const QPoint press = g.pressOnMark ? mark : body, release = g.releaseOnMark ? mark : body;
        QTest::mousePress(&button, Qt::LeftButton, {}, press);
        // A press on the body shifts the frame; one on the close mark draws the mark's border.
        EXPECT_EQ(button.frameOffset(), g.enabled && !g.pressOnMark ? QPoint(1, 1) : QPoint(0, 0));
        EXPECT_EQ(button.closePressed(), g.enabled && g.pressOnMark);
        if (press != release) QTest::mouseMove(&button, release);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, release);
        EXPECT_EQ(seen, g.expected);
        EXPECT_EQ(button.frameOffset(), QPoint(0, 0));
        EXPECT_FALSE(button.closePressed());
        moves = 0;
        QTest::mouseMove(&button, QPoint(30, 10));
        QTest::mouseMove(&button, QPoint(40, 12));
        EXPECT_GT(moves, 0);  // enabled or not
    }
}

TEST(axImgButton, ColourIndexesOutsideTheFourPicturesAreRefused) {
    axImgButton button;
    button.setButtonColor(0);
    for (int bad : {-1, 4, 1000}) button.setButtonColor(bad);
    EXPECT_EQ(button.ButtonColor(), 0);
}

struct Strip : axItem {
    Log log;
    explicit Strip(std::initializer_list<const char*> names, int width = 900) {
        resize(width, kStripHeight);
        show();
        for (const char* n : names) AddItem(QString::fromUtf8(n));
        connect(this, &axItem::ItemClosed, [this](int i) { log.push_back("Closed" + std::to_string(i)); });
        connect(this, &axItem::ItemSelected, [this](int i) { log.push_back("Selected" + std::to_string(i)); });
    }
    Log captions() const {
        Log out;
        for (int k = 1; k <= ItemMaxNumber(); ++k) out.push_back(caption(k).toStdString());
        return out;
    }
};

TEST(axItem, RemovalShiftsCaptionsAndReportsClosedThenSelected) {
    const struct {
        const char* name;
        int current, removed;
        Log captionsAfter;
        int currentAfter;
        Log events;
    } cases[] = {
        {"first while last current", 3, 1, {"B", "C"}, 2, {"Closed1", "Selected2"}},
        {"first while middle current", 2, 1, {"B", "C"}, 2, {"Closed1", "Selected2"}},
        {"middle while first current", 1, 2, {"A", "C"}, 1, {"Closed2", "Selected1"}},
        {"last while last current", 3, 3, {"A", "B"}, 2, {"Closed3", "Selected2"}},
        {"out of range does nothing", 3, 7, {"A", "B", "C"}, 3, {}},
        {"zero does nothing", 3, 0, {"A", "B", "C"}, 3, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Strip s({"A", "B", "C"});
        s.setItemNowNumber(c.current);
        EXPECT_EQ(s.ItemRemove(c.removed), 0);
        EXPECT_EQ(s.captions(), c.captionsAfter);
        EXPECT_EQ(s.ItemNowNumber(), c.currentAfter);
        EXPECT_EQ(s.log, c.events);
        for (int k = 1; k <= s.ItemMaxNumber(); ++k) {
            EXPECT_EQ(s.button(k)->ButtonColor(), k == c.currentAfter ? 1 : 2) << k;
            EXPECT_EQ(s.button(k)->toolTip(), s.caption(k));
        }
    }
    Strip s({"only"});  // removing the only tab empties the strip
    s.CloseItem(1);
    s.ItemRemove(1);  // and an empty strip ignores further removals
    EXPECT_EQ(s.log, (Log{"Closed1", "Selected0"}));
    EXPECT_EQ(std::make_tuple(s.ItemMaxNumber(), s.ItemNowNumber(), s.scrollValue(), s.scrollBar()->maximum()),
              std::make_tuple(0, 0, 0, 0));
}

TEST(axItem, ClickingATabAndItsCloseMark) {
    Strip s({"A", "B", "C"});
    QTest::mouseClick(s.button(1), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(s.ItemNowNumber(), 1);
    EXPECT_EQ(s.button(1)->ButtonColor(), 1);
    EXPECT_EQ(s.button(3)->ButtonColor(), 2);
    const QPoint mark = s.button(2)->closeMarkRect().center();
    QTest::mousePress(s.button(2), Qt::LeftButton, {}, mark);
    QTest::mouseRelease(s.button(2), Qt::LeftButton, {}, mark);
    EXPECT_EQ(s.log, (Log{"Selected1", "Closed2", "Selected1"}));
    EXPECT_EQ(s.captions(), (Log{"A", "C"}));
}

TEST(axItem, ManyTabsScrollSoTheNewestIsTheLastFullyShown) {
    for (const int width : {30, 300, 520, 900}) {  // 30: narrower than one tab, adding still ends
        Strip s({}, width);
        for (int n = 1; n <= 20; ++n) {
            ASSERT_EQ(s.AddItem(QString::number(n)), n);
            EXPECT_EQ(s.ItemNowNumber(), n);
            EXPECT_EQ(s.scrollBar()->maximum(), n);
            const int right = s.button(n)->geometry().right() + 1, scrollLeft = s.scrollBar()->x();
            if (width == 30) {
                EXPECT_EQ(s.scrollValue(), n);  // the newest tab first in view
            } else {
                EXPECT_LE(right, scrollLeft) << width << " " << n;
                // ...and the last that is: one more tab would not fit, unless all fit.
                EXPECT_TRUE(s.scrollValue() == 1 || right + s.templateWidth() > scrollLeft) << width << " " << n;
            }
        }
        EXPECT_TRUE(s.log.empty());  // adding raises nothing
    }
    Strip s({"A", "B", "C", "D"});
    s.scrollBar()->setValue(3);
    EXPECT_EQ(s.button(3)->x(), 0);
    EXPECT_EQ(s.button(1)->x(), -2 * s.templateWidth());
}

}  // namespace
