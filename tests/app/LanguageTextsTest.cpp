#include "app/IniFile.h"
#include "app/LanguageTexts.h"

#include <gtest/gtest.h>

// Texts come from [Language Setting] by mode: a missing text is its key, an empty one stays empty.
TEST(LanguageTexts, LookupByModeWithTheKeyAsFallback) {
    IniFile ini;
    ini.parse("[Language Setting]\nTW/Menu_Exit=結束\nEN/Menu_Exit=Exit\nTW/Empty=\n[Other]\nTW/Menu_Edit=x\n");
    LanguageTexts texts(&ini);
    EXPECT_EQ(texts.text("Menu_Exit") + '|' + texts.text("Empty") + '|' + texts.text("Menu_Edit"), "結束||Menu_Edit");
    texts.setMode("EN");
    EXPECT_EQ(texts.text("Menu_Exit") + '|' + texts.text("Empty"), "Exit|Empty");
    EXPECT_EQ(LanguageTexts().text("Menu_Exit"), "Menu_Exit");
}
