#include "app/MainModule.h"
#include "app/SingleInstanceLock.h"
#include "RecordingUserInteraction.h"
#include "StartupFolder.h"
#include "ui/AppDialogs.h"
#include "ui/frmLogin.h"
#include "ui/MainForm.h"
#include "ui/MainMenus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>

#include <sys/stat.h>

namespace {

QString twText(const char* key) {
    IniFile ini;
    ini.parse(QString::fromUtf8(StartupFolder::shipped()));
    return ini.getValue(QStringLiteral("Language Setting"), QStringLiteral("TW/") + QLatin1String(key), QString());
}

QByteArray defaultsFile() {
    IniFile ini;
    Settings().write(ini);
    return ini.serialize().toUtf8();
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { qunsetenv("ZEK_WEB_ROOT"); }
    StartupFolder folder;
    RecordingUserInteraction ui;
};

}  // namespace

TEST_F(StartupTest, WithoutAppIniTheWindowOpensMaximisedAndExitWritesTheDefaults) {
    folder.write(QStringLiteral("languages.ini"), StartupFolder::languagesWithKeys());
    MainModule module(&ui);
    ASSERT_EQ(module.start(), MainModule::Outcome::Running);
    MainForm* form = module.mainForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form->windowTitle(), twText("App_Title"));
    EXPECT_EQ(form->menus().mnuConnectExit->text(), twText("Menu_Exit"));
    EXPECT_TRUE(ui.messages.empty());
    // Nothing is written while running.
    EXPECT_FALSE(folder.exists(QStringLiteral("App.ini")));
    AppContext& c = module.context();
    ASSERT_NE(c.pttText, nullptr);
    ASSERT_NE(form->dialogs(), nullptr);
    EXPECT_FALSE(form->dialogs()->login()->isVisible());

    int unloading = 0;
    QObject::connect(form, &MainForm::Unloading, [&] { ++unloading; });
    EXPECT_TRUE(form->close());
    EXPECT_EQ(unloading, 1);
    EXPECT_TRUE(c.closing);
    EXPECT_EQ(folder.read(QStringLiteral("App.ini")), defaultsFile());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(folder.appIni()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // Shared objects and dialogs are released at unload.
    EXPECT_EQ(c.pttText, nullptr);
    EXPECT_EQ(c.addressPool, nullptr);
    EXPECT_EQ(form->dialogs()->login(), nullptr);
    EXPECT_EQ(form->dialogs()->zekLink(), nullptr);
}

TEST_F(StartupTest, SettingsAreWrittenExactlyOnceAtUnload) {
    folder.write(QStringLiteral("languages.ini"), StartupFolder::languagesWithKeys());
    folder.write(QStringLiteral("App.ini"), "[SysConfig]\nlast_bbs=before\nswitch_of_ctrl_c=1\n");
    MainModule module(&ui);
    ASSERT_EQ(module.start(), MainModule::Outcome::Running);
    EXPECT_TRUE(module.mainForm()->menus().mnuOptionSetCtrlC->isChecked());
    EXPECT_FALSE(module.mainForm()->menus().mnuOptionSetCtrlV->isChecked());

    // Changes while running stay in memory; a hand edit of the file meanwhile is lost.
    module.context().settings.last_bbs = QStringLiteral("bbs.example.org");
    module.context().settings.ptt_account = QString::fromUtf8("中文帳號");
    folder.write(QStringLiteral("App.ini"), "edited by hand\n");
    module.mainForm()->close();
    const QByteArray written = folder.read(QStringLiteral("App.ini"));
    EXPECT_TRUE(written.contains("last_bbs=bbs.example.org\n"));
    EXPECT_TRUE(written.contains("switch_of_ctrl_c=1\n"));
    EXPECT_TRUE(written.contains("ptt_account=%E4%B8%AD%E6%96%87%E5%B8%B3%E8%99%9F\n"));

    // A second close or unload (exit menu after the close box, a late signal) writes nothing.
    folder.write(QStringLiteral("App.ini"), "after exit\n");
    module.mainForm()->close();
    module.mainForm()->unload();
    EXPECT_EQ(folder.read(QStringLiteral("App.ini")), QByteArray("after exit\n"));
}

TEST_F(StartupTest, ExitMenuItemUnloadsLikeTheCloseBox) {
    folder.write(QStringLiteral("languages.ini"), StartupFolder::languagesWithKeys());
    MainModule module(&ui);
    ASSERT_EQ(module.start(), MainModule::Outcome::Running);
    module.mainForm()->menus().mnuConnectExit->trigger();
    EXPECT_TRUE(module.mainForm()->isUnloaded());
    EXPECT_FALSE(module.mainForm()->isVisible());
    EXPECT_TRUE(folder.exists(QStringLiteral("App.ini")));
}

TEST_F(StartupTest, WithoutLanguagesIniTheBareKeyNameIsShownAndNothingIsWritten) {
    MainModule module(&ui);
    EXPECT_EQ(module.start(), MainModule::Outcome::Quit);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("ERROR_INVALID_KEYS_FOR_MAIN_MENU"));
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("App_TitleNote"));
    EXPECT_EQ(module.mainForm(), nullptr);
    EXPECT_FALSE(module.context().startupSucceeded);
    EXPECT_TRUE(module.context().closing);
    EXPECT_FALSE(folder.exists(QStringLiteral("App.ini")));
}

// Whichever list is missing: its message in the user's language, no window, App.ini
// as it was.
TEST_F(StartupTest, AMissingKeyListShowsItsMessageAndQuitsWithoutWriting) {
    const QByteArray oldSettings = "[SysConfig]\nlast_bbs=keep.me\nlanguage_mode=EN\n";
    for (int i = 0; i < PageKeyTable::ListCount; ++i) {
        const auto list = static_cast<PageKeyTable::List>(i);
        StartupFolder own;
        own.write(QStringLiteral("languages.ini"), StartupFolder::languagesWithKeys(list));
        own.write(QStringLiteral("App.ini"), oldSettings);
        RecordingUserInteraction recorder;
        MainModule module(&recorder);
        EXPECT_EQ(module.start(), MainModule::Outcome::Quit) << PageKeyTable::iniKey(list);
        ASSERT_EQ(recorder.messages.size(), 1u) << PageKeyTable::iniKey(list);
        LanguageTexts en(&module.context().languageFile, QStringLiteral("EN"));
        const QString expected = en.text(QString::fromLatin1(PageKeyTable::errorName(list)));
        EXPECT_NE(expected, QString::fromLatin1(PageKeyTable::errorName(list))) << "no EN text shipped";
        EXPECT_EQ(recorder.messages[0].text, expected) << PageKeyTable::iniKey(list);
        EXPECT_EQ(recorder.messages[0].title, en.messageTitle());
        EXPECT_EQ(module.mainForm(), nullptr);
        EXPECT_EQ(own.read(QStringLiteral("App.ini")), oldSettings) << PageKeyTable::iniKey(list);
        const QWidgetList windows = QApplication::topLevelWidgets();
        EXPECT_TRUE(std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); }));
    }
}

TEST_F(StartupTest, ASecondCopyEndsSilentlyAndLeavesAppIniAlone) {
    folder.write(QStringLiteral("languages.ini"), StartupFolder::languagesWithKeys());
    folder.write(QStringLiteral("App.ini"), "[SysConfig]\nlast_bbs=first\n");
    auto first = std::make_unique<MainModule>(&ui);
    ASSERT_EQ(first->start(), MainModule::Outcome::Running);

    RecordingUserInteraction secondUi;
    {
        MainModule second(&secondUi);
        EXPECT_EQ(second.start(), MainModule::Outcome::SecondInstance);
        EXPECT_EQ(second.mainForm(), nullptr);
    }
    EXPECT_TRUE(secondUi.messages.empty());
    EXPECT_EQ(folder.read(QStringLiteral("App.ini")), QByteArray("[SysConfig]\nlast_bbs=first\n"));

    // Another settings folder is another copy: it runs beside the first.
    {
        StartupFolder other;
        other.write(QStringLiteral("languages.ini"), StartupFolder::languagesWithKeys());
        MainModule third(&secondUi);
        EXPECT_EQ(third.start(), MainModule::Outcome::Running);
        third.mainForm()->close();
        EXPECT_TRUE(other.exists(QStringLiteral("App.ini")));
    }
    qputenv("ZEK_CONFIG_DIR", QFile::encodeName(folder.path(QString())));

    // Once the first has gone (its window holds the lock), the folder is free again.
    first->mainForm()->close();
    first.reset();
    MainModule later(&ui);
    EXPECT_EQ(later.start(), MainModule::Outcome::Running);
    later.mainForm()->close();
}

TEST_F(StartupTest, LanguageModeChoosesTheCaptions) {
    folder.write(QStringLiteral("languages.ini"), StartupFolder::languagesWithKeys());
    struct Case {
        const char* mode;
        const char* exitCaption;
    };
    const Case cases[] = {{"EN", "Exit"}, {"XX", "Menu_Exit"}};
    for (const Case& c : cases) {
        folder.write(QStringLiteral("App.ini"), QByteArray("[SysConfig]\nlanguage_mode=") + c.mode + "\n");
        MainModule module(&ui);
        ASSERT_EQ(module.start(), MainModule::Outcome::Running) << c.mode;
        const MainMenus& menus = module.mainForm()->menus();
        EXPECT_EQ(menus.mnuConnectExit->text(), QString::fromLatin1(c.exitCaption)) << c.mode;
        EXPECT_EQ(menus.mnuVersion->text(), QStringLiteral("Version 0.9.13"));
        if (QByteArray(c.mode) == "XX") {
            // A mode without entries shows every key, the title included.
            EXPECT_EQ(module.mainForm()->windowTitle(), QStringLiteral("App_Title"));
            for (const auto& [name, key] : MainMenus::captionKeys()) EXPECT_EQ(menus.item(name)->text(), key);
        }
        module.mainForm()->close();
        EXPECT_TRUE(folder.read(QStringLiteral("App.ini")).contains(QByteArray("language_mode=") + c.mode + "\n"));
    }
}

TEST_F(StartupTest, TheShippedLanguagesFileStartsTheProgram) {
    folder.write(QStringLiteral("languages.ini"), StartupFolder::shipped());
    MainModule module(&ui);
    EXPECT_EQ(module.start(), MainModule::Outcome::Running);
    EXPECT_TRUE(ui.messages.empty());
    if (module.mainForm() != nullptr) module.mainForm()->close();
}

TEST_F(StartupTest, ASettingsFileThatCannotBeSavedIsReported) {
    folder.write(QStringLiteral("languages.ini"), StartupFolder::languagesWithKeys());
    MainModule module(&ui);
    ASSERT_EQ(module.start(), MainModule::Outcome::Running);
    const QString unreachable = folder.path(QStringLiteral("gone/App.ini"));
    module.context().settingsFile.setPath(unreachable);
    module.mainForm()->close();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith(twText("Error_Fail_To_Save_Settings")));
    EXPECT_TRUE(ui.messages[0].text.endsWith(unreachable));
    EXPECT_EQ(ui.messages[0].title, module.context().texts.messageTitle());
}
