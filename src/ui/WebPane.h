#pragma once
// A web page shown by the main window: the start page WB or one element of WBArray.
// Every navigation is reported before it happens and may be cancelled by the filter.
// The real one is ZekWebView; tests give a light fake page through a factory.
#include <QUrl>
#include <QWidget>

#include <functional>

class WebPane : public QWidget {
    Q_OBJECT
public:
    // Answers true to let a navigation proceed. isMainFrame is false for sub-frames.
    using NavigationFilter = std::function<bool(const QUrl& url, bool isMainFrame)>;
    // Makes a pane; the main window owns it through the parent.
    using Factory = std::function<WebPane*(QWidget* parent)>;

    using QWidget::QWidget;

    virtual void navigate(const QString& url) = 0;
    virtual QString currentUrl() const = 0;

    void setNavigationFilter(NavigationFilter filter) { filter_ = std::move(filter); }
    // Called by the pane before each navigation: reports it and asks the filter.
    bool beforeNavigate(const QUrl& url, bool isMainFrame) {
        emit BeforeNavigate(url, isMainFrame);
        const bool proceed = !filter_ || filter_(url, isMainFrame);
        if (!proceed && isMainFrame) navigationCancelled();
        return proceed;
    }

signals:
    void BeforeNavigate(const QUrl& url, bool isMainFrame);
    // A page finished loading (ok false: it could not be loaded).
    void NavigateComplete(bool ok);

protected:
    // A main-frame navigation was refused by the filter (the page stays as it was).
    virtual void navigationCancelled() {}

private:
    NavigationFilter filter_;
};
