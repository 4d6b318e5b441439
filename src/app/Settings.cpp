#include "app/Settings.h"

#include "app/Deployment.h"
#include "app/IniFile.h"
#include "app/NumericText.h"

#include <limits>

namespace {

const QString kSys = QStringLiteral("SysConfig");
const QString kRemote = QStringLiteral("RemoteURL");

// Write order of the file; the reader goes through the same keys in the same order.
const char* const kSysKeys[] = {
    "language_mode",        "prefix_of_zek_long_url",          "prefix_of_zek_short_url",
    "last_bbs",             "last_bbs_port",                   "switch_of_auto_login",
    "ptt_account",          "ptt_password",                    "switch_of_deleting_password_log",
    "switch_of_deleting_other_links", "switch_of_ctrl_c",      "switch_of_ctrl_v",
    "switch_of_auto_resize_bbs",      "bbs_font_size",
};
const char* const kRemoteKeys[] = {
    "url_for_checking_new_version",
    "url_for_long_url",
    "url_for_short_url",
};

QString defaultLongPrefix() { return deployment::webRoot(); }
QString defaultShortPrefix() { return deployment::webRoot() + QStringLiteral("?x="); }

// A number that rounds to exactly 1 switches on; anything else (2, -1, a word) is off.
bool switchOn(const QString& text) {
    const std::optional<int64_t> n = numeric_text::roundedInteger(text);
    return n && *n == 1;
}

// " 23" for values that are not negative, "-5" otherwise: a leading blank stands where
// the sign would be, which is how numbers are written throughout App.ini.
QString numberText(int64_t value) {
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

}  // namespace

Settings::Settings()
    : language_mode(QStringLiteral("TW")),
      prefix_of_zek_long_url(defaultLongPrefix()),
      prefix_of_zek_short_url(defaultShortPrefix()) {}

void Settings::read(const IniFile& file) {
    auto get = [&file](const QString& section, const char* key, const QString& def) {
        return file.getValue(section, QString::fromLatin1(key), def);
    };
    const QString zero = QStringLiteral("0");

    language_mode = get(kSys, "language_mode", QStringLiteral("TW"));
    prefix_of_zek_long_url = get(kSys, "prefix_of_zek_long_url", defaultLongPrefix());
    prefix_of_zek_short_url = get(kSys, "prefix_of_zek_short_url", defaultShortPrefix());
    last_bbs = get(kSys, "last_bbs", QString());

    // Values that are present but out of range for their type count as not accepted,
    // so a port of 70000 keeps 23 rather than wrapping round.
    last_bbs_port = 23;
    if (auto port = numeric_text::roundedInteger(get(kSys, "last_bbs_port", QStringLiteral("23"))))
        if (*port > 0 && *port <= std::numeric_limits<int16_t>::max()) last_bbs_port = static_cast<int16_t>(*port);

    switch_of_auto_login = switchOn(get(kSys, "switch_of_auto_login", zero)) ? 1 : 0;
    ptt_account = percentDecode(get(kSys, "ptt_account", QString()));
    ptt_password = percentDecode(get(kSys, "ptt_password", QString()));
    switch_of_deleting_password_log = switchOn(get(kSys, "switch_of_deleting_password_log", zero)) ? 1 : 0;
    switch_of_deleting_other_links = switchOn(get(kSys, "switch_of_deleting_other_links", zero)) ? 1 : 0;
    switch_of_ctrl_c = switchOn(get(kSys, "switch_of_ctrl_c", zero));
    switch_of_ctrl_v = switchOn(get(kSys, "switch_of_ctrl_v", zero));
    switch_of_auto_resize_bbs = switchOn(get(kSys, "switch_of_auto_resize_bbs", zero));

    bbs_font_size = 9;
    if (auto size = numeric_text::roundedInteger(get(kSys, "bbs_font_size", QStringLiteral("9"))))
        if (*size > 1 && *size <= std::numeric_limits<int32_t>::max()) bbs_font_size = static_cast<int32_t>(*size);

    url_for_checking_new_version =
        get(kRemote, "url_for_checking_new_version", deployment::serviceUrl("url_for_checking_new_version")).trimmed();
    url_for_long_url = get(kRemote, "url_for_long_url", deployment::serviceUrl("url_for_long_url")).trimmed();
    url_for_short_url = get(kRemote, "url_for_short_url", deployment::serviceUrl("url_for_short_url")).trimmed();
}

void Settings::write(IniFile& file) const {
    file.clear();
    file.prepareSection(kSys);
    for (const char* key : kSysKeys) file.prepareKey(kSys, QString::fromLatin1(key));
    file.prepareSection(kRemote);
    for (const char* key : kRemoteKeys) file.prepareKey(kRemote, QString::fromLatin1(key));

    auto set = [&file](const QString& section, const char* key, const QString& value) {
        file.setValue(section, QString::fromLatin1(key), value);
    };
    auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };

    set(kSys, "language_mode", language_mode);
    set(kSys, "prefix_of_zek_long_url", prefix_of_zek_long_url);
    set(kSys, "prefix_of_zek_short_url", prefix_of_zek_short_url);
    set(kSys, "last_bbs", last_bbs);
    set(kSys, "last_bbs_port", numberText(last_bbs_port));
    set(kSys, "switch_of_auto_login", numberText(switch_of_auto_login));
    set(kSys, "ptt_account", percentEncode(ptt_account));
    set(kSys, "ptt_password", percentEncode(ptt_password));
    set(kSys, "switch_of_deleting_password_log", numberText(switch_of_deleting_password_log));
    set(kSys, "switch_of_deleting_other_links", numberText(switch_of_deleting_other_links));
    set(kSys, "switch_of_ctrl_c", flag(switch_of_ctrl_c));
    set(kSys, "switch_of_ctrl_v", flag(switch_of_ctrl_v));
    set(kSys, "switch_of_auto_resize_bbs", flag(switch_of_auto_resize_bbs));
    set(kSys, "bbs_font_size", numberText(bbs_font_size));
    set(kRemote, "url_for_checking_new_version", url_for_checking_new_version);
    set(kRemote, "url_for_long_url", url_for_long_url);
    set(kRemote, "url_for_short_url", url_for_short_url);
}

void Settings::reset() {
    switch_of_ctrl_v = true;
    switch_of_ctrl_c = true;
    switch_of_auto_resize_bbs = true;
    ptt_account.clear();
    ptt_password.clear();
    switch_of_auto_login = 0;
    switch_of_deleting_password_log = 1;
    switch_of_deleting_other_links = 1;
}

QString Settings::percentEncode(const QString& text) {
    if (text.isEmpty()) return QString();
    static const char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = text.toUtf8();
    QString out;
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += QLatin1Char('%');
        out += QLatin1Char(hex[b >> 4]);
        out += QLatin1Char(hex[b & 0x0F]);
    }
    return out;
}

QString Settings::percentDecode(const QString& value) {
    if (!value.contains(QLatin1Char('%'))) return QString();
    const QStringList pieces = value.split(QLatin1Char('%'));
    QByteArray bytes;
    bytes.reserve(pieces.size());
    // The piece before the first "%" is not part of the value.
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QString& piece = pieces[i];
        // Anything but exactly two hex digits stands for a blank: a damaged byte must not
        // shift the bytes after it.
        const int hi = piece.size() == 2 ? hexDigit(piece[0]) : -1;
        const int lo = piece.size() == 2 ? hexDigit(piece[1]) : -1;
        bytes.append(hi >= 0 && lo >= 0 ? static_cast<char>(hi * 16 + lo) : ' ');
    }
    return QString::fromUtf8(bytes);
}
