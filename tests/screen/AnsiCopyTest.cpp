// Colour copy: the text with its colour sequences, and its way back through the
// interpreter when pasted into PTT's editor.
#include "ScreenTestSupport.h"
#include "screen/AnsiCopy.h"
#include "screen/Big5.h"

#include <gtest/gtest.h>

namespace {

std::string typedBack(const std::string& copied) {
    std::string bytes = big5::fromUtf8(ansicopy::forTyping(copied));
    for (char& c : bytes)
        if (c == '\x15') c = '\x1b';  // PTT's editor stores Ctrl-U as an escape
    return bytes;
}

TEST(AnsiCopy, WritesColoursAsPttEditorShowsThem) {
    struct Case {
        const char* name;
        std::string screen;
        Selection::Range range;
        std::string want;
    };
    const Case cases[] = {
        {"plain text has no sequences", "ab c  ", {0, 0, 79, 0}, "ab c"},
        {"bright yellow on blue, reset at the row end", "\x1b[1;33;44mAB\x1b[m  ", {0, 0, 3, 0}, "*[1;33;44mAB*[m"},
        {"losing bright starts over", "\x1b[1;31mA\x1b[0;32mB", {0, 0, 1, 0}, "*[1;31mA*[0;32mB*[m"},
        {"blink and a background", "\x1b[5;47mX", {0, 0, 0, 0}, "*[5;47mX*[m"},
        {"rows joined, each from the defaults", "\x1b[36mab\r\ncd", {1, 0, 0, 1}, "*[36mb*[m\r\n*[36mc*[m"},
        {"UAO text keeps its characters", "\x1b[32m\xc6\xf9\x8a\xe9", {0, 0, 3, 0}, "*[32mこ简*[m"},
        {"two-colour character: the lead's colours, then the trail's", "\x1b[31m\xa4\x1b[33m\xa4" "A", {0, 0, 2, 0},
         "*[31m中*[33mA*[m"},
    };
    for (const Case& c : cases) {
        ScreenModel m;
        m.feed(c.screen);
        EXPECT_EQ(ansicopy::text(m, c.range), c.want) << c.name;
    }
    EXPECT_EQ(ansicopy::text(ScreenModel(), Selection::Range{}), "");
    EXPECT_EQ(ansicopy::forTyping("a*[1;33mb*[m *x *[z *[12"), "a\x15[1;33mb\x15[m *x *[z *[12");
}

// Colour art copied from one screen and pasted into the editor of another gives the
// same cells: characters, both colours and blink.
TEST(AnsiCopy, PastedBackGivesTheSameCells) {
    ScreenModel art;
    art.feed("\x1b[1;33;44m\xa1\xb9\xa1\xb9\x1b[0;36m \xa4\xa4\xa4\xe5 \x1b[5;31;47mUAO\xc6\xf9\x1b[m end\r\n"
             "\x1b[46m          \x1b[m\x1b[1;37mbold white\r\n"
             "\x1b[35m\x9d\xde\x1b[44m\xa2\x69\x1b[m\x1b[7m rev \x1b[m");
    const std::string copied = ansicopy::text(art, {0, 0, 79, 2});
    ScreenModel pasted;
    pasted.feed(typedBack(copied));
    std::string where;
    EXPECT_TRUE(screentest::sameCells(pasted, art, 3, &where)) << "cell " << where << " of " << copied;
}

}  // namespace
