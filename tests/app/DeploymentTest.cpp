#include "app/Deployment.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

// Built-in addresses, each replaced by its environment variable; a blank one counts as unset.
TEST(Deployment, DefaultsAndOverrides) {
    const char* names[] = {"ZEK_PTT_HOST", "ZEK_PTT_DOMAIN", "ZEK_PTT_DOMAIN_ALT", "ZEK_WEB_ROOT"};
    for (const char* name : names) qunsetenv(name);
    EXPECT_EQ(deployment::pttHost() + '|' + deployment::pttDomain() + '|' + deployment::pttDomainAlt(),
              "ptt.cc|ptt.cc|PTT.cc");
    EXPECT_EQ(deployment::page("/home.html") + '|' + deployment::page("search.php"),
              "http://zek.tw/home.html|http://zek.tw/search.php");
    qputenv("ZEK_PTT_DOMAIN_ALT", "LOCALHOST");
    qputenv("ZEK_WEB_ROOT", "http://127.0.0.1:8080");  // the missing "/" is added
    qputenv("ZEK_PTT_HOST", "   ");
    EXPECT_EQ(deployment::pttDomainAlt(), "LOCALHOST");
    EXPECT_EQ(deployment::page("/terms.html"), "http://127.0.0.1:8080/terms.html");
    EXPECT_EQ(Settings().prefix_of_zek_short_url, "http://127.0.0.1:8080/?x=");
    EXPECT_EQ(deployment::pttHost(), "ptt.cc");
    // The PTT domain is matched by suffix: its case and dots at either end must not matter.
    for (const char* domain : {" .PTT.cc. ", "ptt.cc", "...", "Ptt.CC"}) {
        qputenv("ZEK_PTT_DOMAIN", domain);
        EXPECT_EQ(deployment::pttDomain(), "ptt.cc") << domain;
    }
    for (const char* name : names) qunsetenv(name);
}

// Settings never go into a package's folder, even when root could write there.
TEST(Deployment, InstalledProgramFoldersAreNotSettingsFolders) {
    for (const char* dir : {"/usr/bin", "/usr/lib/zek", "/usr", "/opt/zek/bin", "/usr/local/bin/../lib"})
        EXPECT_TRUE(deployment::isInstalledProgramDir(QString::fromLatin1(dir))) << dir;
    for (const char* dir : {"/home/u/zek/build/bin", "/usr2/zek", "/tmp/usr", "/optical"})
        EXPECT_FALSE(deployment::isInstalledProgramDir(QString::fromLatin1(dir))) << dir;
}
