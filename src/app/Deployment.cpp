#include "app/Deployment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace deployment {
namespace {

QString envOr(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name).trimmed();
    return value.isEmpty() ? fallback : value;
}

QString executableDir() {
    // Without an application object (plain tests) the working folder stands in.
    if (QCoreApplication::instance() == nullptr) return QDir::currentPath();
    return QCoreApplication::applicationDirPath();
}

bool isWritableDir(const QString& dir) {
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

}  // namespace

QString pttHost() { return envOr("ZEK_PTT_HOST", QStringLiteral("ptt.cc")); }

// ".ptt.cc" or "ptt.cc." name the same domain; written either way it must match the same
// hosts, and a domain of dots alone falls back to the default rather than matching "".
QString pttDomain() {
    QString domain = envOr("ZEK_PTT_DOMAIN", QStringLiteral("ptt.cc")).toLower();
    while (domain.startsWith(QLatin1Char('.'))) domain.remove(0, 1);
    while (domain.endsWith(QLatin1Char('.'))) domain.chop(1);
    return domain.isEmpty() ? QStringLiteral("ptt.cc") : domain;
}

// Web pages hand the domain over with a capital, as it is usually written in prose.
QString pttDomainAlt() { return envOr("ZEK_PTT_DOMAIN_ALT", QStringLiteral("PTT.cc")); }

QString webRoot() {
    QString root = envOr("ZEK_WEB_ROOT", QStringLiteral("http://zek.tw/"));
    if (!root.endsWith(QLatin1Char('/'))) root += QLatin1Char('/');
    return root;
}

QString page(const QString& path) {
    QString relative = path;
    while (relative.startsWith(QLatin1Char('/'))) relative.remove(0, 1);
    return webRoot() + relative;
}

QString serviceUrl(const char* settingName) {
    const QByteArray name = "ZEK_" + QByteArray(settingName).toUpper();
    return envOr(name.constData(), QString());
}

// A program installed by the system's package tools lives under /usr or /opt; root can
// write there, but settings written beside it would be one user's data in a shared,
// package-owned folder (and lost or clobbered by the next upgrade).
bool isInstalledProgramDir(const QString& dir) {
    const QString clean = QDir::cleanPath(dir);
    for (const char* prefix : {"/usr", "/opt"}) {
        const QString p = QString::fromLatin1(prefix);
        if (clean == p || clean.startsWith(p + QLatin1Char('/'))) return true;
    }
    return false;
}

QString configDir() {
    const QString forced = qEnvironmentVariable("ZEK_CONFIG_DIR");
    if (!forced.isEmpty()) return QDir::cleanPath(forced);
    const QString exeDir = executableDir();
    if (isWritableDir(exeDir) && !isInstalledProgramDir(exeDir)) return exeDir;
    // Installed or read-only: keep the user's settings in their own folder.
    QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (userDir.isEmpty()) userDir = QDir::homePath() + QStringLiteral("/.config/zek");
    QDir().mkpath(userDir);
    return userDir;
}

QString settingsFile() { return configDir() + QStringLiteral("/App.ini"); }

QString preferencesFile() { return configDir() + QStringLiteral("/Preferences.ini"); }

QString languagesFile() {
    const QString forced = qEnvironmentVariable("ZEK_CONFIG_DIR");
    const QString dir = forced.isEmpty() ? executableDir() : QDir::cleanPath(forced);
    return dir + QStringLiteral("/languages.ini");
}

}  // namespace deployment
