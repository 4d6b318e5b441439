#pragma once
// The main window's side of the product web server's services: the HTTP request
// component, the table of requests in flight, makeZEKURL and the short-link answers,
// the version request and the installer download request. Answers are dispatched by
// their URL; a URL with no request in flight ignores its answer.
#include "web/PendingRequests.h"

#include <QObject>
#include <QString>

class HttpRequests;
class HttpResponse;
class Settings;

// What the short-link answers open in the main window.
class WebServicesHost {
public:
    virtual ~WebServicesHost() = default;
    // A short link was made. type is "Board", "Article" or "BBS"; "" when the code
    // carries none of their prefixes (the link dialog then keeps what it shows).
    virtual void showShortLink(const QString& type, const QString& shortLink) = 0;
    // A short link was resolved to this long form.
    virtual void openZEKURL(const QString& link) = 0;
};

class WebServices : public QObject {
    Q_OBJECT
public:
    static inline const QString kFormHeader = QStringLiteral("content-type: application/x-www-form-urlencoded");

    WebServices(const Settings& settings, WebServicesHost& host, QObject* parent = nullptr);
    ~WebServices() override;

    // Enters the three service URLs, idle, in the table.
    void load();
    // Stops every request; later answers are not handled.
    void unload();

    // Posts the link's payload to serviceUrl unless a request to it is in flight.
    void makeZEKURL(const QString& serviceUrl, const QString& linkText);
    // The link dialog's request for the short form of a long link; false when no
    // short-link service is configured or one is already being asked.
    bool requestShortLink(const QString& longLink);
    // A short Zek URL to open: asks the server for its long form. False when no
    // service is configured (the caller then leaves the link to the browser).
    bool resolveShortURL(const QString& shortUrl);

    // Posts the running version to url_for_checking_new_version. True when a request
    // to it is now in flight (just sent or already running).
    bool sendVersionRequest();
    // GET of the installer; the answer streams to DownloadStarted.
    void DownloadNewVersion(const QString& url);
    // Stops the installer download in flight, if any (its answer is then ignored).
    void cancelDownload();

    HttpRequests& requests() const { return *requests_; }
    const PendingRequests& table() const { return table_; }

signals:
    // The long-to-short request ended without a short link (failure or odd answer).
    void ShortLinkFailed();
    void VersionAnswered(const QString& text);
    void VersionFailed();
    // The download's answer has begun; the receiver reads and then deletes it.
    void DownloadStarted(HttpResponse* response);
    void DownloadFailed();

private:
    void onCompleted(int number, HttpResponse* response);
    void onError(int number, HttpResponse* response);
    bool isOurs(int number, const QString& url) const;
    bool startRequest(const QString& url, const QString& method, const QString& body, const QString& header,
                      bool stream);

    const Settings& settings_;
    WebServicesHost& host_;
    HttpRequests* requests_;
    PendingRequests table_;
    QString downloadUrl_;
    bool loaded_ = false;
};
