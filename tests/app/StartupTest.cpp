// Start-up and shutdown: MainModule in process with a recording message interface, and the
// built zek program as a child process, as a session manager or a second launch meets it.
#include "RecordingUi.h"
#include "StartupFolder.h"
#include "app/MainModule.h"
#include "ui/AppDialogs.h"
#include "ui/frmLogin.h"
#include "ui/MainForm.h"
#include "ui/MainMenus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <sys/stat.h>

namespace {

QString shippedText(const QString& key) {
    IniFile ini;
    ini.parse(QString::fromUtf8(StartupFolder::shipped()));
    return ini.getValue("Language Setting", key, "<missing>");
}

// App.ini after a first start: the defaults, except that the screen fits the window.
QByteArray firstStartDefaults() {
    Settings fresh;
    fresh.switch_of_auto_resize_bbs = true;
    IniFile ini;
    fresh.write(ini);
    return ini.serialize().toUtf8();
}

bool endedWithZero(QProcess& process) {
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace

// The shipped languages.ini and no App.ini: a maximised window in Chinese and nothing written
// until the close box, which writes the defaults for the owner only and releases what start-up made.
TEST(Startup, WithoutAppIniTheWindowOpensMaximisedAndClosingWritesTheDefaults) {
    StartupFolder folder;
    RecordingUi ui;
    folder.write("languages.ini", StartupFolder::shipped());
    MainModule module(&ui);
    ASSERT_EQ(module.start(), MainModule::Outcome::Running);
    MainForm* form = module.mainForm();
    EXPECT_TRUE(form->isVisible() && (form->windowState() & Qt::WindowMaximized));
    EXPECT_EQ(form->windowTitle(), shippedText("TW/App_Title"));
    EXPECT_EQ(form->menus().mnuConnectExit->text(), MainMenus::withMnemonic(shippedText("TW/Menu_Exit"), QLatin1Char('X')));
    for (const auto& [name, key] : MainMenus::captionKeys()) EXPECT_NE(form->menus().item(name)->text(), key);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(folder.exists("App.ini"));

    EXPECT_TRUE(form->close());
    EXPECT_EQ(folder.read("App.ini"), firstStartDefaults());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(folder.path("App.ini")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    const AppContext& c = module.context();
    EXPECT_TRUE(c.closing && c.pttText == nullptr && c.addressPool == nullptr);
    EXPECT_TRUE(form->dialogs()->login() == nullptr && form->dialogs()->zekLink() == nullptr);
}

// App.ini is read once at start-up and written once, at unload by the exit menu: a hand edit
// meanwhile is lost, and a later close or unload (close box after exit, a late signal) writes nothing.
TEST(Startup, SettingsAreWrittenExactlyOnceAtUnload) {
    StartupFolder folder;
    RecordingUi ui;
    folder.write("languages.ini", StartupFolder::languagesWithKeys());
    folder.write("App.ini", "[SysConfig]\nlast_bbs=before\nswitch_of_ctrl_c=1\nlanguage_mode=EN\n");
    MainModule module(&ui);
    ASSERT_EQ(module.start(), MainModule::Outcome::Running);
    MainForm* form = module.mainForm();
    EXPECT_TRUE(form->menus().mnuOptionSetCtrlC->isChecked());
    EXPECT_FALSE(form->menus().mnuOptionSetCtrlV->isChecked());
    EXPECT_EQ(form->menus().mnuConnectExit->text(), MainMenus::withMnemonic(shippedText("EN/Menu_Exit"), QLatin1Char('X')));
    module.context().settings.last_bbs = "bbs.example.org";
    module.context().settings.ptt_account = "中文帳號";
    folder.write("App.ini", "edited by hand\n");
    form->menus().mnuConnectExit->trigger();
    EXPECT_TRUE(form->isUnloaded() && !form->isVisible());
    const QByteArray written = folder.read("App.ini");
    for (const char* line : {"last_bbs=bbs.example.org\n", "switch_of_ctrl_c=1\n", "language_mode=EN\n",
                             "ptt_account=%E4%B8%AD%E6%96%87%E5%B8%B3%E8%99%9F\n"})
        EXPECT_TRUE(written.contains(line)) << line;

    folder.write("App.ini", "after exit\n");
    form->close();
    form->unload();
    EXPECT_EQ(folder.read("App.ini"), "after exit\n");
}

// A missing key list shows its message in the user's language. Without a usable languages.ini
// there is no text to look up: a built-in message (by the system locale) names the file and the
// folder. Either way: one message, no window, App.ini as it was.
TEST(Startup, UnusableKeyListsShowOneMessageAndQuitWithoutWriting) {
    const QByteArray oldSettings = "[SysConfig]\nlast_bbs=keep.me\nlanguage_mode=EN\n";
    enum Locale { English, Chinese };
    const std::tuple<QByteArray, Locale, QString, QString> cases[] = {
        {"<none>", English, "The language file languages.ini was not found in the folder %1.", "Zek"},
        {"<none>", Chinese, "在資料夾 %1 中找不到語言檔 languages.ini。", "Zek"},
        {"<dir>", English, "The language file languages.ini in the folder %1 could not be read.", "Zek"},
        {QByteArray(IniFile::kMaxFileSize + 1, '#'), English, "is larger than 1 MiB", "Zek"},
        {"not a language file", Chinese, "資料夾 %1 中的 languages.ini 不是語言檔。", "Zek"},
        {StartupFolder::languagesWithKeys(PageKeyTable::LogonStop), English,
         shippedText("EN/ERROR_INVALID_KEYS_FOR_LOGON_STOP"), shippedText("EN/App_Title") + shippedText("EN/Note")},
    };
    for (const auto& [languages, locale, text, title] : cases) {
        StartupFolder own;
        if (languages == "<dir>") QDir().mkpath(own.path("languages.ini"));
        else if (languages != "<none>") own.write("languages.ini", languages);
        own.write("App.ini", oldSettings);
        QLocale::setDefault(locale == Chinese ? QLocale(QLocale::Chinese, QLocale::Taiwan) : QLocale(QLocale::English));
        RecordingUi recorder;
        MainModule module(&recorder);
        EXPECT_EQ(module.start(), MainModule::Outcome::Quit);
        QLocale::setDefault(QLocale::system());
        ASSERT_EQ(recorder.messages.size(), 1) << recorder.messages.join('|').toStdString();
        EXPECT_TRUE(recorder.messages[0].contains(text.arg(QDir::toNativeSeparators(own.path()))))
            << recorder.messages[0].toStdString();
        EXPECT_EQ(recorder.titles, QStringList{title});
        EXPECT_EQ(module.mainForm(), nullptr);
        EXPECT_EQ(own.read("App.ini"), oldSettings);
        const QWidgetList windows = QApplication::topLevelWidgets();
        EXPECT_TRUE(std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); }));
    }
}

// An App.ini that was there but could not be used is named in a message at start-up; the
// defaults are in force, and closing keeps the old file as App.ini.bad beside the new one.
TEST(Startup, AnUnusableSettingsFileIsReportedAndKeptAside) {
    const std::pair<QByteArray, const char*> cases[] = {
        {"\x01\x02 binary \x03", "EN/Error_Settings_File_Not_INI"},
        {"[SysConfig]\nlast_bbs=" + QByteArray(IniFile::kMaxFileSize, 'x') + "\n", "EN/Error_Settings_File_Too_Large"},
    };
    for (const auto& [content, key] : cases) {
        StartupFolder folder;
        RecordingUi ui;
        folder.write("languages.ini", StartupFolder::languagesWithKeys());
        folder.write("App.ini", content);
        MainModule module(&ui);
        // The language mode is not known (the settings were not read): the default mode speaks.
        ASSERT_EQ(module.start(), MainModule::Outcome::Running);
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0], shippedText(QString(key).replace("EN/", "TW/")) + ' ' + folder.path("App.ini.bad"));
        EXPECT_EQ(module.context().settings.last_bbs, "");
        module.mainForm()->close();
        EXPECT_EQ(folder.read("App.ini.bad"), content);
        EXPECT_TRUE(folder.read("App.ini").startsWith("[SysConfig]\n"));  // a new file beside it
    }
}

TEST(Startup, ASettingsFileThatCannotBeSavedIsReported) {
    StartupFolder folder;
    RecordingUi ui;
    folder.write("languages.ini", StartupFolder::shipped());
    MainModule module(&ui);
    ASSERT_EQ(module.start(), MainModule::Outcome::Running);
    const QString unreachable = folder.path("gone/App.ini");
    module.context().settingsFile.setPath(unreachable);
    module.mainForm()->close();
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0], shippedText("TW/Error_Fail_To_Save_Settings") + ' ' + unreachable);
    EXPECT_EQ(ui.titles, QStringList{module.context().texts.messageTitle()});
}

// A logout (SIGTERM, or SIGHUP from a closed terminal) or Ctrl+C closes the window as its
// close box does: the settings are written and the program ends normally. A second launch
// meanwhile ends at once without a word and writes nothing.
TEST(ZekProcess, TerminationSignalsCloseTheWindowAndKeepTheSettings) {
    // Zek keeps ignoring what its starter ignored; a test run started in the background
    // ignores SIGINT, so give the child the ordinary dispositions.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
    qputenv("ZEK_MESSAGES", "stderr");
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        StartupFolder folder;  // the child inherits ZEK_CONFIG_DIR
        folder.write("languages.ini", StartupFolder::languagesWithKeys());
        QProcess zek, second;
        zek.start(ZEK_EXECUTABLE, {});
        // The lock appears once the main window has loaded, so the program is past start-up.
        QDeadlineTimer deadline(60000);
        while (!folder.exists(".zek-instance.lock") && !deadline.hasExpired()) QThread::msleep(50);
        ASSERT_TRUE(folder.exists(".zek-instance.lock")) << zek.readAllStandardError().constData();
        if (number == SIGTERM) {
            second.start(ZEK_EXECUTABLE, {});
            EXPECT_TRUE(endedWithZero(second));
            EXPECT_FALSE(second.readAllStandardError().contains("zek message"));
        }
        EXPECT_FALSE(folder.exists("App.ini"));  // the first still runs
        ::kill(pid_t(zek.processId()), number);
        EXPECT_TRUE(endedWithZero(zek)) << "signal " << number;
        EXPECT_EQ(folder.read("App.ini"), firstStartDefaults()) << "signal " << number;
        EXPECT_FALSE(folder.exists(".zek-instance.lock"));
    }
}
