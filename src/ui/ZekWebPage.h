#pragma once
// A QWebEnginePage that asks its WebPane about every navigation before it happens and
// keeps the page's console chatter out of the program's output.
#include <QWebEnginePage>

class WebPane;

class ZekWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    ZekWebPage(WebPane& pane, QObject* parent = nullptr);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override {}

private:
    WebPane& pane_;
};
