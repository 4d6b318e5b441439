#pragma once
#include <QString>

// Where this copy of Zek points: the PTT host, the product web server and the folder of
// App.ini. Each value has an environment override (see the README) so that tests and
// local trials can point everything at 127.0.0.1.
namespace deployment {

// ZEK_PTT_HOST: host that "Connect to PTT" opens.
QString pttHost();
// ZEK_PTT_DOMAIN: a BBS is PTT when its host is this domain or a name under it (exact
// or dot-suffix match, any letter case). Given lower-cased, without dots at either end.
QString pttDomain();
// ZEK_PTT_DOMAIN_ALT: the other spelling of the PTT domain seen in clipboard hand-offs.
QString pttDomainAlt();
// ZEK_WEB_ROOT: the product web server's root URL, ending in "/".
QString webRoot();
// webRoot() + path without its leading "/" (page("/home.html")).
QString page(const QString& path);
// ZEK_URL_FOR_LONG_URL, ZEK_URL_FOR_SHORT_URL, ZEK_URL_FOR_CHECKING_NEW_VERSION: the
// default addresses of the short-link and version services ("" when unset: no service).
QString serviceUrl(const char* settingName);
// ZEK_CONFIG_DIR: folder of App.ini and languages.ini (when set, both are taken from
// there and nowhere else). By default the executable's folder; where that is not
// writable, App.ini goes to the per-user config folder and languages.ini is still read
// beside the executable. A folder under /usr or /opt counts as not writable even for
// root: it belongs to the package, not to a user.
QString configDir();
bool isInstalledProgramDir(const QString& dir);
QString settingsFile();   // App.ini
QString preferencesFile();  // Preferences.ini, beside App.ini
QString languagesFile();  // languages.ini

}  // namespace deployment
