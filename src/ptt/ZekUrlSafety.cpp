#include "ZekUrlSafety.h"

#include "session/BbsAddress.h"

namespace {

bool isAsciiAlnum(char16_t u) {
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

}  // namespace

bool ZekUrlSafety::isBoardName(const QString& name) {
    if (name.isEmpty() || name.size() > kMaxBoardName) return false;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if (!isAsciiAlnum(u) && u != '_' && u != '-' && u != '.') return false;
    }
    return true;
}

std::optional<QString> ZekUrlSafety::articleId(const QString& text) {
    const QString id = text.startsWith(QLatin1Char('#')) ? text.mid(1) : text;
    if (id.size() != 8) return std::nullopt;
    for (QChar c : id) {
        const char16_t u = c.unicode();
        if (!isAsciiAlnum(u) && u != '_' && u != '-') return std::nullopt;
    }
    return id;
}

bool ZekUrlSafety::isPttHost(const QString& hostOrAddress, const QString& pttDomain) {
    // "ssh://bbs@ptt.cc" and the like are PTT by their host part.
    const QString host =
        BbsAddress::hasScheme(hostOrAddress) ? BbsAddress::parse(hostOrAddress).host : hostOrAddress;
    return BbsAddress::isHostInDomain(host, pttDomain);
}
