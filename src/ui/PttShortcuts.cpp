#include "ui/PttShortcuts.h"

namespace ptt_shortcuts {

const std::vector<Entry>& table() {
    static const std::vector<Entry> entries = {
        {QStringLiteral("mnuShortcutForwardArticle"), QByteArrayLiteral("X")},
        {QStringLiteral("mnuShortcutPublishArticle"), QByteArray(1, '\x10')},  // Ctrl+P
        {QStringLiteral("mnuShortcutMainZone"), QByteArrayLiteral("z")},
        {QStringLiteral("mnuShortcutSearchTitle"), QByteArrayLiteral("/")},
        {QStringLiteral("mnuShortcutSearchAuthor"), QByteArrayLiteral("a")},
        {QStringLiteral("mnuShortcutSearchArticleCount"), QByteArrayLiteral("Z")},
        {QStringLiteral("mnuShortcutThrowBall"), QByteArrayLiteral("w")},
        {QStringLiteral("mnuShortcutReplyBall"), QByteArray(1, '\x12')},  // Ctrl+R
        {QStringLiteral("mnuShortcutPageUp"), QByteArrayLiteral("\x1b[5~")},
        {QStringLiteral("mnuShortcutPageDown"), QByteArrayLiteral("\x1b[6~")},
        {QStringLiteral("mnuShortcutHome"), QByteArrayLiteral("\x1b[1~")},
        {QStringLiteral("mnuShortcutEnd"), QByteArrayLiteral("\x1b[4~")},
    };
    return entries;
}

QByteArray bytesFor(const QString& item) {
    for (const Entry& e : table())
        if (e.item == item) return e.bytes;
    return {};
}

}  // namespace ptt_shortcuts
