#include "FakePttSession.h"

#include "FakePttHost.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr unsigned char kIAC = 255, kSB = 250, kSE = 240;
constexpr char kClearScreen[] = "\x1b[H\x1b[2J";

// Identifiers of the recorded articles of Test (article number -> AID).
const char* const kTestAids[] = {nullptr, "1h57J5HJ", "1h57JlJx"};

QByteArray clearPromptRow() { return QByteArray("\x1b[24;1H\x1b[K"); }

// Web addresses of the recorded articles of Test.
const char* const kTestUrls[] = {nullptr, "http://www.ptt.cc/bbs/Test/M.1796502725.A.453.html",
                                 "http://www.ptt.cc/bbs/Test/M.1796502767.A.4FB.html"};

// The article information box as PTT draws it (Big5), five rows from row `top` (1-based),
// with the any-key bar on the last row: for the places the recordings do not show.
QByteArray infoBox(int top, int article) {
    auto at = [](int row, int col = 1) { return "\x1b[" + QByteArray::number(row) + ';' + QByteArray::number(col) + 'H'; };
    const QByteArray line = QByteArray("\xa2w").repeated(37);
    const QByteArray side = "\xa2x";
    QByteArray b;
    b += at(top) + "\x1b[m\xa2z" + line + "\xa2{\x1b[K";
    b += at(top + 1) + side + " \xa4\xe5\xb3\xb9\xa5N\xbdX(AID): \x1b[1;37m#" + kTestAids[article] +
         "\x1b[m (Test) [ptt.cc]\x1b[K" + at(top + 1, 77) + side;
    b += at(top + 2) + side + " \xa4\xe5\xb3\xb9\xba\xf4\xa7}: \x1b[1;37m" + kTestUrls[article] + "\x1b[m\x1b[K" +
         at(top + 2, 77) + side;
    b += at(top + 3) + side + " \xb3o\xa4@\xbdg\xa4\xe5\xb3\xb9\xad\xc8 0 Ptt\xb9\xf4\x1b[K" + at(top + 3, 77) + side;
    b += at(top + 4) + "\xa2|" + line + "\xa2}\x1b[K";
    const QByteArray bar = QByteArray("\xa2" "e").repeated(15);
    b += at(24) + "\x1b[34;44m " + bar + "\x1b[0;1;37;44m \xbd\xd0\xab\xf6\xa5\xf4\xb7N\xc1\xe4\xc4~\xc4\xf2 \x1b[34m" + bar +
         "  \x1b[m";
    return b;
}

// Article 4 of Test ("[情報] 測試公告 ANSI 顏色"), which was not recorded: written here
// the way PTT draws an article, with text that only Big5-UAO has (kana, simplified
// characters, symbols) in colours, one character with halves in different colours.
QByteArray uaoArticle() {
    QByteArray s;
    // 作者 tester (tester) 看板 Test / 標題 [情報] 測試公告 ANSI 顏色 / 時間 ...
    s += "\x1b[34;47m \xa7\x40\xaa\xcc \x1b[0;44m tester (tester)" + QByteArray(44, ' ') +
         "\x1b[34;47m \xac\xdd\xaa\x4f \x1b[0;44m Test \x1b[m\x1b[K\r\n";
    s += "\x1b[34;47m \xbc\xd0\xc3\x44 \x1b[0;44m [\xb1\xa1\xb3\xf8] \xb4\xfa\xb8\xd5\xa4\xbd\xa7\x69 ANSI "
         "\xc3\x43\xa6\xe2" + QByteArray(46, ' ') + "\x1b[m\x1b[K\r\n";
    s += "\x1b[34;47m \xae\xc9\xb6\xa1 \x1b[0;44m Sat Dec  5 21:10:02 2026" + QByteArray(47, ' ') + "\x1b[m\x1b[K\r\n";
    s += "\x1b[36m" + QByteArray("\xa2\x77").repeated(39) + "\x1b[m\r\n\r\n";
    // こんにちは、カタカナ
    s += "\x1b[1;33m\xc6\xf9\xc7\x7a\xc7\x52\xc7\x48\xc7\x56\xa1\x42\xc7\xa7\xc7\xbb\xc7\xa7\xc7\xc6\x1b[m\r\n";
    // 简体字：这是测试
    s += "\x1b[32m\x8a\xe9\xca\x5e\xa6\x72\xa1\x47\x84\xb1\xac\x4f\x84\xf2\x86\x49\x1b[m\r\n";
    // ♥♪☆①②③ ¼ ½, the heart red on its lead byte and white on its trail byte
    s += "\x1b[1;31m\x9d\x1b[37m\xde\x1b[m\x9d\x66\xa1\xb8\x97\x41\x97\x42\x97\x43 \xfe\xb3 \xfe\xb0\r\n";
    // 日本語と简体字を混ぜた UAO 測試文
    s += "\xa4\xe9\xa5\xbb\xbb\x79\xc7\x4f\x8a\xe9\xca\x5e\xa6\x72\xc7\x79\xb2\x56\xc7\x43\xc7\x46 UAO "
         "\xb4\xfa\xb8\xd5\xa4\xe5\r\n\r\n";
    // --  ※ 發信站: 批踢踢實業坊(ptt.cc)
    s += "--\r\n\x1b[32m\xa1\xb0 \xb5\x6f\xab\x48\xaf\xb8: \xa7\xe5\xbd\xf0\xbd\xf0\xb9\xea\xb7\x7e\xa7\x7b(ptt.cc)\x1b[m\r\n";
    // The status line: 瀏覽 第 1/1 頁 (100%)
    s += "\x1b[24;1H\x1b[34;46m \xc2\x73\xc4\xfd \xb2\xc4 1/1 \xad\xb6 (100%) \x1b[m\x1b[K";
    return s;
}

}  // namespace

FakePttSession::FakePttSession(FakePttHost& host, QTcpSocket* socket) : host_(host), socket_(socket) {
    connect(socket_, &QTcpSocket::readyRead, this, &FakePttSession::onReadyRead);
    send(QStringLiteral("03"));
}

void FakePttSession::onReadyRead() {
    const QByteArray bytes = socket_->readAll();
    host_.noteReceived(bytes);
    for (char c : bytes) {
        if (state_ == State::Gone) return;
        feedByte(static_cast<unsigned char>(c));
    }
}

void FakePttSession::feedByte(unsigned char b) {
    // Telnet commands: IAC cmd [option], IAC SB ... IAC SE.
    switch (iac_) {
    case 1:
        if (b == kIAC) break;  // an escaped 255 is no key we know
        iac_ = (b == kSB) ? 3 : (b >= 251 ? 2 : 0);
        return;
    case 2: iac_ = 0; return;
    case 3: if (b == kIAC) iac_ = 4; return;
    case 4: iac_ = (b == kSE) ? 0 : 3; return;
    default: break;
    }
    if (b == kIAC) {
        iac_ = 1;
        return;
    }
    // CR LF and CR NUL are one Enter.
    if (lastWasCR_ && (b == '\n' || b == 0)) {
        lastWasCR_ = false;
        return;
    }
    lastWasCR_ = (b == '\r');

    if (!esc_.isEmpty()) {
        esc_ += char(b);
        if (esc_.size() == 2 && b != '[' && b != 'O') {
            esc_.clear();
            return;
        }
        if (esc_.size() >= 3 && (b >= 0x40 && b <= 0x7e)) {
            const QByteArray seq = esc_.mid(2);
            esc_.clear();
            if (seq == "A") key(Up);
            else if (seq == "B") key(Down);
            else if (seq == "C") key(Right);
            else if (seq == "D") key(Left);
            else if (seq == "1~" || seq == "H") key(Home);
            else if (seq == "4~" || seq == "F") key(End);
            else if (seq == "5~") key(PageUp);
            else if (seq == "6~") key(PageDown);
        } else if (esc_.size() > 8) {
            esc_.clear();  // not a key sequence of ours
        }
        return;
    }
    if (b == 27) {
        esc_ = QByteArray(1, char(27));
        return;
    }
    key(b == '\n' ? int(Enter) : int(b));
}

bool FakePttSession::lineKey(int k) {
    if (k == Enter) return true;
    if ((k == 8 || k == 127) && !line_.isEmpty()) line_.chop(1);
    else if (k >= 32 && k < 256 && k != 127) line_ += char(k);
    return false;
}

void FakePttSession::send(const QString& number) {
    const FakePttHost::Screen* s = host_.screen(number);
    if (!s) return;
    QByteArray bytes = s->bytes;
    // The password prompt echoes the account that was typed.
    if ((number == QLatin1String("04") || number == QLatin1String("01")) && !account_.isEmpty())
        bytes.replace(QByteArray("tester\r\n"), account_.toLatin1() + "\r\n");
    if (!bytes.isEmpty()) socket_->write(bytes);
    if (s->listCursor > 0) cursor_ = s->listCursor;
    host_.noteSent(s->label);
}

void FakePttSession::sendGenerated(const QByteArray& bytes) {
    socket_->write(bytes);
    host_.noteSent(QStringLiteral("generated"));
}

void FakePttSession::moveListCursor(int to) {
    if (to < 1 || to > listCount_ || to == cursor_) {
        sendGenerated(clearPromptRow());
        return;
    }
    QByteArray bytes = "\x1b[" + QByteArray::number(cursor_ + 3) + ";1H " + "\x1b[" + QByteArray::number(to + 3) +
                       ";1H>" + clearPromptRow() + "\x1b[" + QByteArray::number(to + 3) + ";1H";
    cursor_ = to;
    sendGenerated(bytes);
}

void FakePttSession::openArticle() {
    // Articles 1 and 2 of Test were recorded; article 4 is written here.
    if (board_ != QLatin1String("Test") || cursor_ < 1 || cursor_ == 3 || cursor_ > 4) return;
    article_ = cursor_;
    page_ = 0;
    state_ = State::Article;
    // PTT clears the screen for an article; the recordings were made after a clear and
    // leave the rows they do not use untouched, so a short article would show the rest
    // of the screen before it.
    socket_->write(kClearScreen);
    if (article_ == 4) sendGenerated(uaoArticle());
    else send(article_ == 2 ? QStringLiteral("19") : QStringLiteral("32"));
}

void FakePttSession::leaveToMainMenu() {
    state_ = State::MainMenu;
    send(board_ == QLatin1String("Gossiping") ? QStringLiteral("37") : QStringLiteral("34"));
}

void FakePttSession::afterLogon() {
    if (host_.asksWrongAttempts()) {
        state_ = State::AskWrongAttempts;
        send(QStringLiteral("07"));
    } else {
        state_ = State::MainMenu;
        send(QStringLiteral("08"));
    }
}

void FakePttSession::key(int k) {
    switch (state_) {
    case State::Account:
        if (!lineKey(k)) return;
        account_ = QString::fromLatin1(line_);
        line_.clear();
        state_ = State::Password;
        send(QStringLiteral("04"));
        return;
    case State::Password: {
        if (!lineKey(k)) return;
        const bool ok = account_.compare(host_.account(), Qt::CaseInsensitive) == 0 &&
                        QString::fromLatin1(line_) == host_.password();
        line_.clear();
        if (!ok) {
            state_ = State::Account;
            send(QStringLiteral("02"));
        } else if (host_.asksOtherConnections()) {
            state_ = State::AskOtherConnections;
            send(QStringLiteral("05"));
        } else {
            state_ = State::AnyKeyAfterLogon;
            send(QStringLiteral("06"));
        }
        return;
    }
    case State::AskOtherConnections:
        if (!lineKey(k)) return;
        line_.clear();
        state_ = State::AnyKeyAfterLogon;
        send(QStringLiteral("06"));
        return;
    case State::AnyKeyAfterLogon:
        afterLogon();
        return;
    case State::AskWrongAttempts:
        if (!lineKey(k)) return;
        line_.clear();
        state_ = State::MainMenu;
        send(QStringLiteral("08"));
        return;
    case State::MainMenu:
        if (k == 's' || k == 'S') {
            state_ = State::SelectBoard;
            send(QStringLiteral("10"));
        } else if (k == 12) {  // Ctrl-L
            send(visitedBoard_ ? (board_ == QLatin1String("Gossiping") ? QStringLiteral("37") : QStringLiteral("34"))
                               : QStringLiteral("09"));
        } else if (k == 'g' || k == 'G') {
            send(QStringLiteral("38"));
            state_ = State::GoodbyeConfirm;
        }
        return;
    case State::SelectBoard: {
        if (k == ' ') return;  // no name completion here
        if (!lineKey(k)) return;
        const QString name = QString::fromLatin1(line_).trimmed();
        line_.clear();
        if (name.compare(QLatin1String("Test"), Qt::CaseInsensitive) == 0) {
            board_ = QStringLiteral("Test");
            listCount_ = 4;
            send(QStringLiteral("11"));
        } else if (name.compare(QLatin1String("Gossiping"), Qt::CaseInsensitive) == 0) {
            board_ = QStringLiteral("Gossiping");
            listCount_ = 2;
            send(QStringLiteral("36"));
        } else {
            // No such board: PTT goes back to the menu.
            state_ = State::MainMenu;
            send(QStringLiteral("09"));
            return;
        }
        visitedBoard_ = true;
        state_ = State::BoardList;
        return;
    }
    case State::BoardList:
        if (k == Up || k == 'k' || k == 'p') moveListCursor(cursor_ - 1);
        else if (k == Down || k == 'j' || k == 'n') moveListCursor(cursor_ + 1);
        else if (k == '$' || k == End) {
            if (cursor_ != listCount_) moveListCursor(listCount_);
        } else if (k >= '0' && k <= '9') {
            line_ = QByteArray(1, char(k));
            state_ = State::JumpPrompt;
            // " 跳至第幾項: " in Big5, then the digit, as PTT draws the prompt.
            sendGenerated(clearPromptRow() + QByteArray("\x1b[24;1H \xb8\xf5\xa6\xdc\xb2\xc4\xb4X\xb6\xb5: ") + line_);
        } else if (k == '#') {
            state_ = State::AidPrompt;
            send(QStringLiteral("17"));
        } else if (k == 'Q' && board_ == QLatin1String("Test") && cursor_ == 2) {
            state_ = State::InfoBox;
            afterBox_ = State::BoardList;
            afterBoxScreen_ = QStringLiteral("15");
            send(QStringLiteral("14"));
        } else if (k == 'Q' && board_ == QLatin1String("Test") && cursor_ == 1) {
            // On the first entry the box covers the list's key help and column header.
            state_ = State::InfoBox;
            afterBox_ = State::BoardList;
            afterBoxScreen_ = QStringLiteral("15");  // the list redrawn, then the cursor back on 1
            afterBoxCursor_ = 1;
            sendGenerated(infoBox(2, 1));
        } else if ((k == '/' || k == 'a') && board_ == QLatin1String("Test")) {
            authorSearch_ = (k == 'a');
            state_ = State::SearchPrompt;
            send(authorSearch_ ? QStringLiteral("27") : QStringLiteral("24"));
        } else if (k == Enter || k == Right || k == 'r') {
            openArticle();
        } else if (k == Left || k == 'q' || k == 'e') {
            leaveToMainMenu();
        }
        return;
    case State::JumpPrompt:
        if (!lineKey(k)) return;
        state_ = State::BoardList;
        moveListCursor(line_.toInt());
        line_.clear();
        return;
    case State::AidPrompt: {
        if (!lineKey(k)) return;
        QByteArray aid = line_.trimmed();
        if (aid.startsWith('#')) aid = aid.mid(1);
        line_.clear();
        state_ = State::BoardList;
        int found = 0;
        if (board_ == QLatin1String("Test"))
            for (int n = 1; n <= 2; ++n)
                if (aid == kTestAids[n]) found = n;
        if (found) {
            moveListCursor(found);
        } else {
            // PTT's answer to an identifier the board does not have: a message on the
            // last row that waits for any key.
            state_ = State::AidNotFound;
            sendGenerated(clearPromptRow() +
                          QByteArray(" \xa7\xe4\xa4\xa3\xa8\xec\xb3o\xad\xd3\xa4\xe5\xb3\xb9\xa5N\xbdX(AID)"
                                     "\xa1" "A\xa5i\xaf\xe0\xacO\xa4\xe5\xb3\xb9\xa4w\xae\xf8\xa5\xa2  "
                                     "\xbd\xd0\xab\xf6\xa5\xf4\xb7N\xc1\xe4\xc4~\xc4\xf2 "));
        }
        return;
    }
    case State::AidNotFound:
        state_ = State::BoardList;
        sendGenerated(clearPromptRow());
        return;
    case State::SearchPrompt:
        if (!lineKey(k)) return;
        line_.clear();
        state_ = State::ResultList;
        send(authorSearch_ ? QStringLiteral("28") : QStringLiteral("25"));
        return;
    case State::ResultList:
        if (k == Left || k == 'q' || k == 'e') {
            state_ = State::BoardList;
            send(authorSearch_ ? QStringLiteral("29") : QStringLiteral("26"));
        }
        return;
    case State::Article: {
        const bool longArticle = (article_ == 2);
        // Leaving the written article shows the list as after the recorded short one.
        const QString backToList = longArticle ? QStringLiteral("23") : QStringLiteral("33");
        if (k == Left || k == 'q') {
            state_ = State::BoardList;
            send(backToList);
        } else if (k == ' ' || k == PageDown || k == Down || k == 'f') {
            if (longArticle && page_ < 2) {
                ++page_;
                send(page_ == 1 ? QStringLiteral("20") : QStringLiteral("21"));
            } else {
                state_ = State::BoardList;
                send(backToList);
            }
        } else if ((k == '$' || k == End) && longArticle) {
            page_ = 2;
            send(QStringLiteral("21"));
        } else if (k == 'Q' && longArticle && page_ > 0) {
            state_ = State::InfoBox;
            afterBox_ = State::BoardList;
            afterBoxScreen_ = QStringLiteral("23");
            send(QStringLiteral("22"));
        } else if (k == 'Q') {
            // A one-page article, or page 1: the box opens at the bottom with the header
            // still on the screen; any key shows the page again.
            state_ = State::InfoBox;
            afterBox_ = State::Article;
            afterBoxScreen_ = longArticle ? QStringLiteral("19") : QStringLiteral("32");
            sendGenerated(infoBox(19, article_));
        }
        return;
    }
    case State::InfoBox:
        state_ = afterBox_;
        // PTT repaints the whole page after the box; the recorded page leaves the rows it
        // does not use as they were, which would keep the box on the screen.
        if (afterBox_ == State::Article) socket_->write(kClearScreen);
        send(afterBoxScreen_);
        if (afterBoxCursor_ > 0) moveListCursor(afterBoxCursor_);
        afterBoxCursor_ = 0;
        return;
    case State::GoodbyeConfirm:
        if (k == Enter) {
            send(QStringLiteral("39"));
            state_ = State::GoodbyeScreen;
            line_.clear();
        } else if (k == Up || k == Left) {
            state_ = State::MainMenu;
        }
        return;
    case State::GoodbyeScreen:
        // First the y/n answer, then any key after the goodbye screen.
        if (line_ != "bye") {
            if (!lineKey(k)) return;
            if (!line_.trimmed().toLower().startsWith('y')) {
                line_.clear();
                state_ = State::MainMenu;
                send(QStringLiteral("09"));
                return;
            }
            line_ = "bye";
            send(QStringLiteral("40"));
            return;
        }
        send(QStringLiteral("41"));
        state_ = State::Gone;
        socket_->flush();
        socket_->disconnectFromHost();
        return;
    case State::Gone:
        return;
    }
}
