#pragma once
#include "app/IniFile.h"
#include "app/LanguageTexts.h"
#include "app/Preferences.h"
#include "app/Settings.h"
#include "app/UserInteraction.h"
#include "ptt/LogonAnswers.h"
#include "ptt/NavigationKeys.h"
#include "ptt/PageKeyTable.h"
#include "ptt/PttTextComponent.h"
#include "ptt/ZEKAddressPoolCls.h"

#include <cstdint>
#include <memory>

// The process-wide state that start-up builds and everything else reads: one of these
// lives for the whole run and is handed by reference to the main window and the dialogs.
// The member order is the order start-up fills it in.
struct AppContext {
    // Cleared when the page key table is unusable: the program then quits without
    // showing a window and without writing App.ini.
    bool startupSucceeded = true;
    // Set when the main window unloads; the version dialog stays hidden from then on.
    bool closing = false;
    int16_t lastRowIndex = 23;
    int16_t lastColumnIndex = 79;
    // 1: no version dialog to show.
    int32_t versionCheckState = 1;

    IniFile languageFile;   // languages.ini
    IniFile settingsFile;   // App.ini
    Settings settings;
    Preferences preferences;  // Preferences.ini beside App.ini
    LanguageTexts texts{&languageFile};

    PageKeyTable pageKeys;
    NavigationKeys navigationKeys;

    // Written by the login dialog, read by the automatic navigation.
    LogonAnswers logonAnswers;

    // Released at shutdown; users check them for null.
    std::unique_ptr<PttTextComponent> pttText;
    std::unique_ptr<ZEKAddressPoolCls> addressPool;

    // --no-start-page was given: no start page, and no web engine until a web tab opens.
    bool noStartPageArgument = false;

    // Message boxes, questions and URL opening; never null once start-up has begun.
    UserInteraction* ui = nullptr;

    AppContext() = default;
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;
};
