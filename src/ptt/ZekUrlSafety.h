#pragma once
#include <QString>

#include <optional>

// Checks on what a Zek URL carries before Zek types any of it into a session. A Zek URL
// can come from any web page, so a board name or an article identifier that PTT could
// never show is refused rather than typed: a CR, an ESC or a long text in it would be
// keys in the user's logged-on session. Pure functions, so they can be fuzzed directly.
class ZekUrlSafety {
public:
    // PTT's board names: 1 to 12 of letters, digits, "_", "-" and ".".
    static constexpr int kMaxBoardName = 12;
    static bool isBoardName(const QString& name);

    // An article identifier: 8 of 0-9 A-Z a-z "_" "-", with an optional leading "#".
    // The identifier without the "#", or nothing when the text is not one.
    static std::optional<QString> articleId(const QString& text);

    // Whether host is the PTT domain itself or a name under it: an exact or dot-suffix
    // match, ignoring ASCII case. Never a substring test: "ptt.cc.example.org" and
    // "notptt.cc" are not PTT. Hosts with anything but ASCII never match, so no Unicode
    // case folding can turn a foreign name into ours. An empty domain matches nothing.
    // An address with a scheme ("ssh://bbs@ptt.cc") is judged by its host.
    static bool isPttHost(const QString& host, const QString& pttDomain);
};
