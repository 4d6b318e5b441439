// Instant messages: recognised on the screen by their rules, announced only for sessions
// the user is not looking at, once, and a click leads back to the session.
#include "FakePttHost.h"
#include "Fixtures.h"
#include "screen/Big5.h"
#include "screen/ScreenModel.h"
#include "RecordingNotifier.h"
#include "ui/WaterBallAlerts.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

std::string big5(const char* utf8) { return big5::fromUtf8(utf8); }

TEST(WaterBall, RecognisedByItsRulesNotByOneScreen) {
    const std::string bar = "\x1b[1;1H\x1b[1;33;46m";
    struct Case {
        const char* name;
        std::string bytes;
        const char* sender;  // nullptr: none
        const char* message;
    };
    const Case cases[] = {
        {"PTT's bar", bar + big5("★Alice123 \x1b[37;45m 晚上要不要吃飯？ \x1b[m"), "Alice123", "晚上要不要吃飯？"},
        {"message with inner blanks", bar + big5("★bob  see you  at 8   "), "bob", "see you  at 8"},
        {"UAO text", bar + big5("★kana ") + "\xc6\xf9\xc7\x7a", "kana", "こん"},
        {"no bar: an article line", "\x1b[1;1H" + big5("★Alice hello"), nullptr, nullptr},
        {"account must start with a letter", bar + big5("★1abc hello"), nullptr, nullptr},
        {"account too short", bar + big5("★a hello"), nullptr, nullptr},
        {"account too long", bar + big5("★abcdefghijklm hello"), nullptr, nullptr},
        {"no message", bar + big5("★Alice   "), nullptr, nullptr},
        {"not on the top row", "\x1b[2;1H\x1b[46m" + big5("★Alice hello"), nullptr, nullptr},
        {"board title bar", bar + big5("【主功能表】   批踢踢實業坊"), nullptr, nullptr},
    };
    for (const Case& c : cases) {
        ScreenModel m;
        m.feed(c.bytes);
        const std::optional<WaterBall> w = WaterBall::find(m);
        EXPECT_EQ(w.has_value(), c.sender != nullptr) << c.name;
        if (w && c.sender) {
            EXPECT_EQ(w->sender.toStdString(), c.sender) << c.name;
            EXPECT_EQ(w->message.toStdString(), c.message) << c.name;
        }
    }
    // Every recorded screen is free of messages; the test host's message over the main
    // menu is one, and the cursor goes back where it was.
    for (const QString& file : QDir(QStringLiteral(ZEK_FIXTURES_DIR "/ptt")).entryList({QStringLiteral("*.bin")})) {
        ScreenModel m;
        m.feed(fixtures::read("ptt/" + file.toStdString()));
        EXPECT_FALSE(WaterBall::find(m)) << file.toStdString();
    }
    ScreenModel menu;
    menu.feed(fixtures::read("ptt/08_main_menu.bin"));
    const int col = menu.cursorColumn(), row = menu.cursorRow();
    menu.feed(FakePttHost::waterBallBytes(QStringLiteral("SYSOP"), QStringLiteral("水球測試")).toStdString());
    EXPECT_EQ(WaterBall::find(menu), (WaterBall{QStringLiteral("SYSOP"), QStringLiteral("水球測試")}));
    EXPECT_EQ(menu.cursorColumn(), col);
    EXPECT_EQ(menu.cursorRow(), row);
}

TEST(WaterBall, AnnouncedOnlyInTheBackgroundOnceAndLeadsBack) {
    RecordingNotifier notifier;
    std::vector<int> broughtToFront;
    WaterBallAlerts alerts(notifier, [&](int slot) { broughtToFront.push_back(slot); });
    ScreenModel plain, first, second;
    plain.feed("hello");
    first.feed(FakePttHost::waterBallBytes(QStringLiteral("amy"), QStringLiteral("hi")).toStdString());
    second.feed(FakePttHost::waterBallBytes(QStringLiteral("amy"), QStringLiteral("again")).toStdString());

    alerts.screenChanged(1, first, /*inFront=*/true);  // seen where it arrived: no alert
    alerts.screenChanged(1, first, false);              // and not later either
    alerts.screenChanged(2, plain, false);
    EXPECT_TRUE(notifier.shown.isEmpty());

    alerts.screenChanged(2, first, false);
    alerts.screenChanged(2, first, false);  // the same line redrawn
    alerts.screenChanged(2, second, false);
    EXPECT_EQ(notifier.shown, (QStringList{QStringLiteral("★amy hi"), QStringLiteral("★amy again")}));

    alerts.screenChanged(2, plain, false);  // gone; the same text later is new again
    alerts.screenChanged(2, second, false);
    alerts.forget(3);
    EXPECT_EQ(notifier.shown.size(), 3);

    ASSERT_EQ(notifier.clicks.size(), 3u);
    notifier.clicks[0]();
    EXPECT_EQ(broughtToFront, std::vector<int>{2});
}

}  // namespace
