#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

class FakePttHost;
class QTcpSocket;

// One client of FakePttHost: turns the bytes it sends into keys and answers each key
// the way the recorded PTT session did.
class FakePttSession : public QObject {
    Q_OBJECT
public:
    FakePttSession(FakePttHost& host, QTcpSocket* socket);
    void sendWaterBall(const QByteArray& bytes) { sendGenerated(bytes); }

private:
    enum class State {
        Account, Password, AskOtherConnections, AnyKeyAfterLogon, AskWrongAttempts, MainMenu,
        SelectBoard, BoardList, AidPrompt, AidNotFound, JumpPrompt, SearchPrompt, ResultList, Article, InfoBox,
        GoodbyeConfirm, GoodbyeScreen, Gone
    };
    // Special keys after decoding escape sequences; plain keys are their byte value.
    enum Key { Enter = 13, Up = 0x100, Down, Left, Right, Home, End, PageUp, PageDown };

    void onReadyRead();
    void feedByte(unsigned char b);
    void key(int k);
    // Line input of the prompts: true when the line is complete (in line_).
    bool lineKey(int k);

    void send(const QString& number);
    void sendGenerated(const QByteArray& bytes);
    void moveListCursor(int to);
    void openArticle();
    void leaveToMainMenu();
    void afterLogon();

    FakePttHost& host_;
    QTcpSocket* socket_;
    State state_ = State::Account;
    QByteArray line_;
    QString account_;
    // Telnet command and escape sequence decoding.
    int iac_ = 0;        // 0 none, 1 after IAC, 2 option byte, 3 in SB, 4 IAC inside SB
    QByteArray esc_;
    bool lastWasCR_ = false;

    QString board_;      // "Test" or "Gossiping" while in a board
    bool visitedBoard_ = false;
    int cursor_ = 0;     // article number under the list cursor
    int listCount_ = 0;
    int article_ = 0;    // article being read
    int page_ = 0;       // page of the long article
    bool authorSearch_ = false;
    State afterBox_ = State::BoardList;
    QString afterBoxScreen_;
    int afterBoxCursor_ = 0;  // list cursor to restore after the box, 0 = as drawn
};
