#pragma once
// The embedded browser of the main window: a QWebEngineView whose page reports every
// navigation before it happens. When a page cannot be loaded (no network, a server that
// is down) it shows a small page of ours instead of the engine's error page.
#include "ui/WebPane.h"

class QWebEngineView;
class ZekWebPage;

class ZekWebView : public WebPane {
    Q_OBJECT
public:
    explicit ZekWebView(QWidget* parent = nullptr);

    void navigate(const QString& url) override;
    QString currentUrl() const override;

    QWebEngineView* view() const { return view_; }
    bool showingFallback() const { return showingFallback_; }

    // The page shown when `url` could not be loaded.
    static QString fallbackHtml(const QString& url);
    // Sets what the engine needs here (no sandbox as root, no GPU where there is none),
    // unless the environment already says otherwise. Call before the QApplication.
    static void prepareEnvironment();
    // The factory the main window uses by default.
    static WebPane::Factory factory();

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
