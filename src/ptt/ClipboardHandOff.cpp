#include "ClipboardHandOff.h"

std::optional<QString> ClipboardHandOff::read(const QString& clipboard, const QString& pttDomain,
                                              const QString& pttDomainAlt) {
    if (!clipboard.startsWith(kMark)) return std::nullopt;
    QString text = clipboard;
    text.remove(kMark);
    if (!pttDomainAlt.isEmpty() && !pttDomain.isEmpty()) text.replace(pttDomainAlt, pttDomain);
    return text;
}
