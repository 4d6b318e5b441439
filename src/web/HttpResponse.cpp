#include "web/HttpResponse.h"

#include <QNetworkReply>

HttpResponse::HttpResponse(QString url, QNetworkReply* reply, qint64 limit, QObject* parent)
    : QObject(parent), url_(std::move(url)), reply_(reply), limit_(limit) {}

HttpResponse::~HttpResponse() {
    if (reply_) {
        reply_->disconnect();
        if (!reply_->isFinished()) reply_->abort();
        reply_->deleteLater();
    }
}

int HttpResponse::status() const {
    return reply_ ? reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : 0;
}

qint64 HttpResponse::expectedSize() const {
    if (!reply_) return -1;
    bool ok = false;
    const qint64 size = reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong(&ok);
    return ok && size >= 0 ? size : -1;
}

void HttpResponse::fail(const QString& text) {
    if (errorText_.isEmpty()) errorText_ = text.isEmpty() ? QStringLiteral("request failed") : text;
}

void HttpResponse::readWhole() {
    if (!reply_) return;
    body_ += reply_->readAll();
    if (body_.size() > limit_) {
        body_.clear();
        fail(QStringLiteral("answer too large"));
    }
}

HttpResponse::Chunk HttpResponse::nextChunk(QByteArray& out, qint64 maxBytes) {
    out.clear();
    if (!errorText_.isEmpty() && !reply_) return Chunk::Failed;
    if (reply_ && reply_->bytesAvailable() > 0) {
        out = reply_->read(std::max<qint64>(1, maxBytes));
        received_ += out.size();
        if (received_ > limit_) {
            out.clear();
            fail(QStringLiteral("answer too large"));
            abort();
            return Chunk::Failed;
        }
        return Chunk::Data;
    }
    if (finished_) return errorText_.isEmpty() ? Chunk::End : Chunk::Failed;
    return Chunk::Pending;
}

void HttpResponse::abort() {
    fail(QStringLiteral("aborted"));
    finished_ = true;
    if (reply_) {
        QNetworkReply* reply = reply_;
        reply_ = nullptr;
        reply->disconnect();  // silent: whoever aborts knows
        if (!reply->isFinished()) reply->abort();
        reply->deleteLater();
    }
}
