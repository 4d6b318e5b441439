#pragma once
// The HTTP request component (oHttpRequests) over QNetworkAccessManager: requests start
// at once and their answers arrive later as events on the user-interface thread.
// Only http and https URLs are accepted. Each request has a number from 1 to 32767.
#include <QObject>
#include <QString>

class HttpResponse;
class QNetworkAccessManager;
class QNetworkReply;

class HttpRequests : public QObject {
    Q_OBJECT
public:
    enum class Delivery {
        Whole,   // ResponseCompleted once the whole answer is in (at most kWholeLimit bytes)
        Stream,  // ResponseCompleted as soon as data arrives; read it with nextChunk()
    };
    static constexpr qint64 kWholeLimit = 1 << 20;
    // An installer larger than this is refused rather than filling the disk.
    static constexpr qint64 kStreamLimit = qint64(512) << 20;

    explicit HttpRequests(QObject* parent = nullptr);
    ~HttpRequests() override;

    // Starts a request; header is "Name: value" lines separated by CR LF. Returns the
    // request number, or 0 when the request was not accepted (not an http(s) URL, odd
    // method). A whole answer's response object is deleted after its event; a streamed
    // one belongs to the receiver of ResponseCompleted, who deletes it (deleteLater)
    // when done, or to this component until then.
    int request(const QString& url, const QString& method, const QString& body, const QString& header,
                Delivery delivery = Delivery::Whole);

    // Seconds a whole request may wait without any data before it fails (5 at creation);
    // a streamed one waits six times as long.
    int timeoutSeconds() const { return timeoutSeconds_; }
    void setTimeoutSeconds(int seconds) { timeoutSeconds_ = seconds; }

    // Stops every request in flight without raising events (the window is closing).
    void abortAll();

signals:
    // The request finished. The first value is the request number.
    void ResponseCompleted(int requestNumber, HttpResponse* response);
    // The request failed: network error, refused, timed out, an HTTP error status, or
    // an answer larger than its limit.
    void ResponseError(int requestNumber, HttpResponse* response);

private:
    void onWholeFinished(int number, HttpResponse* response, QNetworkReply* reply);
    void onStreamProgress(int number, HttpResponse* response, QNetworkReply* reply, bool finished);

    QNetworkAccessManager* manager_;
    int timeoutSeconds_ = 5;
    int lastNumber_ = 0;
};
