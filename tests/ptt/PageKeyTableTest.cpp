#include "PttTestSupport.h"

#include <gtest/gtest.h>

namespace {

// INI value (split at "--"), screen text, found; A, B and C stand for any key texts.
const struct { const char *value, *text; bool expected; } kMatchCases[] = {
    {"A--B", "xxAxxBxx", true},
    {"A--B", "xxBxxAxx", false},      // plain items keep their order
    {"A|B--C", "xxCxxBxx", true},     // alternatives are order-free
    {"C--A|B", "xxBxxCxx", true},     // ... and do not move the search position
    {"AB--B", "xABx", true},          // the next item may start inside the previous one
    {"AB--A", "xABx", false},         // but not at or before its start
    {"A--", "xxA", false},            // empty item after the last character: beyond the text
    {"A--", "xAx", true},             // empty item inside the text is always found
    {"A--A", "xAx", false},           // a repeated item needs a second occurrence
    {"A--A", "xAAx", true},
    {"作者--看板|站內", " 作者  tester (tester)   站內  Test", true},
    {"作者--看板|站內", " 看板  Test 作者  x", true},
    {"A", "", false},
};

TEST(PageKeyTable, KeyListMatch) {
    for (const auto& c : kMatchCases)
        EXPECT_EQ(PageKeyTable::match(QString::fromUtf8(c.text), QString::fromUtf8(c.value).split("--")), c.expected)
            << c.value << " in \"" << c.text << "\"";
    EXPECT_TRUE(PageKeyTable::match(QString(), QStringList()));
}

// Load fails at the first missing list with its message (the bare error name when the
// language file has no text for it).
TEST(PageKeyTable, LoadStopsAtTheFirstMissingList) {
    for (int present : {PageKeyTable::ListCount - 1, 0}) {
        QString text = QStringLiteral("[Language Setting]\nTW/ERROR_INVALID_KEYS_FOR_LOGON_STOP=stop\n[KeysofPage]\n");
        for (int i = 0; i < present; ++i) text += QString::fromLatin1(PageKeyTable::iniKey(PageKeyTable::List(i))) + "=k--x\n";
        IniFile ini;
        ini.parse(text);
        LanguageTexts texts(&ini);
        RecordingUi ui;
        EXPECT_FALSE(PageKeyTable().load(ini, texts, ui));
        EXPECT_EQ(ui.messages, QStringList{present ? "stop" : "ERROR_INVALID_KEYS_FOR_MAIN_MENU"});
    }
}

// The shipped questions; on a screen with two, the first; fewer than three leave the
// missing ones unanswered.
TEST(PageKeyTable, LogonQuestions) {
    ptttest::Rig rig;
    const QStringList q = rig.keys.logonReplyQuestions();
    ASSERT_EQ(q.size(), 3);
    EXPECT_EQ(rig.keys.logonReplyQuestionOn(QStringLiteral("注意: 您想刪除其他重複登入的連線嗎？[Y/n]")), 0);
    EXPECT_EQ(rig.keys.logonReplyQuestionOn(QStringLiteral("您要刪除以上錯誤嘗試的記錄嗎? [Y/n]")), 1);
    EXPECT_EQ(rig.keys.logonReplyQuestionOn(q[1] + q[0]), 0);
    EXPECT_EQ(rig.keys.logonReplyQuestionOn(QStringLiteral("【主功能表】")), -1);
    PageKeyTable table;
    table.setValue(PageKeyTable::LogonReply, QStringLiteral("Q0--other"));
    EXPECT_EQ(table.logonReplyQuestions(), (QStringList{"Q0", "", ""}));
    EXPECT_EQ(table.logonReplyQuestionOn(QStringLiteral("anything else")), -1);
}

}  // namespace
