#include "app/Deployment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

// Restores one environment variable when the test ends.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {}
    ~EnvGuard() {
        if (had_) qputenv(name_, old_);
        else qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

}  // namespace

TEST(Deployment, DefaultsAndOverrides) {
    EnvGuard a("ZEK_PTT_HOST"), b("ZEK_PTT_DOMAIN"), c("ZEK_PTT_DOMAIN_ALT"), d("ZEK_WEB_ROOT");
    for (const char* name : {"ZEK_PTT_HOST", "ZEK_PTT_DOMAIN", "ZEK_PTT_DOMAIN_ALT", "ZEK_WEB_ROOT"}) qunsetenv(name);
    EXPECT_EQ(deployment::pttHost(), QStringLiteral("ptt.cc"));
    EXPECT_EQ(deployment::pttDomain(), QStringLiteral("ptt.cc"));
    EXPECT_EQ(deployment::pttDomainAlt(), QStringLiteral("PTT.cc"));
    EXPECT_EQ(deployment::webRoot(), QStringLiteral("http://zek.tw/"));
    EXPECT_EQ(deployment::page(QStringLiteral("/home.html")), QStringLiteral("http://zek.tw/home.html"));
    EXPECT_EQ(deployment::page(QStringLiteral("search.php")), QStringLiteral("http://zek.tw/search.php"));

    qputenv("ZEK_PTT_HOST", "127.0.0.1");
    qputenv("ZEK_PTT_DOMAIN", "127.0.0.1");
    qputenv("ZEK_PTT_DOMAIN_ALT", "LOCALHOST");
    qputenv("ZEK_WEB_ROOT", "http://127.0.0.1:8080");  // the missing "/" is added
    EXPECT_EQ(deployment::pttHost(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(deployment::pttDomain(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(deployment::pttDomainAlt(), QStringLiteral("LOCALHOST"));
    EXPECT_EQ(deployment::page(QStringLiteral("/terms.html")), QStringLiteral("http://127.0.0.1:8080/terms.html"));

    qputenv("ZEK_PTT_HOST", "   ");  // blank counts as unset
    EXPECT_EQ(deployment::pttHost(), QStringLiteral("ptt.cc"));
}

TEST(Deployment, ConfigFolderOverrideHoldsBothFiles) {
    EnvGuard guard("ZEK_CONFIG_DIR");
    QTemporaryDir dir;
    qputenv("ZEK_CONFIG_DIR", QFile::encodeName(dir.path() + QStringLiteral("/")));
    EXPECT_EQ(deployment::configDir(), QDir::cleanPath(dir.path()));
    EXPECT_EQ(deployment::settingsFile(), QDir::cleanPath(dir.path()) + QStringLiteral("/App.ini"));
    EXPECT_EQ(deployment::languagesFile(), QDir::cleanPath(dir.path()) + QStringLiteral("/languages.ini"));
}
