#include "app/IniFile.h"
#include "app/LanguageTexts.h"

#include <gtest/gtest.h>

TEST(LanguageTexts, LookupByModeWithTheKeyAsFallback) {
    IniFile ini;
    ini.parse(QString::fromUtf8("[Language Setting]\n"
                                "TW/Menu_Exit=結束\n"
                                "EN/Menu_Exit=Exit\n"
                                "TW/Empty=\n"
                                "TW/App_Title=\"Zek \"\n"
                                "TW/Note=提示\n"
                                "[Other]\n"
                                "TW/Menu_Edit=wrong section\n"));
    LanguageTexts tw(&ini);
    EXPECT_EQ(tw.text(QStringLiteral("Menu_Exit")), QString::fromUtf8("結束"));
    EXPECT_EQ(tw.text(QStringLiteral("Empty")), QString());  // present but empty stays empty
    EXPECT_EQ(tw.text(QStringLiteral("Menu_Edit")), QStringLiteral("Menu_Edit"));
    EXPECT_EQ(tw.messageTitle(), QString::fromUtf8("Zek 提示"));

    LanguageTexts en(&ini, QStringLiteral("EN"));
    EXPECT_EQ(en.text(QStringLiteral("Menu_Exit")), QStringLiteral("Exit"));
    en.setMode(QStringLiteral("FR"));  // a mode without entries: every text is its key
    EXPECT_EQ(en.text(QStringLiteral("Menu_Exit")), QStringLiteral("Menu_Exit"));
    EXPECT_EQ(en.messageTitle(), QStringLiteral("App_TitleNote"));

    LanguageTexts none;
    EXPECT_EQ(none.text(QStringLiteral("ERROR_INVALID_KEYS_FOR_MAIN_MENU")),
              QStringLiteral("ERROR_INVALID_KEYS_FOR_MAIN_MENU"));
}
