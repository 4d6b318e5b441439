#include "ui/ZekWebPage.h"

#include "ui/WebPane.h"

ZekWebPage::ZekWebPage(WebPane& pane, QObject* parent) : QWebEnginePage(parent), pane_(pane) {}

bool ZekWebPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
    // Our own fallback page is loaded as a data URL; it is no navigation of the user's.
    if (url.scheme() == QLatin1String("data")) return true;
    return pane_.beforeNavigate(url, isMainFrame);
}
