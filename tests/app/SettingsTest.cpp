#include "app/IniFile.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

// Reading an empty file puts every default back; writing drops whatever else the file held.
// Numbers keep their leading blank through the quotes.
TEST(Settings, GoldenFileForTheDefaults) {
    qunsetenv("ZEK_WEB_ROOT");
    Settings s;
    s.last_bbs_port = 99;
    s.switch_of_ctrl_c = true;
    s.read(IniFile());
    IniFile ini;
    ini.parse("[SysConfig]\nhand_made=1\n[Other]\nx=1\n");
    s.write(ini);
    EXPECT_EQ(ini.serialize().toStdString(),
              "[SysConfig]\n"
              "language_mode=TW\n"
              "prefix_of_zek_long_url=http://zek.tw/\n"
              "prefix_of_zek_short_url=http://zek.tw/?x=\n"
              "last_bbs=\n"
              "last_bbs_port=\" 23\"\n"
              "switch_of_auto_login=\" 0\"\n"
              "ptt_account=\n"
              "ptt_password=\n"
              "switch_of_deleting_password_log=\" 0\"\n"
              "switch_of_deleting_other_links=\" 0\"\n"
              "switch_of_ctrl_c=0\n"
              "switch_of_ctrl_v=0\n"
              "switch_of_auto_resize_bbs=0\n"
              "bbs_font_size=\" 9\"\n"
              "[RemoteURL]\n"
              "url_for_checking_new_version=\n"
              "url_for_long_url=\n"
              "url_for_short_url=\n");
}

// A value in App.ini -> what the next write puts back: numbers and switches only within
// their rules (else the default), texts as read, remote URLs trimmed. Keys are in
// [SysConfig] unless named "section/key".
TEST(Settings, ValuesAreAcceptedOnlyByTheirRules) {
    const std::pair<const char*, std::vector<std::pair<const char*, const char*>>> rules[] = {
        {"last_bbs_port", {{"0", " 23"}, {"-5", " 23"}, {"0.5", " 23"}, {" 2323 ", " 2323"}, {"1.5", " 2"},
                           {"22.5", " 22"}, {"32767", " 32767"}, {"32768", " 23"}, {"telnet", " 23"}}},
        {"bbs_font_size", {{"1", " 9"}, {"1.5", " 2"}, {"2.5", " 2"}, {"2147483647", " 2147483647"},
                           {"2147483648", " 9"}}},
        {"switch_of_auto_login", {{"1", " 1"}, {"2", " 0"}, {"-1", " 0"}, {"0.6", " 1"}, {"0.5", " 0"}, {"1.5", " 0"}}},
        {"switch_of_deleting_password_log", {{" 1", " 1"}}}, {"switch_of_deleting_other_links", {{"yes", " 0"}}},
        {"switch_of_ctrl_c", {{"1", "1"}, {"2", "0"}, {"True", "0"}, {"1.0", "1"}}},
        {"switch_of_ctrl_v", {{"1", "1"}}}, {"switch_of_auto_resize_bbs", {{"1", "1"}}},
        {"last_bbs", {{"bbs.example.org  ", "bbs.example.org  "}}}, {"language_mode", {{"EN", "EN"}}},
        {"RemoteURL/url_for_short_url", {{"  http://127.0.0.1/s \t", "http://127.0.0.1/s"}}},
    };
    for (const auto& [name, reads] : rules) {
        const QStringList path = QString(name).split('/');
        const QString key = path.last(), section = path.size() > 1 ? path[0] : "SysConfig";
        for (const auto& [text, written] : reads) {
            IniFile ini;
            ini.setValue(section, key, text);
            Settings s;
            s.read(ini);
            s.write(ini);
            EXPECT_EQ(ini.getValue(section, key, "<none>"), written) << name << "=\"" << text << '"';
        }
    }
}

TEST(Settings, PercentEncodingOfAccountAndPassword) {
    EXPECT_EQ(Settings::percentEncode("ab中"), "%61%62%E4%B8%AD");
    // Stored -> decoded. A short, empty or non-hex piece is a blank; before the first "%" is ignored.
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},        {"abc", ""},      {"%61%62%63", "abc"}, {"%6%62", " b"},      {"junk%61", "a"},
        {"%61%", "a "},  {"%6g%61", " a"}, {"%+1%61", " a"},     {"%e4%b8%ad", "中"},  {"%611", " "},
    };
    for (const auto& [stored, decoded] : cases) EXPECT_EQ(Settings::percentDecode(stored), decoded) << stored;
}

// Everything the user can change comes back the same through App.ini on disk.
TEST(Settings, RoundTripThroughTheFileKeepsEveryValue) {
    Settings out;
    out.language_mode = "EN", out.last_bbs = "bbs.example.org", out.last_bbs_port = 3004, out.bbs_font_size = 14;
    out.prefix_of_zek_long_url = "http://127.0.0.1:8080/", out.prefix_of_zek_short_url = "http://127.0.0.1:8080/?x=";
    out.ptt_account = "批踢踢帳號", out.ptt_password = "p@ss %20 密碼=;#";
    out.switch_of_auto_login = out.switch_of_deleting_password_log = out.switch_of_deleting_other_links = 1;
    out.switch_of_ctrl_c = out.switch_of_ctrl_v = out.switch_of_auto_resize_bbs = true;
    out.url_for_checking_new_version = "http://127.0.0.1/v", out.url_for_long_url = "http://127.0.0.1/l";
    out.url_for_short_url = "http://127.0.0.1/s";
    QTemporaryDir dir;
    IniFile file, again;
    file.setPath(dir.filePath("App.ini"));
    out.write(file);
    ASSERT_TRUE(file.save(true));
    again.setPath(file.path());
    ASSERT_TRUE(again.load());
    // The file holds no readable trace of the account.
    EXPECT_TRUE(again.getValue("SysConfig", "ptt_account", {}).startsWith("%E6"));
    Settings in;
    in.read(again);
    EXPECT_EQ(in.ptt_account, "批踢踢帳號");
    in.write(again);
    EXPECT_EQ(again.serialize(), file.serialize());
}
