// The tab strip: adding, removing (caption shifting, event order), clicking, scrolling.
#include "session/axImgButton.h"
#include "session/axItem.h"

#include <gtest/gtest.h>
#include <QScrollBar>
#include <QTest>

#include <string>
#include <vector>

namespace {

struct StripEvents {
    std::vector<std::string> log;
    explicit StripEvents(axItem& strip) {
        QObject::connect(&strip, &axItem::ItemClosed,
                         [this](int i) { log.push_back("ItemClosed(" + std::to_string(i) + ")"); });
        QObject::connect(&strip, &axItem::ItemSelected,
                         [this](int i) { log.push_back("ItemSelected(" + std::to_string(i) + ")"); });
    }
};

std::vector<std::string> captions(const axItem& strip) {
    std::vector<std::string> out;
    for (int k = 1; k <= strip.ItemMaxNumber(); ++k) out.push_back(strip.caption(k).toStdString());
    return out;
}

std::unique_ptr<axItem> stripWith(std::initializer_list<const char*> names, int width = 900) {
    auto strip = std::make_unique<axItem>();
    strip->resize(width, axItem::kStripHeight);
    strip->show();
    for (const char* n : names) strip->AddItem(QString::fromUtf8(n));
    return strip;
}

TEST(axItem, AddingToAnEmptyStripShowsTabOneAsCurrent) {
    auto strip = stripWith({});
    StripEvents events(*strip);
    EXPECT_EQ(strip->AddItem("ptt.cc"), 1);
    EXPECT_EQ(strip->ItemMaxNumber(), 1);
    EXPECT_EQ(strip->ItemNowNumber(), 1);
    EXPECT_EQ(strip->scrollValue(), 1);
    EXPECT_EQ(strip->button(1)->ButtonColor(), 1);
    EXPECT_EQ(strip->button(1)->toolTip(), "ptt.cc");
    EXPECT_TRUE(events.log.empty());  // adding raises nothing

    EXPECT_EQ(strip->AddItem("two"), 2);
    EXPECT_EQ(strip->button(1)->ButtonColor(), 2);
    EXPECT_EQ(strip->button(2)->ButtonColor(), 1);
}

struct RemoveCase {
    const char* name;
    int current;  // selected before the removal
    int removed;
    std::vector<std::string> captionsAfter;
    int currentAfter;
    std::vector<std::string> events;
};

void PrintTo(const RemoveCase& c, std::ostream* os) { *os << c.name; }

class StripRemoval : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(StripRemoval, ShiftsCaptionsAndReportsClosedThenSelected) {
    const RemoveCase& c = GetParam();
    auto strip = stripWith({"A", "B", "C"});
    strip->setItemNowNumber(c.current);
    StripEvents events(*strip);
    EXPECT_EQ(strip->ItemRemove(c.removed), 0);
    EXPECT_EQ(captions(*strip), c.captionsAfter);
    EXPECT_EQ(strip->ItemNowNumber(), c.currentAfter);
    EXPECT_EQ(events.log, c.events);
    for (int k = 1; k <= strip->ItemMaxNumber(); ++k) {
        EXPECT_EQ(strip->button(k)->ButtonColor(), k == c.currentAfter ? 1 : 2) << k;
        EXPECT_EQ(strip->button(k)->toolTip(), strip->caption(k));
    }
}

INSTANTIATE_TEST_SUITE_P(
    axItem, StripRemoval,
    ::testing::Values(
        RemoveCase{"FirstWhileLastCurrent", 3, 1, {"B", "C"}, 2, {"ItemClosed(1)", "ItemSelected(2)"}},
        RemoveCase{"FirstWhileMiddleCurrent", 2, 1, {"B", "C"}, 2, {"ItemClosed(1)", "ItemSelected(2)"}},
        RemoveCase{"MiddleWhileFirstCurrent", 1, 2, {"A", "C"}, 1, {"ItemClosed(2)", "ItemSelected(1)"}},
        RemoveCase{"LastWhileLastCurrent", 3, 3, {"A", "B"}, 2, {"ItemClosed(3)", "ItemSelected(2)"}},
        RemoveCase{"OutOfRangeDoesNothing", 3, 7, {"A", "B", "C"}, 3, {}},
        RemoveCase{"ZeroDoesNothing", 3, 0, {"A", "B", "C"}, 3, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(axItem, RemovingTheOnlyTabEmptiesTheStrip) {
    auto strip = stripWith({"only"});
    StripEvents events(*strip);
    strip->CloseItem(1);
    EXPECT_EQ(events.log, (std::vector<std::string>{"ItemClosed(1)", "ItemSelected(0)"}));
    EXPECT_EQ(strip->ItemMaxNumber(), 0);
    EXPECT_EQ(strip->ItemNowNumber(), 0);
    EXPECT_EQ(strip->scrollValue(), 0);
    EXPECT_EQ(strip->scrollBar()->maximum(), 0);
    strip->ItemRemove(1);  // an empty strip ignores further removals
    EXPECT_EQ(events.log.size(), 2u);
}

TEST(axItem, ClickingATabAndItsCloseMark) {
    auto strip = stripWith({"A", "B", "C"});
    StripEvents events(*strip);
    QTest::mouseClick(strip->button(1), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(strip->ItemNowNumber(), 1);
    EXPECT_EQ(strip->button(1)->ButtonColor(), 1);
    EXPECT_EQ(strip->button(3)->ButtonColor(), 2);

    axImgButton* second = strip->button(2);
    const QPoint mark = second->closeMarkRect().center();
    QTest::mousePress(second, Qt::LeftButton, {}, mark);
    QTest::mouseRelease(second, Qt::LeftButton, {}, mark);
    EXPECT_EQ(events.log, (std::vector<std::string>{"ItemSelected(1)", "ItemClosed(2)", "ItemSelected(1)"}));
    EXPECT_EQ(captions(*strip), (std::vector<std::string>{"A", "C"}));
}

TEST(axItem, ManyTabsScrollSoTheNewestIsTheLastFullyShown) {
    for (const int width : {300, 520, 900}) {
        auto strip = stripWith({}, width);
        const int tabWidth = strip->templateWidth();
        for (int n = 1; n <= 20; ++n) {
            strip->AddItem(QString::number(n));
            const int scrollLeft = strip->scrollBar()->x();
            axImgButton* newest = strip->button(n);
            // Fully left of the scroll bar...
            EXPECT_LE(newest->geometry().right() + 1, scrollLeft) << width << " " << n;
            // ...and the last that is: one more tab would not fit, unless all fit.
            if (strip->scrollValue() > 1) {
                EXPECT_GT(newest->geometry().right() + 1 + tabWidth, scrollLeft);
            }
            EXPECT_EQ(strip->scrollBar()->maximum(), n);
            EXPECT_EQ(strip->ItemNowNumber(), n);
        }
    }
}

TEST(axItem, ScrollingMovesTabsAndTooNarrowAStripStillEnds) {
    auto strip = stripWith({"A", "B", "C", "D"}, 900);
    strip->scrollBar()->setValue(3);
    EXPECT_EQ(strip->button(3)->x(), 0);
    EXPECT_EQ(strip->button(1)->x(), -2 * strip->templateWidth());

    // Narrower than one tab: adding must still return, with the newest tab first in view.
    auto narrow = stripWith({}, 30);
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(narrow->AddItem("x"), n);
    EXPECT_EQ(narrow->scrollValue(), 5);
    EXPECT_EQ(axItem::scrollToShow(5, 0, 140, -100), 5);
}

}  // namespace
