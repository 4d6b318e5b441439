#pragma once
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

// One BBS session's memory of where it is on PTT: host and port, the page type seen on
// the screen, the board and article shown, the Zek URL of what is shown and the state of
// the automatic navigation. Classification rewrites it after every batch of received
// data; the navigation and the link commands read it. Records are shared between the
// pool and whoever holds them (ZEKAddressRef).
class ZEKAddressCls {
public:
    // Page type codes held in Position.
    enum PositionCode : int16_t {
        PosOther = 0,
        PosMainMenu = 1,
        PosArticleList = 2,
        PosArticle = 3,
        PosLogonPage = 4,
        PosResultList = 5,
        PosLogonAgain = 6,
        PosLogonStop = 7,
        PosLogonReply = 8,
    };

    const QString& BBS() const { return BBS_; }
    void setBBS(const QString& v) { BBS_ = v; }
    const QString& BoardName() const { return BoardName_; }
    void setBoardName(const QString& v) { BoardName_ = v; }
    const QString& ArticleAuthor() const { return ArticleAuthor_; }
    void setArticleAuthor(const QString& v) { ArticleAuthor_ = v; }
    const QString& LongURL() const { return LongURL_; }
    void setLongURL(const QString& v) { LongURL_ = v; }
    const QString& ShortURL() const { return ShortURL_; }
    void setShortURL(const QString& v) { ShortURL_ = v; }
    int16_t ErrorCode() const { return ErrorCode_; }
    void setErrorCode(int v) { ErrorCode_ = static_cast<int16_t>(v); }
    int16_t Position() const { return Position_; }
    void setPosition(int v) { Position_ = static_cast<int16_t>(v); }
    const QString& Screen() const { return Screen_; }
    void setScreen(const QString& v) { Screen_ = v; }
    const QString& Key() const { return Key_; }
    void setKey(const QString& v) { Key_ = v; }
    const QString& ErrorInfo() const { return ErrorInfo_; }
    void setErrorInfo(const QString& v) { ErrorInfo_ = v; }
    const QString& ArticleTitle() const { return ArticleTitle_; }
    void setArticleTitle(const QString& v) { ArticleTitle_ = v; }
    const QString& ArticleTime() const { return ArticleTime_; }
    void setArticleTime(const QString& v) { ArticleTime_ = v; }
    const QString& DestinationBoardName() const { return DestinationBoardName_; }
    void setDestinationBoardName(const QString& v) { DestinationBoardName_ = v; }
    bool AutoPTT() const { return AutoPTT_; }
    void setAutoPTT(bool v) { AutoPTT_ = v; }
    bool AutoReply() const { return AutoReply_; }
    void setAutoReply(bool v) { AutoReply_ = v; }
    bool AutoDelay() const { return AutoDelay_; }
    void setAutoDelay(bool v) { AutoDelay_ = v; }
    bool AlreadyLogon() const { return AlreadyLogon_; }
    void setAlreadyLogon(bool v) { AlreadyLogon_ = v; }
    const QString& DestinationAID() const { return DestinationAID_; }
    void setDestinationAID(const QString& v) { DestinationAID_ = v; }
    const QString& ArticleAID() const { return ArticleAID_; }
    void setArticleAID(const QString& v) { ArticleAID_ = v; }
    // The identifier the automatic walk just jumped to in a list. An article header
    // carries no identifier, so the article that this jump opens takes it from here.
    // It holds only while nothing but the walk typed: JumpStamp is the session's count of
    // sent bytes right after the jump's keys.
    const QString& JumpedAID() const { return JumpedAID_; }
    void setJumpedAID(const QString& v) { JumpedAID_ = v; }
    uint64_t JumpStamp() const { return JumpStamp_; }
    void setJumpStamp(uint64_t v) { JumpStamp_ = v; }
    int16_t Task() const { return Task_; }
    void setTask(int v) { Task_ = static_cast<int16_t>(v); }
    bool CanUseZEKURL() const { return CanUseZEKURL_; }
    void setCanUseZEKURL(bool v) { CanUseZEKURL_ = v; }

    // The TCP port, 0 when none was given (openers then use 23). Numbers outside
    // 0..65535 and text that is not a whole number set 0.
    int BBSPort() const { return BBSPort_; }
    void setBBSPort(int port);
    void setBBSPort(const QString& text);
    void setBBSPort(const char* text) { setBBSPort(QString::fromUtf8(text)); }
    void setBBSPort(const QVariant& value);

    // Seconds since midnight at which the session last handled received data; 0 = never.
    int32_t LastTimeOfSendingData() const { return LastTimeOfSendingData_; }
    void setLastTimeOfSendingData(int32_t v) { LastTimeOfSendingData_ = v; }

    // Ends the automatic navigation: AutoPTT false, no destination board.
    void resetAutoPTT();
    // Forgets the article on the screen (author, title, time, identifier); board, BBS
    // and URL stay.
    void OutOfArticle();

private:
    QString BBS_;
    QString BoardName_;
    QString ArticleAuthor_;
    QString LongURL_;
    QString ShortURL_;
    int16_t ErrorCode_ = 0;
    int16_t Position_ = 0;
    QString Screen_;
    QString Key_;
    QString ErrorInfo_;
    QString ArticleTitle_;
    QString ArticleTime_;
    QString DestinationBoardName_;
    bool AutoPTT_ = false;
    bool AutoReply_ = false;
    bool AutoDelay_ = false;
    bool AlreadyLogon_ = false;
    QString DestinationAID_;
    QString ArticleAID_;
    QString JumpedAID_;
    uint64_t JumpStamp_ = 0;
    int16_t Task_ = 0;
    bool CanUseZEKURL_ = false;
    int BBSPort_ = 0;
    int32_t LastTimeOfSendingData_ = 0;
};

using ZEKAddressRef = std::shared_ptr<ZEKAddressCls>;
