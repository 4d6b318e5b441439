#pragma once
#include <QString>

class QWidget;

// Everything that would stop and wait for a person, or leave the program (message
// boxes, questions, opening a URL in the desktop's browser). The program uses the Qt
// implementation; tests put in a recorder.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    // A message box with one OK button.
    virtual void message(const QString& text, const QString& title) = 0;
    // A Yes/No question with No as the default; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title) = 0;
    // Hands a URL to the desktop's default handler.
    virtual void openUrl(const QString& url) = 0;
    // Asks for a password (typed hidden); false when cancelled. The default cancels.
    virtual bool askPassword(const QString& text, const QString& title, QString& password) {
        (void)text, (void)title, (void)password;
        return false;
    }
    // A Yes/No question with a "don't ask again" box labelled optOutLabel; optedOut
    // tells whether the box was ticked. Without a box of its own: the plain question.
    virtual bool askYesNoWithOptOut(const QString& text, const QString& title, const QString& optOutLabel,
                                    bool& optedOut) {
        (void)optOutLabel;
        optedOut = false;
        return askYesNo(text, title);
    }
};
