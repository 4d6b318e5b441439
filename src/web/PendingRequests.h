#pragma once
// The main window's table of requests in flight, keyed by the request URL's text. A
// URL whose value is empty is idle; while a request to it runs, the value is the
// request number in decimal. One request per URL at a time: that is what keeps a
// second click from posting the same link twice.
#include <QString>

#include <utility>
#include <vector>

class PendingRequests {
public:
    // Enters url with an empty value; an entry already there keeps its value.
    void enter(const QString& url);
    void remove(const QString& url);
    bool contains(const QString& url) const;
    // The value, "" for an idle or unknown URL.
    QString value(const QString& url) const;
    bool isIdle(const QString& url) const { return value(url).trimmed().isEmpty(); }
    // Marks url busy with request number (entered when missing).
    void setBusy(const QString& url, int requestNumber);
    // An answer for url arrived: true when a request to it was in flight and that
    // request is now done (the entry goes idle); false when the answer is not ours.
    bool finish(const QString& url);
    // Every entry goes idle (the window is closing; no answer will be handled).
    void clearAll();
    // Keys in the order they were entered.
    std::vector<QString> urls() const;

private:
    std::vector<std::pair<QString, QString>> entries_;
};
