#pragma once
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QTcpServer;
class FakePttSession;

// A PTT stand-in on 127.0.0.1 for tests and local trials: it answers the keys a client
// sends with the screens recorded from a real PTT server (../shared/fixtures/ptt), so a
// whole visit can be driven from logon to an article without any real BBS.
//
// What it follows: the logon page, account and password (a wrong password gives the
// failed-logon screen and the account prompt again), the duplicate-logon question, the
// any-key prompt, the wrong-attempts question, the main menu ("s" + board + CR for Test
// and Gossiping, Ctrl-L, the goodbye sequence), the article list (cursor keys, "$",
// digits + CR, "#" + identifier + CR, "Q", "/" and "a" searches, CR or → to read, ← to
// leave) and the articles of Test (paging, "$", "Q", ←; article 4, never recorded, is
// written here with Big5-UAO text: kana, simplified characters, symbols). Telnet commands from the client
// are skipped; a raw TCP client that never answers the server's telnet requests is fine.
// "Q" also opens the information box where no recording shows it: over a one-page
// article and over page 1 (header still on the screen), and over the list's header with
// the cursor on the first entry.
// Keys that the recordings do not cover are ignored. It runs on the Qt event loop of the
// thread that owns it, so a test needs a QCoreApplication (or QApplication) and must let
// events run while it waits for answers.
class FakePttHost : public QObject {
    Q_OBJECT
public:
    // One recorded screen: its bytes and the list cursor it leaves (0 when none).
    struct Screen {
        QString label;
        QByteArray bytes;
        int listCursor = 0;
    };

    // Screens from fixturesDir/ptt; the default is the recordings beside the repository.
    explicit FakePttHost(QObject* parent = nullptr);
    explicit FakePttHost(const QString& fixturesDir, QObject* parent = nullptr);
    ~FakePttHost() override;

    // False (with errorString()) when a recording is missing.
    bool fixturesLoaded() const { return errorString_.isEmpty(); }
    QString errorString() const { return errorString_; }

    // The account that logs on; anything else is a wrong password. Default tester/test1234.
    void setAccount(const QString& account, const QString& password);
    QString account() const { return account_; }
    QString password() const { return password_; }
    // Whether PTT asks about other connections and about wrong attempts after logon
    // (both asked by default, as recorded).
    void setLogonQuestions(bool askOtherConnections, bool askWrongAttempts);
    bool asksOtherConnections() const { return askOtherConnections_; }
    bool asksWrongAttempts() const { return askWrongAttempts_; }

    // Listens on 127.0.0.1; port 0 takes a free one.
    bool listen(quint16 port = 0);
    quint16 port() const;
    void close();

    int sessionCount() const { return sessionCount_; }
    // Every byte that clients sent, in order of arrival.
    const QByteArray& receivedBytes() const { return received_; }
    // Labels ("19_article_page_1", or "generated" for small updates of our own) of what
    // was sent, in order.
    const QStringList& screensSent() const { return sent_; }

    const Screen* screen(const QString& number) const;  // by its two-digit number

    // An instant message ("water ball") to every connected client, drawn the way PTT
    // draws one that arrives: on the top row, cursor kept, with a beep.
    void sendWaterBall(const QString& sender, const QString& message);
    static QByteArray waterBallBytes(const QString& sender, const QString& message);

signals:
    void screenSent(const QString& label);
    void sessionEnded();

private:
    friend class FakePttSession;
    void load(const QString& fixturesDir);
    void onNewConnection();
    void noteReceived(const QByteArray& bytes) { received_ += bytes; }
    void noteSent(const QString& label);

    QTcpServer* server_ = nullptr;
    QHash<QString, Screen> screens_;
    QString errorString_;
    QString account_ = QStringLiteral("tester");
    QString password_ = QStringLiteral("test1234");
    bool askOtherConnections_ = true;
    bool askWrongAttempts_ = true;
    int sessionCount_ = 0;
    QByteArray received_;
    QStringList sent_;
};
