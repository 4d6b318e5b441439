// The real web view, made through the module loader as the main window makes it: every
// navigation is reported before it happens, a refused one leaves the page alone, and a
// page that cannot load shows our own small page.
#include "ui/WebViewModule.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QStringList warnings;
void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg) warnings << text;
}

// Runs script in the pane's page and returns its value (invalid after a time-out).
QVariant evaluate(WebPane& pane, const QString& script) {
    QSignalSpy result(&pane, SIGNAL(javaScriptResult(QVariant)));
    QMetaObject::invokeMethod(&pane, "runJavaScript", Q_ARG(QString, script));
    if (!result.wait(10000)) return {};
    return result.takeFirst().at(0);
}

}  // namespace

TEST(ZekWebView, ReportsNavigationsAndFallsBackQuietlyWhenOffline) {
    const QString unreachable = QStringLiteral("http://127.0.0.1:9/home.html");  // nothing listens there
    WebViewModule module;
    // Loaded after the application, the engine still finds the GL context it shares with.
    const QtMessageHandler previous = qInstallMessageHandler(recordWarning);
    std::unique_ptr<WebPane> view(module.create(nullptr));
    qInstallMessageHandler(previous);
    ASSERT_TRUE(module.loaded()) << module.errorString().toStdString();
    EXPECT_FALSE(warnings.join('\n').contains("AA_ShareOpenGLContexts")) << warnings.join('\n').toStdString();
    view->resize(400, 300);
    view->show();
    std::vector<QString> seen;
    QObject::connect(view.get(), &WebPane::BeforeNavigate, [&](const QUrl& url, bool) { seen.push_back(url.toString()); });
    bool refuse = false;
    view->setNavigationFilter([&](const QUrl&, bool) { return !refuse; });
    const auto showingFallback = [&] { return view->property("showingFallback").toBool(); };

    view->navigate(unreachable);
    ASSERT_TRUE(QTest::qWaitFor(showingFallback, 30000));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), unreachable);
    EXPECT_EQ(view->currentUrl(), unreachable);
    QString text;  // our page, not the engine's error page
    const auto showsOurPage = [&] {
        text = evaluate(*view, QStringLiteral("document.body ? document.body.innerText : ''")).toString();
        return text.contains("這個頁面目前無法載入");
    };
    ASSERT_TRUE(QTest::qWaitFor(showsOurPage, 10000)) << text.toStdString();

    refuse = true;
    seen.clear();
    evaluate(*view, QStringLiteral("location.href='http://127.0.0.1:9/?cmd=pas:x'"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !seen.empty(); }, 10000));
    EXPECT_EQ(seen.front(), "http://127.0.0.1:9/?cmd=pas:x");
    QTest::qWait(200);
    EXPECT_TRUE(showingFallback());
}
