// The image button's press / release rules, driven by real mouse events.
#include "session/axImgButton.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <string>
#include <vector>

namespace {

struct Recorder {
    std::vector<std::string> events;
    explicit Recorder(axImgButton& b) {
        QObject::connect(&b, &axImgButton::Click, [this] { events.push_back("Click"); });
        QObject::connect(&b, &axImgButton::CloseClick, [this] { events.push_back("CloseClick"); });
        QObject::connect(&b, &axImgButton::MouseDown, [this](int, int, int, int) { events.push_back("MouseDown"); });
        QObject::connect(&b, &axImgButton::MouseUp, [this](int, int, int, int) { events.push_back("MouseUp"); });
        QObject::connect(&b, &axImgButton::MouseMove, [this](int, int, int, int) { events.push_back("MouseMove"); });
    }
};

struct Gesture {
    const char* name;
    bool enabled;
    bool pressOnMark;
    bool releaseOnMark;
    std::vector<std::string> expected;
};

void PrintTo(const Gesture& g, std::ostream* os) { *os << g.name; }

class ButtonGestures : public ::testing::TestWithParam<Gesture> {};

TEST_P(ButtonGestures, RaisesTheRightEvents) {
    const Gesture& g = GetParam();
    axImgButton button;
    button.resize(140, 26);
    button.setEnabled(g.enabled);
    button.show();
    Recorder rec(button);

    const QPoint body(20, 13);
    const QPoint mark = button.closeMarkRect().center();
    const QPoint press = g.pressOnMark ? mark : body;
    const QPoint release = g.releaseOnMark ? mark : body;
    QTest::mousePress(&button, Qt::LeftButton, {}, press);
    if (press != release) QTest::mouseMove(&button, release);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, release);

    std::vector<std::string> seen;
    for (const auto& e : rec.events)
        if (e != "MouseMove") seen.push_back(e);
    EXPECT_EQ(seen, g.expected);
    // The pressed look never outlives the release.
    EXPECT_EQ(button.frameOffset(), QPoint(0, 0));
    EXPECT_FALSE(button.closePressed());
}

INSTANTIATE_TEST_SUITE_P(
    axImgButton, ButtonGestures,
    ::testing::Values(
        Gesture{"BodyClick", true, false, false, {"MouseDown", "MouseUp", "Click"}},
        Gesture{"CloseMark", true, true, true, {"MouseDown", "CloseClick"}},
        Gesture{"CloseDraggedOff", true, true, false, {"MouseDown", "MouseUp"}},
        Gesture{"BodyReleasedOnMark", true, false, true, {"MouseDown", "MouseUp", "Click"}},
        Gesture{"DisabledBody", false, false, false, {}},
        Gesture{"DisabledMark", false, true, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(axImgButton, PressOnBodyShiftsTheFrameAndPressOnMarkDrawsItsBorder) {
    axImgButton button;
    button.resize(140, 26);
    button.show();
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(button.frameOffset(), QPoint(1, 1));
    EXPECT_FALSE(button.closePressed());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));

    QTest::mousePress(&button, Qt::LeftButton, {}, button.closeMarkRect().center());
    EXPECT_EQ(button.frameOffset(), QPoint(0, 0));
    EXPECT_TRUE(button.closePressed());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, button.closeMarkRect().center());
}

TEST(axImgButton, DisabledStillReportsMovesAndButtonColorIgnoresBadIndexes) {
    axImgButton button;
    button.resize(140, 26);
    button.setEnabled(false);
    button.show();
    Recorder rec(button);
    QTest::mouseMove(&button, QPoint(30, 10));
    QTest::mouseMove(&button, QPoint(40, 12));
    EXPECT_FALSE(rec.events.empty());
    for (const auto& e : rec.events) EXPECT_EQ(e, "MouseMove");

    for (int index : {0, 3, 2}) {
        button.setButtonColor(index);
        EXPECT_EQ(button.ButtonColor(), index);
    }
    for (int bad : {-1, 4, 1000}) {
        button.setButtonColor(bad);
        EXPECT_EQ(button.ButtonColor(), 2);
    }
}

TEST(axImgButton, CloseMarkSitsAtTheRightEndAndCentred) {
    axImgButton button;
    for (const QSize size : {QSize(140, 26), QSize(90, 40), QSize(200, 17)}) {
        button.resize(size);
        const QRect mark = button.closeMarkRect();
        EXPECT_EQ(mark.left(), size.width() - mark.width() - axImgButton::kCloseRightGap);
        EXPECT_EQ(mark.top(), (size.height() - mark.height()) / 2);
    }
}

TEST(axImgButton, BackgroundsDifferAndStayCrispAtTwiceTheScale) {
    // Each of the four pictures must be told apart, and at 2x the edge stays one
    // device pixel wide instead of a blurred upscale.
    std::vector<QRgb> centres;
    for (int index = 0; index < 4; ++index) {
        QImage image(QSize(280, 52), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2.0);
        image.fill(Qt::white);
        QPainter p(&image);
        axImgButton::paintBackground(p, QRectF(0, 0, 140, 26), index);
        p.end();
        centres.push_back(image.pixel(140, 26));
        // Left edge pixel column is the border colour, the next is already the fill.
        EXPECT_NE(image.pixel(0, 26), image.pixel(2, 26)) << index;
    }
    for (size_t a = 0; a < centres.size(); ++a)
        for (size_t b = a + 1; b < centres.size(); ++b) EXPECT_NE(centres[a], centres[b]);
}

}  // namespace
