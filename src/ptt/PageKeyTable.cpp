#include "PageKeyTable.h"

#include "app/IniFile.h"
#include "app/LanguageTexts.h"
#include "app/UserInteraction.h"

namespace {

struct ListInfo {
    const char* key;
    const char* error;
};

constexpr ListInfo kLists[PageKeyTable::ListCount] = {
    {"keys-of-main-menu-page", "ERROR_INVALID_KEYS_FOR_MAIN_MENU"},
    {"keys-of-first-row-of-article-list-page", "ERROR_INVALID_KEYS_FOR_ARTICLE_LIST"},
    {"keys-of-last-row-of-article-list-page", "ERROR_INVALID_KEYS_FOR_ARTICLE_LIST"},
    {"keys-of-first-row-of-article-page", "ERROR_INVALID_KEYS_FOR_ARTICLE"},
    {"keys-of-last-row-of-article-page", "ERROR_INVALID_KEYS_FOR_ARTICLE"},
    {"keys-of-logon-page", "ERROR_INVALID_KEYS_FOR_LOGON_PAGE"},
    {"keys-of-first-row-of-article-result-list", "ERROR_INVALID_KEYS_FOR_ARTICLE_LIST"},
    {"keys-of-last-row-of-article-result-list", "ERROR_INVALID_KEYS_FOR_ARTICLE_LIST"},
    {"keys-of-auto-reply", "ERROR_INVALID_KEYS_FOR_AUTO_REPLY"},
    {"key-of-delay-starting", "ERROR_INVALID_KEYS_FOR_DELAY_STARTING"},
    {"key-of-delay-ending", "ERROR_INVALID_KEYS_FOR_DELAY_ENDING"},
    {"key-of-logon-again", "ERROR_INVALID_KEYS_FOR_LOGON_AGAIN"},
    {"key-of-logon-reply", "ERROR_INVALID_KEYS_FOR_LOGON_REPLY"},
    {"key-of-logon-stop", "ERROR_INVALID_KEYS_FOR_LOGON_STOP"},
};

const QString kSection = QStringLiteral("KeysofPage");
const QString kItemSeparator = QStringLiteral("--");
const QChar kAlternative = QLatin1Char('|');

}  // namespace

const char* PageKeyTable::iniKey(List list) {
    return list >= 0 && list < ListCount ? kLists[list].key : "";
}

const char* PageKeyTable::errorName(List list) {
    return list >= 0 && list < ListCount ? kLists[list].error : "";
}

bool PageKeyTable::load(const IniFile& languages, const LanguageTexts& texts, UserInteraction& ui) {
    for (int i = 0; i < ListCount; ++i) {
        const QString value = languages.getValue(kSection, QString::fromLatin1(kLists[i].key), QString());
        if (value.isEmpty()) {
            ui.message(texts.text(QString::fromLatin1(kLists[i].error)), texts.messageTitle());
            return false;
        }
        lists_[i] = value.split(kItemSeparator);
    }
    return true;
}

const QStringList& PageKeyTable::list(List list) const {
    static const QStringList empty;
    return list >= 0 && list < ListCount ? lists_[list] : empty;
}

void PageKeyTable::setValue(List list, const QString& value) {
    if (list >= 0 && list < ListCount) lists_[list] = value.split(kItemSeparator);
}

bool PageKeyTable::match(const QString& text, const QStringList& keyList) {
    qsizetype from = 0;
    for (const QString& item : keyList) {
        if (item.contains(kAlternative)) {
            // Alternatives are looked for anywhere and do not move the search position.
            bool found = false;
            for (const QString& alternative : item.split(kAlternative)) {
                if (text.contains(alternative)) {
                    found = true;
                    break;
                }
            }
            if (!found) return false;
            continue;
        }
        // An empty item is found at the search position while that lies inside the text.
        const qsizetype at = item.isEmpty() ? (from < text.size() ? from : -1) : text.indexOf(item, from);
        if (at < 0) return false;
        from = at + 1;
    }
    return true;
}

QStringList PageKeyTable::logonReplyQuestions() const {
    QStringList questions;
    const QStringList& items = lists_[LogonReply];
    if (!items.isEmpty()) questions = items.first().split(kAlternative);
    while (questions.size() < 3) questions.append(QString());
    return questions.mid(0, 3);
}

int PageKeyTable::logonReplyQuestionOn(const QString& screenText) const {
    const QStringList questions = logonReplyQuestions();
    for (int i = 0; i < questions.size(); ++i) {
        if (!questions[i].isEmpty() && screenText.contains(questions[i])) return i;
    }
    return -1;
}
