#include "web/WebServices.h"

#include "app/Settings.h"
#include "web/HttpRequests.h"
#include "web/HttpResponse.h"
#include "web/ServiceAnswers.h"

WebServices::WebServices(const Settings& settings, WebServicesHost& host, QObject* parent)
    : QObject(parent), settings_(settings), host_(host), requests_(new HttpRequests(this)) {
    connect(requests_, &HttpRequests::ResponseCompleted, this, &WebServices::onCompleted);
    connect(requests_, &HttpRequests::ResponseError, this, &WebServices::onError);
}

WebServices::~WebServices() = default;

void WebServices::load() {
    table_.enter(settings_.url_for_checking_new_version);
    table_.enter(settings_.url_for_long_url);
    table_.enter(settings_.url_for_short_url);
    loaded_ = true;
}

void WebServices::unload() {
    loaded_ = false;
    requests_->abortAll();
    table_.clearAll();
}

bool WebServices::startRequest(const QString& url, const QString& method, const QString& body,
                               const QString& header, bool stream) {
    if (!loaded_ || url.isEmpty() || !table_.isIdle(url)) return false;
    const int number = requests_->request(url, method, body, header,
                                          stream ? HttpRequests::Delivery::Stream : HttpRequests::Delivery::Whole);
    if (number <= 0) return false;
    table_.setBusy(url, number);
    return true;
}

void WebServices::makeZEKURL(const QString& serviceUrl, const QString& linkText) {
    startRequest(serviceUrl, QStringLiteral("POST"), service_answers::shortLinkBody(linkText), kFormHeader,
                 /*stream=*/false);
}

bool WebServices::requestShortLink(const QString& longLink) {
    const QString& url = settings_.url_for_long_url;
    if (url.isEmpty() || !table_.isIdle(url)) return false;
    makeZEKURL(url, longLink);
    return !table_.isIdle(url);
}

bool WebServices::resolveShortURL(const QString& shortUrl) {
    const QString& url = settings_.url_for_short_url;
    if (!loaded_ || url.isEmpty()) return false;
    // A resolution already running keeps its place; this click is dropped.
    makeZEKURL(url, shortUrl);
    return true;
}

bool WebServices::sendVersionRequest() {
    const QString& url = settings_.url_for_checking_new_version;
    if (url.isEmpty()) return false;
    if (!table_.isIdle(url)) return true;
    return startRequest(url, QStringLiteral("POST"),
                        service_answers::versionBody(ZEK_VERSION_MAJOR, ZEK_VERSION_MINOR, ZEK_VERSION_PATCH),
                        kFormHeader, /*stream=*/false);
}

void WebServices::DownloadNewVersion(const QString& url) {
    if (url.isEmpty()) return;
    table_.enter(url);
    if (startRequest(url, QStringLiteral("GET"), QString(), QString(), /*stream=*/true)) downloadUrl_ = url;
    else emit DownloadFailed();
}

void WebServices::cancelDownload() {
    if (downloadUrl_.isEmpty()) return;
    table_.remove(downloadUrl_);
    downloadUrl_.clear();
}

bool WebServices::isOurs(int number, const QString& url) const {
    // The number must be the one in flight: a late answer of an earlier request to the
    // same URL is not this one's.
    return table_.value(url) == QString::number(number);
}

void WebServices::onCompleted(int number, HttpResponse* response) {
    const QString url = response->url();
    if (!loaded_ || !isOurs(number, url)) {
        response->deleteLater();
        return;
    }
    if (url == settings_.url_for_long_url) {
        table_.finish(url);
        const auto code = service_answers::parseShortCode(response->text(), settings_.prefix_of_zek_short_url);
        if (code) host_.showShortLink(code->type, code->link);
        else emit ShortLinkFailed();
    } else if (url == settings_.url_for_short_url) {
        table_.finish(url);
        if (const auto link = service_answers::parseLongPath(response->text(), settings_.prefix_of_zek_long_url))
            host_.openZEKURL(*link);
    } else if (url == settings_.url_for_checking_new_version) {
        table_.finish(url);
        emit VersionAnswered(response->text());
    } else if (url == downloadUrl_) {
        table_.remove(url);
        downloadUrl_.clear();
        emit DownloadStarted(response);
    }
}

void WebServices::onError(int number, HttpResponse* response) {
    const QString url = response->url();
    if (!loaded_ || !isOurs(number, url)) return;
    if (url == settings_.url_for_long_url) {
        table_.finish(url);
        emit ShortLinkFailed();
    } else if (url == settings_.url_for_short_url) {
        table_.finish(url);
    } else if (url == settings_.url_for_checking_new_version) {
        table_.finish(url);
        emit VersionFailed();
    } else if (url == downloadUrl_) {
        table_.remove(url);
        downloadUrl_.clear();
        emit DownloadFailed();
    }
}
