#include "ui/ZekWebView.h"

#include "ui/ZekWebPage.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineView>

ZekWebView::ZekWebView(QWidget* parent) : WebPane(parent) {
    // The engine dumps its GL set-up at start unless its category is off; the user's own
    // QT_LOGGING_RULES win.
    static const bool quiet = [] {
        if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
            QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext=false"));
        return true;
    }();
    (void)quiet;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QWebEngineView(this);
    page_ = new ZekWebPage(*this, view_);
    view_->setPage(page_);
    layout->addWidget(view_);
    setFocusProxy(view_);
    connect(page_, &QWebEnginePage::loadFinished, this, &ZekWebView::onLoadFinished);
}

void ZekWebView::navigate(const QString& url) {
    requested_ = url;
    showingFallback_ = false;
    cancelled_ = false;
    view_->setUrl(QUrl(url));
}

QString ZekWebView::currentUrl() const {
    // While the fallback is up, the page the user asked for is still the page.
    return showingFallback_ ? requested_ : view_->url().toString();
}

QString ZekWebView::fallbackHtml(const QString& url) {
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Zek</title>"
               "<style>body{font-family:'Noto Sans CJK TC',sans-serif;color:#333;margin:3em;}"
               "h1{font-size:1.4em;color:#2a5d9f;}p{color:#666;}</style></head><body>"
               "<h1>Zek</h1><p>%1</p><p><small>%2</small></p></body></html>")
        .arg(QStringLiteral("這個頁面目前無法載入。 This page cannot be loaded right now."),
             url.toHtmlEscaped());
}

void ZekWebView::onLoadFinished(bool ok) {
    if (!ok && cancelled_) {
        // A refused navigation (a Zek URL handed over) leaves the page as it is.
        cancelled_ = false;
        return;
    }
    if (!ok && !showingFallback_ && !requested_.isEmpty()) {
        // Once only: the fallback itself is a data URL and cannot fail to load.
        showingFallback_ = true;
        page_->setHtml(fallbackHtml(requested_));
        emit NavigateComplete(false);
        return;
    }
    if (!showingFallback_) emit NavigateComplete(ok);
}

void ZekWebView::runJavaScript(const QString& script) {
    QPointer<ZekWebView> self(this);
    page_->runJavaScript(script, [self](const QVariant& value) {
        if (self) emit self->javaScriptResult(value);
    });
}
