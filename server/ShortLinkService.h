#pragma once
#include "LinkStore.h"
#include "ServiceAnswer.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The two short-link services of the web server.
//
// Shorten: POST, form-encoded body "x=" + the query of a long Zek URL after "cmd=pas:",
//   e.g. "x=BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx". The answer is the code and the
//   kind of link on two lines: "a_Xy3kP9qZ\r\nArticle" ("b_" / "Board" for a board,
//   "c_" / "BBS" for a BBS alone). The same link always gets the same code, whatever the
//   order of its keys.
// Expand: POST, body "x=" + the query of a short Zek URL with "cmd=pas:" made "x=",
//   i.e. "x=x=a_Xy3kP9qZ" (a bare code is taken too). The answer is the path of the
//   long form after the web root, then the kind: "?cmd=pas:BBS=...\r\nArticle".
// Clients take a two-line answer as success; every refusal is a 4xx with one line.
class ShortLinkService {
public:
    using Clock = std::function<std::int64_t()>;  // seconds since the epoch

    explicit ShortLinkService(LinkStore& store, Clock clock = {});

    ServiceAnswer shorten(const std::string& body);
    ServiceAnswer expand(const std::string& body);

    // The link behind a code taken from a short URL's query ("x=cmd=pas:CODE").
    std::optional<StoredLink> resolveQuery(const std::string& query);

    // A link named by a long form's query, in its one canonical spelling (what
    // shorten would store), or nullopt when it names no BBS.
    static std::optional<StoredLink> canonicalLink(const std::string& payload);
    // The code inside a body or query ("x=x=CODE", "cmd=pas:CODE", "CODE"); "" when
    // there is none of the right shape.
    static std::string codeIn(const std::string& text);
    // "a_" + the first length characters of the base-62 digest of the path.
    static std::string codeFor(const StoredLink& link, int length);
    static const char* kindName(const std::string& code);

    static constexpr int kCodeLength = 8;
    static constexpr size_t kMaxPayload = 2048;

private:
    LinkStore& store_;
    Clock clock_;
};
