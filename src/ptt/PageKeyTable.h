#pragma once
#include <QString>
#include <QStringList>

#include <array>

class IniFile;
class LanguageTexts;
class UserInteraction;

// The fourteen lists of texts by which PTT pages are recognised. They come from the
// [KeysofPage] section of languages.ini, so a change in PTT's wording needs only a new
// language file. Each INI value is split at "--" into key items; an item holding "|" is
// a set of alternatives.
class PageKeyTable {
public:
    // In the order they are loaded (and checked) from the language file.
    enum List {
        MainMenu,              // keys-of-main-menu-page, whole screen
        ArticleListFirstRow,   // keys-of-first-row-of-article-list-page, row 0
        ArticleListLastRow,    // keys-of-last-row-of-article-list-page (not consulted)
        ArticleFirstRow,       // keys-of-first-row-of-article-page, row 0
        ArticleLastRow,        // keys-of-last-row-of-article-page (not consulted)
        LogonPage,             // keys-of-logon-page, whole screen
        ResultListFirstRow,    // keys-of-first-row-of-article-result-list, row 0
        ResultListLastRow,     // keys-of-last-row-of-article-result-list, row 23
        AutoReply,             // keys-of-auto-reply, whole screen
        DelayStarting,         // key-of-delay-starting, whole screen
        DelayEnding,           // key-of-delay-ending, whole screen
        LogonAgain,            // key-of-logon-again, whole screen
        LogonReply,            // key-of-logon-reply, whole screen
        LogonStop,             // key-of-logon-stop, whole screen
        ListCount
    };

    static const char* iniKey(List list);
    static const char* errorName(List list);

    // Reads the lists in order. The first empty or missing value stops loading: its
    // error text is shown through ui (title texts.messageTitle()) and false comes back;
    // the lists read before it stay loaded.
    bool load(const IniFile& languages, const LanguageTexts& texts, UserInteraction& ui);

    const QStringList& list(List list) const;
    // For tests and tools: put a value in as if it had been read ("A--B|C").
    void setValue(List list, const QString& value);

    bool matches(List list, const QString& text) const { return match(text, this->list(list)); }

    // Plain items must occur in order (each found at or after the start of the previous
    // one + 1); items with "|" are satisfied by any alternative anywhere in the text.
    // An empty list matches everything.
    static bool match(const QString& text, const QStringList& keyList);

    // The three questions asked right after logon: the first item of key-of-logon-reply
    // split at "|". Always three entries; missing ones are empty.
    //   0: delete other connections of this account?
    //   1: delete the record of wrong password attempts?
    //   2: a further question, always answered "n".
    QStringList logonReplyQuestions() const;
    // Index 0..2 of the first question (in that order) that the screen shows, or -1.
    // An empty question never matches, so a first item with fewer than three texts
    // simply leaves the missing questions unanswered.
    int logonReplyQuestionOn(const QString& screenText) const;

private:
    std::array<QStringList, ListCount> lists_;
};
