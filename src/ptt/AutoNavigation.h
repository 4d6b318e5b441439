#pragma once
#include "LogonAnswers.h"
#include "ZEKAddressCls.h"

#include <QString>

#include <cstdint>

class PageKeyTable;
class PttTextComponent;
class Settings;

// The keys a session needs next on its way to a Zek URL's destination, decided from the
// page its screen shows (the record's Position) and the record's destination. Nothing
// here sends anything: the main window sends the keys and opens the dialog it is told
// to. The record is updated as the keys consume the destination.
//
// A board name or identifier that is not one PTT could show is never typed (the URL
// module refuses such links before they get here; this is the last line).
class AutoNavigation {
public:
    struct Step {
        QString keys;              // to send to the session, in this order; "" for none
        bool loginDialog = false;  // ask for the account of this session

        bool operator==(const Step&) const = default;
    };

    // What the decisions read besides the record.
    struct Inputs {
        const Settings& settings;        // switch_of_auto_login, ptt_account, ptt_password
        const LogonAnswers& answers;     // the two questions after logon
        const PageKeyTable& pageKeys;    // the questions' texts
        const PttTextComponent* ptt;     // null: a search result is not opened
        QString row3;                    // the first entry of a search result list
        bool pttHost = true;             // the stored account goes to PTT only
    };

    static inline const QString kEnter = QStringLiteral("\r");
    static inline const QString kLeft = QStringLiteral("\x1b[D");
    static inline const QString kRight = QStringLiteral("\x1b[C");
    // The keep-alive: cursor down in application mode, harmless on every PTT page.
    static inline const QString kKeepAlive = QStringLiteral("\x1bOB");
    static constexpr int32_t kKeepAliveAfter = 600;  // seconds of silence

    // A screen of a session under automatic navigation was classified into record.
    // Does nothing when the record's AutoPTT is off.
    static Step afterScreen(ZEKAddressCls& record, const Inputs& in);

    // The first step for a record that already belongs to a session (AutoPTT on a
    // reused session): the keys that fit the page the session shows now.
    static Step onReusedSession(ZEKAddressCls& record, const Inputs& in);

    // A link dialog was asked for on an article whose identifier was not known yet:
    // true once it is (the task is then cleared).
    static bool takePendingLinkTask(ZEKAddressCls& record);

    // Whether a session silent since lastData (seconds since midnight, 0 = never) is due
    // for its keep-alive at now; a day boundary between them counts 24 hours on.
    static bool keepAliveDue(int32_t lastData, int32_t now);
    // Seconds from now until keepAliveDue holds (0: it holds now), -1 when it never will.
    static int32_t keepAliveIn(int32_t lastData, int32_t now);

private:
    static QString boardKeys(const QString& board);
    static QString aidKeys(const QString& aid);
    // The keys to the destination article; it becomes the record's jump, and the
    // destination is used up.
    static QString jumpKeys(ZEKAddressCls& r);
    static Step logonKeys(const Inputs& in);
};
