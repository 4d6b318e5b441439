#pragma once
// One answer of the HTTP request component. A whole answer is read at once (text());
// a streamed one (an installer download) is read piece by piece with nextChunk() as
// the data comes in, MoreData() saying when to look again.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkReply;

class HttpResponse : public QObject {
    Q_OBJECT
public:
    enum class Chunk {
        Data,     // out holds the next piece
        End,      // the answer is complete
        Failed,   // nothing more can be read: the transfer broke, was refused or aborted
        Pending,  // nothing yet: wait for MoreData()
    };

    HttpResponse(QString url, QNetworkReply* reply, qint64 limit, QObject* parent);
    ~HttpResponse() override;

    // The URL the request was sent to, exactly as passed.
    const QString& url() const { return url_; }
    // Why the request failed; "" while it has not.
    const QString& errorText() const { return errorText_; }
    // The whole body as UTF-8 text (whole answers).
    QString text() const { return QString::fromUtf8(body_); }
    const QByteArray& body() const { return body_; }
    // HTTP status code, 0 before the headers are in.
    int status() const;
    bool isFinished() const { return finished_; }
    // Content length the server announced, or -1.
    qint64 expectedSize() const;

    // The next piece of a streamed answer, at most maxBytes long.
    Chunk nextChunk(QByteArray& out, qint64 maxBytes = 64 * 1024);
    // Stops the transfer; reads report Failed from then on.
    void abort();

signals:
    // More of a streamed answer can be read, or it ended.
    void MoreData();

private:
    friend class HttpRequests;
    void fail(const QString& text);
    void readWhole();

    QString url_;
    QPointer<QNetworkReply> reply_;
    qint64 limit_;
    qint64 received_ = 0;
    QByteArray body_;
    QString errorText_;
    bool finished_ = false;
    bool announced_ = false;  // a streamed answer was handed to ResponseCompleted
};
