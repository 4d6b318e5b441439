#include "web/HttpRequests.h"

#include "web/HttpResponse.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {
constexpr int kMaxNumber = 32767;
constexpr qint64 kStreamBuffer = 1 << 20;
constexpr int kStreamTimeoutFactor = 6;

bool isWebUrl(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

void setHeaders(QNetworkRequest& request, const QString& header) {
    for (const QString& line : header.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0) continue;
        request.setRawHeader(line.left(colon).trimmed().toLatin1(), line.mid(colon + 1).trimmed().toLatin1());
    }
}
}  // namespace

HttpRequests::HttpRequests(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {
    manager_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

HttpRequests::~HttpRequests() { abortAll(); }

int HttpRequests::request(const QString& url, const QString& method, const QString& body, const QString& header,
                          Delivery delivery) {
    const QUrl target(url, QUrl::StrictMode);
    const QString verb = method.trimmed().toUpper();
    if (!isWebUrl(target) || (verb != QLatin1String("GET") && verb != QLatin1String("POST"))) return 0;

    QNetworkRequest request(target);
    setHeaders(request, header);
    const int timeout = timeoutSeconds_ * (delivery == Delivery::Stream ? kStreamTimeoutFactor : 1);
    request.setTransferTimeout(timeout * 1000);
    QNetworkReply* reply =
        verb == QLatin1String("POST") ? manager_->post(request, body.toUtf8()) : manager_->get(request);

    lastNumber_ = lastNumber_ >= kMaxNumber ? 1 : lastNumber_ + 1;
    const int number = lastNumber_;
    const qint64 limit = delivery == Delivery::Stream ? kStreamLimit : kWholeLimit;
    auto* response = new HttpResponse(url, reply, limit, this);

    if (delivery == Delivery::Whole) {
        // An answer that outgrows its limit is cut off at once, not buffered to the end.
        connect(reply, &QNetworkReply::downloadProgress, response, [reply](qint64 received, qint64) {
            if (received > kWholeLimit) reply->abort();
        });
        connect(reply, &QNetworkReply::finished, response,
                [this, number, response, reply] { onWholeFinished(number, response, reply); });
    } else {
        reply->setReadBufferSize(kStreamBuffer);
        connect(reply, &QNetworkReply::readyRead, response,
                [this, number, response, reply] { onStreamProgress(number, response, reply, false); });
        connect(reply, &QNetworkReply::finished, response,
                [this, number, response, reply] { onStreamProgress(number, response, reply, true); });
    }
    return number;
}

void HttpRequests::onWholeFinished(int number, HttpResponse* response, QNetworkReply* reply) {
    response->finished_ = true;
    response->readWhole();
    if (reply->error() != QNetworkReply::NoError) response->fail(reply->errorString());
    if (response->errorText().isEmpty()) emit ResponseCompleted(number, response);
    else emit ResponseError(number, response);
    response->deleteLater();
}

void HttpRequests::onStreamProgress(int number, HttpResponse* response, QNetworkReply* reply, bool finished) {
    if (finished) {
        response->finished_ = true;
        if (reply->error() != QNetworkReply::NoError) response->fail(reply->errorString());
    }
    if (response->announced_) {
        emit response->MoreData();
        return;
    }
    response->announced_ = true;
    // An error status is a failed request whatever page comes with it.
    const int status = response->status();
    if (!response->errorText().isEmpty() || status >= 400) {
        response->fail(QStringLiteral("HTTP status %1").arg(status));
        response->abort();
        emit ResponseError(number, response);
        response->deleteLater();
        return;
    }
    emit ResponseCompleted(number, response);
}

void HttpRequests::abortAll() {
    for (HttpResponse* response : findChildren<HttpResponse*>(Qt::FindDirectChildrenOnly)) {
        response->abort();
    }
}
