#include "PttTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ptttest::RecordingUi;

struct MatchCase {
    const char* value;  // INI value, split at "--"
    const char* text;
    bool expected;
};

// A, B and C stand for any key texts.
const MatchCase kMatchCases[] = {
    {"A--B", "xxAxxBxx", true},
    {"A--B", "xxBxxAxx", false},      // plain items keep their order
    {"A|B--C", "xxCxxBxx", true},     // alternatives are order-free
    {"C--A|B", "xxBxxCxx", true},     // ... and do not move the search position
    {"A|B", "xxxx", false},
    {"AB--B", "xABx", true},          // the next item may start inside the previous one
    {"AB--A", "xABx", false},         // but not at or before its start
    {"A--", "xxA", false},            // empty item after the last character: beyond the text
    {"A--", "xAx", true},             // empty item inside the text is always found
    {"A--A", "xAx", false},
    {"A--A", "xAAx", true},
    {"【主功能表】", "【主功能表】  批踢踢實業坊", true},
    {"作者--看板|站內", " 作者  tester (tester)   站內  Test", true},
    {"作者--看板|站內", " 看板  Test 作者  x", true},
    {"A", "", false},
};

TEST(PageKeyTable, KeyListMatch) {
    for (const MatchCase& c : kMatchCases) {
        const QStringList list = QString::fromUtf8(c.value).split(QStringLiteral("--"));
        EXPECT_EQ(PageKeyTable::match(QString::fromUtf8(c.text), list), c.expected)
            << c.value << " in \"" << c.text << "\"";
    }
    EXPECT_TRUE(PageKeyTable::match(QStringLiteral("anything"), QStringList()));
    EXPECT_TRUE(PageKeyTable::match(QString(), QStringList()));
}

IniFile languagesWith(int presentCount) {
    IniFile ini;
    QString text = QStringLiteral("[Language Setting]\nTW/App_Title=Zek \nTW/Note=N\n"
                                  "TW/ERROR_INVALID_KEYS_FOR_LOGON_STOP=stop keys missing\n[KeysofPage]\n");
    for (int i = 0; i < presentCount; ++i)
        text += QString::fromLatin1(PageKeyTable::iniKey(PageKeyTable::List(i))) + QStringLiteral("=k%1--x\n").arg(i);
    ini.parse(text);
    return ini;
}

TEST(PageKeyTable, LoadReadsAllFourteenListsOrStopsAtTheFirstMissingOne) {
    {
        RecordingUi ui;
        IniFile ini = languagesWith(PageKeyTable::ListCount);
        LanguageTexts texts(&ini);
        PageKeyTable table;
        EXPECT_TRUE(table.load(ini, texts, ui));
        EXPECT_TRUE(ui.messages.isEmpty());
        EXPECT_EQ(table.list(PageKeyTable::LogonStop), (QStringList{QStringLiteral("k13"), QStringLiteral("x")}));
    }
    {
        // Only the last list missing: everything else is loaded, the load still fails
        // with that list's message.
        RecordingUi ui;
        IniFile ini = languagesWith(PageKeyTable::ListCount - 1);
        LanguageTexts texts(&ini);
        PageKeyTable table;
        EXPECT_FALSE(table.load(ini, texts, ui));
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0], QStringLiteral("stop keys missing"));
        EXPECT_EQ(ui.titles[0], texts.messageTitle());
        EXPECT_EQ(table.list(PageKeyTable::LogonReply).first(), QStringLiteral("k12"));
    }
    {
        // No language file at all: the first list fails, its error name shown bare.
        RecordingUi ui;
        IniFile ini;
        LanguageTexts texts(&ini);
        PageKeyTable table;
        EXPECT_FALSE(table.load(ini, texts, ui));
        EXPECT_EQ(ui.messages, QStringList{QStringLiteral("ERROR_INVALID_KEYS_FOR_MAIN_MENU")});
    }
}

TEST(PageKeyTable, ShippedLanguageFileHasEveryListAndThreeLogonQuestions) {
    ptttest::Rig rig;
    ASSERT_TRUE(rig.keysLoaded) << rig.ui.messages.join(QLatin1Char('\n')).toStdString();
    const QStringList q = rig.keys.logonReplyQuestions();
    ASSERT_EQ(q.size(), 3);
    for (const QString& question : q) EXPECT_FALSE(question.isEmpty());
    EXPECT_EQ(rig.keys.logonReplyQuestionOn(QStringLiteral("注意: 您想刪除其他重複登入的連線嗎？[Y/n]")), 0);
    EXPECT_EQ(rig.keys.logonReplyQuestionOn(QStringLiteral("您要刪除以上錯誤嘗試的記錄嗎? [Y/n]")), 1);
    // Both on one screen: only the first question is answered.
    EXPECT_EQ(rig.keys.logonReplyQuestionOn(q[1] + q[0]), 0);
    EXPECT_EQ(rig.keys.logonReplyQuestionOn(QStringLiteral("【主功能表】")), -1);
}

TEST(PageKeyTable, FewerThanThreeLogonQuestionsLeaveTheMissingOnesUnanswered) {
    PageKeyTable table;
    table.setValue(PageKeyTable::LogonReply, QStringLiteral("Q0--other"));
    EXPECT_EQ(table.logonReplyQuestions(), (QStringList{QStringLiteral("Q0"), QString(), QString()}));
    EXPECT_EQ(table.logonReplyQuestionOn(QStringLiteral("xxQ0")), 0);
    EXPECT_EQ(table.logonReplyQuestionOn(QStringLiteral("anything else")), -1);
    EXPECT_EQ(PageKeyTable().logonReplyQuestionOn(QStringLiteral("x")), -1);
}

}  // namespace
