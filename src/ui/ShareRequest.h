#pragma once
// What the make-link command and the toolbar's share button do for the current
// session: show the link dialog with a link of a kind, or first ask PTT for the
// article's identifier ("Q" opens PTT's article information box).
#include <QString>

struct ShareRequest {
    enum class Action { Nothing, ShowDialog, AskForArticleId };
    Action action = Action::Nothing;
    QString type;  // "Board", "Article", "BBS" or "" (the dialog explains Zek links)
    QString link;

    // isSession: the current tab is a BBS session with an address record.
    // position: the record's page type code; addressText: the address box's text.
    static ShareRequest decide(bool isSession, int position, const QString& addressText);
};
