#include "AutoNavigation.h"

#include "PageKeyTable.h"
#include "PttTextComponent.h"
#include "ZekUrlSafety.h"
#include "app/Settings.h"

#include <algorithm>

using P = ZEKAddressCls::PositionCode;

QString AutoNavigation::boardKeys(const QString& board) {
    if (!ZekUrlSafety::isBoardName(board)) return QString();
    return QStringLiteral("s") + board + kEnter;
}

QString AutoNavigation::aidKeys(const QString& aid) {
    const auto id = ZekUrlSafety::articleId(aid);
    if (!id) return QString();
    return QStringLiteral("#") + *id + kEnter + kEnter;
}

QString AutoNavigation::jumpKeys(ZEKAddressCls& r) {
    const QString keys = aidKeys(r.DestinationAID());
    const auto id = ZekUrlSafety::articleId(r.DestinationAID());
    r.setJumpedAID(id && !keys.isEmpty() ? *id : QString());
    r.setDestinationAID(QString());
    return keys;
}

// The stored account goes only to PTT and only with automatic logon on; otherwise, and
// when nothing is stored (typing two empty lines would only fail), the login dialog asks.
AutoNavigation::Step AutoNavigation::logonKeys(const Inputs& in) {
    const Settings& s = in.settings;
    if (s.switch_of_auto_login != 1 || !in.pttHost || s.ptt_account.isEmpty() || s.ptt_password.isEmpty())
        return {QString(), true};
    return {in.settings.ptt_account + kEnter + in.settings.ptt_password + kEnter, false};
}

AutoNavigation::Step AutoNavigation::afterScreen(ZEKAddressCls& r, const Inputs& in) {
    Step step;
    if (!r.AutoPTT()) return step;
    switch (r.Position()) {
    case P::PosMainMenu:
        if (!r.DestinationBoardName().isEmpty()) {
            step.keys = boardKeys(r.DestinationBoardName());
            r.setDestinationBoardName(QString());
        }
        break;
    case P::PosArticleList:
        if (!r.DestinationAID().isEmpty()) step.keys = jumpKeys(r);
        r.setAutoPTT(false);
        break;
    case P::PosArticle:
    case P::PosLogonStop:
        r.setAutoPTT(false);
        break;
    case P::PosLogonPage:
        step = logonKeys(in);
        break;
    case P::PosResultList:
        if (in.ptt && in.ptt->checkResultList(r.Screen(), in.row3)) step.keys = kRight;
        r.setAutoPTT(false);
        break;
    case P::PosLogonAgain:
        // The stored password was refused: never send it again, ask.
        step.loginDialog = true;
        break;
    case P::PosLogonReply: {
        // Only the first question on the screen is answered.
        switch (in.pageKeys.logonReplyQuestionOn(r.Screen())) {
        case 0: step.keys = (in.answers.deleteOtherConnections ? QStringLiteral("y") : QStringLiteral("n")) + kEnter; break;
        case 1: step.keys = (in.answers.deletePasswordErrors ? QStringLiteral("y") : QStringLiteral("n")) + kEnter; break;
        case 2: step.keys = QStringLiteral("n") + kEnter; break;
        default: break;
        }
        break;
    }
    default:
        // The board prompt: the name is typed straight in, the article follows at once.
        if (r.CanUseZEKURL() && !r.DestinationBoardName().isEmpty()) {
            r.setCanUseZEKURL(false);
            const QString board = r.DestinationBoardName();
            r.setDestinationBoardName(QString());
            if (ZekUrlSafety::isBoardName(board)) {
                step.keys = board + kEnter;
                if (!r.DestinationAID().isEmpty()) step.keys += jumpKeys(r);
            }
            r.setDestinationAID(QString());
        }
        break;
    }
    // A prompt that waits for any key is passed with a blank.
    if (r.AutoReply()) {
        r.setAutoReply(false);
        if (r.Position() == P::PosOther) step.keys += QLatin1Char(' ');
    }
    return step;
}

AutoNavigation::Step AutoNavigation::onReusedSession(ZEKAddressCls& r, const Inputs& in) {
    Step step;
    const QString dest = r.DestinationBoardName();
    const bool sameBoard = r.BoardName().compare(dest, Qt::CaseInsensitive) == 0;
    switch (r.Position()) {
    case P::PosMainMenu:
        step.keys = boardKeys(dest);
        r.setDestinationBoardName(QString());
        break;
    case P::PosArticle:
        step.keys = sameBoard ? kLeft : boardKeys(dest);
        r.setDestinationBoardName(QString());
        break;
    case P::PosLogonPage:
        step = logonKeys(in);
        break;
    case P::PosArticleList:
    case P::PosResultList:
        if (!sameBoard) step.keys = boardKeys(dest);
        else if (r.Position() == P::PosResultList) step.keys = kLeft;
        r.setDestinationBoardName(QString());
        if (!r.DestinationAID().isEmpty() && step.keys.isEmpty()) step.keys = jumpKeys(r);
        break;
    default:
        step.keys = QStringLiteral("s");
        break;
    }
    return step;
}

bool AutoNavigation::takePendingLinkTask(ZEKAddressCls& r) {
    if (r.ArticleAID().isEmpty() || r.Task() != 1 || r.Position() != P::PosArticle) return false;
    r.setTask(0);
    return true;
}

bool AutoNavigation::keepAliveDue(int32_t lastData, int32_t now) { return keepAliveIn(lastData, now) == 0; }

int32_t AutoNavigation::keepAliveIn(int32_t lastData, int32_t now) {
    if (lastData <= 0) return -1;
    if (now < lastData) now += 24 * 3600;
    return std::max<int32_t>(0, kKeepAliveAfter + 1 - (now - lastData));
}
