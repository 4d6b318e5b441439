#include "session/KeyTranslator.h"

#include <gtest/gtest.h>

namespace {

QByteArray bytes(const char* s) { return QByteArray(s); }

QList<QByteArray> sends(std::initializer_list<const char*> items) {
    QList<QByteArray> out;
    for (const char* s : items) out.append(QByteArray(s));
    return out;
}

}  // namespace

TEST(KeyTranslatorTest, KeyDownSequences) {
    const std::pair<int, const char*> table[] = {
        {33, "\x1b[5~"}, {34, "\x1b[6~"}, {35, "\x1b[4~"}, {36, "\x1b[1~"}, {37, "\x1b[D"},  {38, "\x1b[A"},
        {39, "\x1b[C"},  {40, "\x1bOB"},  {45, "\x1b[2~"}, {46, "\x1b[3~"}, {112, "\x1bOP"}, {113, "\x1bOQ"},
        {114, "\x1bOR"}, {115, "\x1bOS"}, {116, "\x1b[15~"}, {117, "\x1b[17~"}, {118, "\x1b[18~"},
        {119, "\x1b[19~"}, {120, "\x1b[20~"}, {121, "\x1b[21~"},
        // Keys without a sequence, letters and digits (they come as characters) and
        // codes outside 33..121 send nothing here.
        {122, ""}, {123, ""}, {65, ""}, {48, ""}, {13, ""}, {8, ""}, {27, ""}, {32, ""}, {41, ""}, {96, ""},
    };
    for (const auto& [vk, want] : table) EXPECT_EQ(KeyTranslator::keyDown(vk, 0), bytes(want)) << vk;
}

TEST(KeyTranslatorTest, ModifiersSilenceKeyDown) {
    for (int mods : {1, 2, 4, 3, 7}) {
        EXPECT_TRUE(KeyTranslator::keyDown(38, mods).isEmpty()) << mods;   // Shift+Up and friends
        EXPECT_TRUE(KeyTranslator::keyDown(37, mods).isEmpty()) << mods;
        EXPECT_TRUE(KeyTranslator::keyDown(112, mods).isEmpty()) << mods;
    }
}

// Qt's key events reach the key rules: the keys with sequences, the copy and paste
// letters, and the number pad (its digits have codes of their own, its arrows do not).
TEST(KeyTranslatorTest, QtKeyEventsToKeyRules) {
    struct Row {
        int key;
        Qt::KeyboardModifiers mods;
        int vk, state;
    };
    const Row table[] = {
        {Qt::Key_PageUp, {}, 33, 0},  {Qt::Key_Down, {}, 40, 0},  {Qt::Key_Delete, {}, 46, 0},
        {Qt::Key_F1, {}, 112, 0},     {Qt::Key_F10, {}, 121, 0},  {Qt::Key_F12, {}, 123, 0},
        {Qt::Key_C, Qt::ControlModifier, 67, 2}, {Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier, 86, 3},
        {Qt::Key_Up, Qt::AltModifier | Qt::KeypadModifier, 38, 4}, {Qt::Key_5, Qt::KeypadModifier, 101, 0},
        {Qt::Key_A, Qt::MetaModifier, 65, 0}, {Qt::Key_unknown, {}, 0, 0},
    };
    for (const Row& r : table) {
        EXPECT_EQ(KeyTranslator::virtualKey(r.key, r.mods), r.vk) << std::hex << r.key;
        EXPECT_EQ(KeyTranslator::modifierState(r.mods), r.state) << std::hex << r.key;
    }
}

TEST(KeyTranslatorTest, Characters) {
    EXPECT_EQ(KeyTranslator::character(QStringLiteral("a")), bytes("a"));
    EXPECT_EQ(KeyTranslator::character(QStringLiteral("\r")), bytes("\r"));
    EXPECT_EQ(KeyTranslator::character(QString(QChar(0x16))), bytes("\x16"));  // Ctrl+V as a character
    EXPECT_TRUE(KeyTranslator::character(QString(QChar(3))).isEmpty());      // Ctrl+C never
    EXPECT_EQ(KeyTranslator::character(QStringLiteral("中")), bytes("\xa4\xa4"));  // two bytes, one send
    EXPECT_EQ(KeyTranslator::character(QStringLiteral("測試")), bytes("\xb4\xfa\xb8\xd5"));
    EXPECT_EQ(KeyTranslator::character(QStringLiteral("😀")), bytes("?"));
    EXPECT_TRUE(KeyTranslator::character(QString()).isEmpty());
}

TEST(KeyTranslatorTest, CopyAndPasteKeyUps) {
    EXPECT_TRUE(KeyTranslator::isCopyKeyUp(67, 2, true));
    EXPECT_FALSE(KeyTranslator::isCopyKeyUp(67, 2, false));
    EXPECT_FALSE(KeyTranslator::isCopyKeyUp(67, 3, true));  // Ctrl+Shift+C is not it
    EXPECT_FALSE(KeyTranslator::isCopyKeyUp(86, 2, true));
    EXPECT_TRUE(KeyTranslator::isPasteKeyUp(86, 2, true));
    EXPECT_FALSE(KeyTranslator::isPasteKeyUp(86, 2, false));
    EXPECT_FALSE(KeyTranslator::isPasteKeyUp(86, 6, true));
    EXPECT_FALSE(KeyTranslator::isPasteKeyUp(86, 0, true));
}

TEST(KeyTranslatorTest, PasteWrapping) {
    // CR becomes CR LF and the LF after it goes out as an ordinary character.
    EXPECT_EQ(KeyTranslator::pasteSends(QStringLiteral("ab\r\ncd"), 0), sends({"a", "b", "\r", "\n", "\n", "c", "d"}));
    EXPECT_TRUE(KeyTranslator::pasteSends(QString(), 0).isEmpty());

    // 40 double-byte characters from column 0: after 38 the column is 76, after 39 it
    // is 78, so CR LF comes before the 40th.
    const QList<QByteArray> wide = KeyTranslator::pasteSends(QString(40, QChar(0x4E2D)), 0);
    ASSERT_EQ(wide.size(), 42);
    for (int i = 0; i < 39; ++i) EXPECT_EQ(wide[i], bytes("\xa4\xa4")) << i;
    EXPECT_EQ(wide[39], bytes("\r"));
    EXPECT_EQ(wide[40], bytes("\n"));
    EXPECT_EQ(wide[41], bytes("\xa4\xa4"));

    // Single-byte text wraps at column 77: 77 characters fit, the 78th starts a line.
    const QList<QByteArray> narrow = KeyTranslator::pasteSends(QString(78, QChar('x')), 0);
    ASSERT_EQ(narrow.size(), 80);
    EXPECT_EQ(narrow[77], bytes("\r"));

    // The starting column counts; a CR resets it.
    EXPECT_EQ(KeyTranslator::pasteSends(QStringLiteral("ab"), 77), sends({"\r", "\n", "a", "b"}));
    EXPECT_EQ(KeyTranslator::pasteSends(QStringLiteral("a"), 76), sends({"a"}));
    EXPECT_EQ(KeyTranslator::pasteSends(QStringLiteral("\ra"), 79), sends({"\r", "\n", "a"}));
    // A character Big5 lacks still counts two columns and goes out as '?'.
    EXPECT_EQ(KeyTranslator::pasteSends(QStringLiteral("😀x"), 75), sends({"?", "\r", "\n", "x"}));
}
