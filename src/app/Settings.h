#pragma once
#include <QString>
#include <cstdint>

class IniFile;

// The user's settings from App.ini, read once at start-up and written once at exit.
class Settings {
public:
    Settings();  // every value at its default

    QString language_mode;
    QString prefix_of_zek_long_url;
    QString prefix_of_zek_short_url;
    QString last_bbs;
    int16_t last_bbs_port = 23;
    int16_t switch_of_auto_login = 0;
    QString ptt_account;
    QString ptt_password;
    int16_t switch_of_deleting_password_log = 0;
    int16_t switch_of_deleting_other_links = 0;
    bool switch_of_ctrl_c = false;
    bool switch_of_ctrl_v = false;
    bool switch_of_auto_resize_bbs = false;
    int32_t bbs_font_size = 9;
    QString url_for_checking_new_version;
    QString url_for_long_url;
    QString url_for_short_url;

    void read(const IniFile& file);
    // Clears the file, prepares its layout and sets every value; the caller saves.
    void write(IniFile& file) const;
    // The "reset configuration" command's values.
    void reset();

    static QString percentEncode(const QString& text);
    static QString percentDecode(const QString& value);
};
