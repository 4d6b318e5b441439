#pragma once
// The embedded browser of the main window: a QWebEngineView whose page reports every
// navigation before it happens. When a page cannot be loaded (no network, a server that
// is down) it shows a small page of ours instead of the engine's error page.
// It lives in the web view module (WebViewEntry.cpp makes it); the program sees WebPane.
#include "ui/WebPane.h"

#include <QVariant>

class QWebEngineView;
class ZekWebPage;

class ZekWebView : public WebPane {
    Q_OBJECT
    // Read by tests and tools, which reach the view through the module loader only.
    Q_PROPERTY(bool showingFallback READ showingFallback)
public:
    explicit ZekWebView(QWidget* parent = nullptr);

    void navigate(const QString& url) override;
    QString currentUrl() const override;

    QWebEngineView* view() const { return view_; }
    bool showingFallback() const { return showingFallback_; }

    // The page shown when `url` could not be loaded.
    static QString fallbackHtml(const QString& url);
    // Runs script in the page; javaScriptResult() brings its value.
    Q_INVOKABLE void runJavaScript(const QString& script);

signals:
    void javaScriptResult(const QVariant& value);

protected:
    void navigationCancelled() override { cancelled_ = true; }

private:
    void onLoadFinished(bool ok);

    QWebEngineView* view_;
    ZekWebPage* page_;
    QString requested_;
    bool showingFallback_ = false;
    bool cancelled_ = false;  // the last navigation was refused: no fallback for it
};
