#pragma once
#include <QString>

#include <optional>

// A web page hands a Zek URL to Zek by putting "pas:" and the part of the long URL after
// the long prefix on the clipboard. This reads such a text: nothing unless it begins with
// "pas:" exactly; then the text with every "pas:" removed and the other spelling of the
// PTT domain replaced by the domain, ready to be put after the long prefix.
class ClipboardHandOff {
public:
    static inline const QString kMark = QStringLiteral("pas:");
    static std::optional<QString> read(const QString& clipboard, const QString& pttDomain,
                                       const QString& pttDomainAlt);
};
