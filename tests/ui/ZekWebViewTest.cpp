// The real web view: every navigation is reported before it happens, a refused one
// leaves the page alone, and a page that cannot load shows our own small page.
#include "ui/ZekWebView.h"

#include <gtest/gtest.h>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

TEST(ZekWebView, ReportsNavigationsAndFallsBackQuietlyWhenOffline) {
    const QString unreachable = QStringLiteral("http://127.0.0.1:9/home.html");  // nothing listens there
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
    QString html;  // our page, not the engine's error page
    const auto showsOurPage = [&] {
        view.view()->page()->toHtml([&](const QString& text) { html = text; });
        QTest::qWait(50);
        return html.contains("這個頁面目前無法載入");
    };
    ASSERT_TRUE(QTest::qWaitFor(showsOurPage, 10000)) << html.toStdString();

    refuse = true;
    seen.clear();
    view.view()->page()->runJavaScript(QStringLiteral("location.href='http://127.0.0.1:9/?cmd=pas:x'"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !seen.empty(); }, 10000));
    EXPECT_EQ(seen.front(), "http://127.0.0.1:9/?cmd=pas:x");
    QTest::qWait(200);
    EXPECT_TRUE(view.showingFallback());
}
