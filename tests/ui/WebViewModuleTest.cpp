// The web engine is loaded with the first web page and not before: BBS sessions never
// load it, and a web view module that cannot be loaded leaves a web tab that says so
// while sessions go on working.
#include "LoopbackHost.h"
#include "MainWindowHarness.h"
#include "ui/UnavailableWebPane.h"
#include "ui/WebViewModule.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

// Libraries mapped into this process whose path contains one of names.
QStringList mapped(const QStringList& names) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return {QStringLiteral("(no /proc/self/maps)")};
    QStringList found;
    for (const QByteArray& line : maps.readAll().split('\n'))
        for (const QString& name : names)
            if (line.contains(name.toUtf8()) && !found.contains(name)) found << name;
    return found;
}

const QStringList kEngine = {QStringLiteral("libzek_webview"), QStringLiteral("libQt6WebEngine")};

}  // namespace

TEST(WebViewModule, BbsSessionsNeverLoadTheWebEngine) {
    if (!mapped(kEngine).isEmpty()) GTEST_SKIP() << "an earlier test in this process loaded the engine";
    ASSERT_TRUE(QFileInfo::exists(WebViewModule::defaultPath())) << "build zek_webview first";
    MainWindowHarness h("127.0.0.1", /*startPage=*/false);
    h.tabs().setWebFactory(WebViewModule::factory(&h.context.texts));
    LoopbackHost host("welcome\r\n");
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    ASSERT_TRUE(h.sessionConnected(1));
    ASSERT_TRUE(h.sessionConnected(2));
    h.strip().CloseItem(2);
    h.strip().CloseItem(1);  // the start page is off: still no web page
    QTest::qWait(100);
    EXPECT_EQ(mapped(kEngine), QStringList());
}

TEST(WebViewModule, AModuleThatCannotBeLoadedIsNamedInTheTabAndSessionsGoOn) {
    WebViewModule missing(QStringLiteral("/nonexistent/libzek_webview.so"));
    MainWindowHarness h("127.0.0.1", /*startPage=*/false);
    const LanguageTexts* texts = &h.context.texts;
    h.tabs().setWebFactory([&](QWidget* parent) { return missing.create(parent, texts); });
    h.tabs().openURL("page", "Web", "http://127.0.0.1:9/page.html");
    EXPECT_FALSE(missing.loaded());
    EXPECT_FALSE(missing.errorString().isEmpty());
    auto* pane = qobject_cast<UnavailableWebPane*>(h.tabs().webPage(1));
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->currentUrl(), "http://127.0.0.1:9/page.html");
    EXPECT_TRUE(pane->text().contains(h.context.texts.text(UnavailableWebPane::kMessageKey).toHtmlEscaped()));
    EXPECT_TRUE(pane->text().contains("/nonexistent/libzek_webview.so: file not found"));
    for (const char* mode : {"TW", "EN"}) {  // the language file has the text in both
        h.context.texts.setMode(mode);
        EXPECT_NE(UnavailableWebPane::message(texts), UnavailableWebPane::kMessageKey) << mode;
    }

    LoopbackHost host("welcome\r\n");
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    EXPECT_TRUE(h.sessionConnected(2));
    EXPECT_EQ(h.tabs().currentTab(), 2);
}
