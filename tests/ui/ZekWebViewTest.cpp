// The real web view: every navigation is reported before it happens, a refused one
// leaves the page alone, and a page that cannot load shows our own small page.
#include "ui/ZekWebView.h"

#include <gtest/gtest.h>
#include <QTcpServer>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

TEST(ZekWebView, ReportsNavigationsAndFallsBackQuietlyWhenOffline) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const QString unreachable = QStringLiteral("http://127.0.0.1:%1/home.html").arg(probe.serverPort());
    probe.close();

    ZekWebView view;
    view.resize(400, 300);
    view.show();
    std::vector<QString> seen;
    QObject::connect(&view, &WebPane::BeforeNavigate, [&](const QUrl& url, bool) { seen.push_back(url.toString()); });
    bool refuse = false;
    view.setNavigationFilter([&](const QUrl&, bool) { return !refuse; });

    view.navigate(unreachable);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.showingFallback(); }, 30000));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), unreachable);
    EXPECT_EQ(view.currentUrl(), unreachable);
    // The built-in page is what shows, not the engine's error page.
    QString html;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            view.view()->page()->toHtml([&](const QString& text) { html = text; });
            QTest::qWait(50);
            return html.contains("這個頁面目前無法載入");
        },
        10000))
        << html.toStdString();

    // A refused navigation is reported and leaves the page as it was.
    refuse = true;
    seen.clear();
    view.view()->page()->runJavaScript(QStringLiteral("location.href='http://127.0.0.1:9/?cmd=pas:x'"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !seen.empty(); }, 10000));
    EXPECT_EQ(seen.front(), "http://127.0.0.1:9/?cmd=pas:x");
    QTest::qWait(200);
    EXPECT_TRUE(view.showingFallback());
}

}  // namespace
