#include "app/IniFile.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

const QString kSys = QStringLiteral("SysConfig");
const QString kRemote = QStringLiteral("RemoteURL");

// The web root of a test run is the built-in one, whatever the shell says.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { qunsetenv("ZEK_WEB_ROOT"); }
};

Settings readFrom(const QString& section, const QString& key, const QString& value) {
    IniFile ini;
    ini.setValue(section, key, value);
    Settings s;
    s.read(ini);
    return s;
}

}  // namespace

TEST_F(SettingsTest, GoldenFileForTheDefaults) {
    IniFile ini;
    Settings().write(ini);
    EXPECT_EQ(ini.serialize().toStdString(),
              "[SysConfig]\n"
              "language_mode=TW\n"
              "prefix_of_zek_long_url=http://zek.tw/\n"
              "prefix_of_zek_short_url=http://zek.tw/?x=\n"
              "last_bbs=\n"
              "last_bbs_port= 23\n"
              "switch_of_auto_login= 0\n"
              "ptt_account=\n"
              "ptt_password=\n"
              "switch_of_deleting_password_log= 0\n"
              "switch_of_deleting_other_links= 0\n"
              "switch_of_ctrl_c=0\n"
              "switch_of_ctrl_v=0\n"
              "switch_of_auto_resize_bbs=0\n"
              "bbs_font_size= 9\n"
              "[RemoteURL]\n"
              "url_for_checking_new_version=\n"
              "url_for_long_url=\n"
              "url_for_short_url=\n");
}

TEST_F(SettingsTest, AnEmptyFileGivesEveryDefault) {
    IniFile empty;
    Settings s;
    s.last_bbs_port = 99;  // read() must put defaults back, not keep what was there
    s.switch_of_ctrl_c = true;
    s.read(empty);
    Settings fresh;
    IniFile a, b;
    s.write(a);
    fresh.write(b);
    EXPECT_EQ(a.serialize(), b.serialize());
}

TEST_F(SettingsTest, NumbersAndSwitchesAreAcceptedOnlyByTheirRules) {
    struct Case {
        const char* key;
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"last_bbs_port", "0", 23},          {"last_bbs_port", "-5", 23},
        {"last_bbs_port", "telnet", 23},     {"last_bbs_port", " 2323 ", 2323},
        {"last_bbs_port", "0.5", 23},        {"last_bbs_port", "1.5", 2},
        {"last_bbs_port", "22.5", 22},       {"last_bbs_port", "+3001", 3001},
        {"last_bbs_port", "32767", 32767},   {"last_bbs_port", "32768", 23},
        {"last_bbs_port", "70000", 23},      {"last_bbs_port", "99999999999999999999", 23},
        {"last_bbs_port", "1e3", 23},        {"last_bbs_port", "", 23},
        {"last_bbs_port", "0x17", 23},       {"last_bbs_port", "2 3", 23},
        {"bbs_font_size", "1", 9},           {"bbs_font_size", "12", 12},
        {"bbs_font_size", "1.5", 2},         {"bbs_font_size", "2.5", 2},
        {"bbs_font_size", "2147483647", 2147483647},
        {"bbs_font_size", "2147483648", 9},  {"bbs_font_size", "big", 9},
        {"switch_of_auto_login", "1", 1},    {"switch_of_auto_login", "2", 0},
        {"switch_of_auto_login", "0.6", 1},  {"switch_of_auto_login", "0.5", 0},
        {"switch_of_auto_login", "1.5", 0},  {"switch_of_auto_login", "-1", 0},
        {"switch_of_deleting_password_log", " 1", 1},
        {"switch_of_deleting_other_links", "yes", 0},
        {"switch_of_ctrl_c", "1", 1},        {"switch_of_ctrl_c", "2", 0},
        {"switch_of_ctrl_c", "True", 0},     {"switch_of_ctrl_c", "1.0", 1},
        {"switch_of_ctrl_v", "1", 1},        {"switch_of_auto_resize_bbs", "1", 1},
    };
    for (const Case& c : cases) {
        const Settings s = readFrom(kSys, QString::fromLatin1(c.key), QString::fromLatin1(c.text));
        const QString key = QString::fromLatin1(c.key);
        int got = -999;
        if (key == QStringLiteral("last_bbs_port")) got = s.last_bbs_port;
        else if (key == QStringLiteral("bbs_font_size")) got = s.bbs_font_size;
        else if (key == QStringLiteral("switch_of_auto_login")) got = s.switch_of_auto_login;
        else if (key == QStringLiteral("switch_of_deleting_password_log")) got = s.switch_of_deleting_password_log;
        else if (key == QStringLiteral("switch_of_deleting_other_links")) got = s.switch_of_deleting_other_links;
        else if (key == QStringLiteral("switch_of_ctrl_c")) got = s.switch_of_ctrl_c;
        else if (key == QStringLiteral("switch_of_ctrl_v")) got = s.switch_of_ctrl_v;
        else if (key == QStringLiteral("switch_of_auto_resize_bbs")) got = s.switch_of_auto_resize_bbs;
        EXPECT_EQ(got, c.expected) << c.key << "=\"" << c.text << "\"";
    }
}

TEST_F(SettingsTest, TextsAreKeptAsReadAndRemoteUrlsTrimmed) {
    EXPECT_EQ(readFrom(kSys, QStringLiteral("last_bbs"), QStringLiteral("bbs.example.org  ")).last_bbs,
              QStringLiteral("bbs.example.org  "));
    EXPECT_EQ(readFrom(kSys, QStringLiteral("language_mode"), QStringLiteral("EN")).language_mode, QStringLiteral("EN"));
    EXPECT_EQ(readFrom(kRemote, QStringLiteral("url_for_short_url"), QStringLiteral("  http://127.0.0.1/s \t"))
                  .url_for_short_url,
              QStringLiteral("http://127.0.0.1/s"));
    EXPECT_EQ(readFrom(kRemote, QStringLiteral("url_for_long_url"), QStringLiteral(" x ")).url_for_long_url,
              QStringLiteral("x"));
    // A key in the wrong section is not found.
    EXPECT_EQ(readFrom(kSys, QStringLiteral("url_for_long_url"), QStringLiteral("x")).url_for_long_url, QString());
}

TEST_F(SettingsTest, PercentEncodingOfAccountAndPassword) {
    EXPECT_EQ(Settings::percentEncode(QStringLiteral("abc")), QStringLiteral("%61%62%63"));
    EXPECT_EQ(Settings::percentEncode(QString()), QString());
    EXPECT_EQ(Settings::percentEncode(QString::fromUtf8("中")), QStringLiteral("%E4%B8%AD"));
    struct Case {
        const char* stored;
        QString decoded;
    };
    const Case cases[] = {
        {"", QString()},
        {"abc", QString()},                      // no "%": empty
        {"%61%62%63", QStringLiteral("abc")},
        {"%6%62", QStringLiteral(" b")},         // a short piece is a blank
        {"junk%61", QStringLiteral("a")},        // before the first "%" is ignored
        {"%61%", QStringLiteral("a ")},          // an empty last piece is a blank too
        {"%6g%61", QStringLiteral(" a")},        // not hex: a blank
        {"%+1%61", QStringLiteral(" a")},
        {"%e4%b8%ad", QString::fromUtf8("中")},  // lower-case hex reads as well
        {"%611", QStringLiteral(" ")},           // three characters: a blank
    };
    for (const Case& c : cases)
        EXPECT_EQ(Settings::percentDecode(QString::fromLatin1(c.stored)), c.decoded) << c.stored;
}

// Everything the user can change comes back the same through App.ini on disk.
TEST_F(SettingsTest, RoundTripThroughTheFileKeepsEveryValue) {
    Settings out;
    out.language_mode = QStringLiteral("EN");
    out.prefix_of_zek_long_url = QStringLiteral("http://127.0.0.1:8080/");
    out.prefix_of_zek_short_url = QStringLiteral("http://127.0.0.1:8080/?x=");
    out.last_bbs = QStringLiteral("bbs.example.org");
    out.last_bbs_port = 3004;
    out.switch_of_auto_login = 1;
    out.ptt_account = QString::fromUtf8("批踢踢帳號");
    out.ptt_password = QString::fromUtf8("p@ss %20 密碼=;#");
    out.switch_of_deleting_password_log = 1;
    out.switch_of_deleting_other_links = 1;
    out.switch_of_ctrl_c = true;
    out.switch_of_ctrl_v = true;
    out.switch_of_auto_resize_bbs = true;
    out.bbs_font_size = 14;
    out.url_for_checking_new_version = QStringLiteral("http://127.0.0.1/v");
    out.url_for_long_url = QStringLiteral("http://127.0.0.1/l");
    out.url_for_short_url = QStringLiteral("http://127.0.0.1/s");

    QTemporaryDir dir;
    IniFile file;
    file.setPath(dir.filePath(QStringLiteral("App.ini")));
    out.write(file);
    ASSERT_TRUE(file.save(true));
    IniFile again;
    again.setPath(file.path());
    ASSERT_TRUE(again.load());
    Settings in;
    in.read(again);

    IniFile a, b;
    out.write(a);
    in.write(b);
    EXPECT_EQ(a.serialize(), b.serialize());
    EXPECT_EQ(in.ptt_account, QString::fromUtf8("批踢踢帳號"));
    EXPECT_EQ(in.ptt_password, QString::fromUtf8("p@ss %20 密碼=;#"));
    // The file holds no readable trace of the account.
    EXPECT_TRUE(again.getValue(kSys, QStringLiteral("ptt_account"), QString()).startsWith(QStringLiteral("%E6")));
}

TEST_F(SettingsTest, WriteDropsKeysOfOtherNamesAndNegativeNumbersHaveNoBlank) {
    IniFile ini;
    ini.setValue(kSys, QStringLiteral("hand_made"), QStringLiteral("1"));
    ini.setValue(QStringLiteral("Other"), QStringLiteral("x"), QStringLiteral("1"));
    Settings s;
    s.last_bbs_port = -5;  // only reachable in memory; the format still holds
    s.write(ini);
    EXPECT_FALSE(ini.serialize().contains(QStringLiteral("hand_made")));
    EXPECT_FALSE(ini.serialize().contains(QStringLiteral("[Other]")));
    EXPECT_EQ(ini.getValue(kSys, QStringLiteral("last_bbs_port"), QString()), QStringLiteral("-5"));
}

TEST_F(SettingsTest, PrefixDefaultsFollowTheWebRootOverride) {
    qputenv("ZEK_WEB_ROOT", "http://127.0.0.1:8099");
    const Settings s;
    qunsetenv("ZEK_WEB_ROOT");
    EXPECT_EQ(s.prefix_of_zek_long_url, QStringLiteral("http://127.0.0.1:8099/"));
    EXPECT_EQ(s.prefix_of_zek_short_url, QStringLiteral("http://127.0.0.1:8099/?x="));
}
