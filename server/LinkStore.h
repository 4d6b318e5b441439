#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One short link as the server keeps it. Texts are UTF-8.
struct StoredLink {
    std::string code;     // "b_...", "a_..." or "c_..."
    std::string path;     // the long form after the web root: "?cmd=pas:BBS=...&Board=..."
    std::string bbs;      // host, with ":port" when the link names one
    std::string board;
    std::string aid;
    std::string title;    // known only when the sharing client sent it
    std::string author;
    std::int64_t created = 0;  // seconds since the epoch

    bool operator==(const StoredLink&) const = default;
};

// Where short links live. The server keeps no other state of its own, so several server
// processes may share one store. Every operation is safe to call from several threads
// at once; a failure of the storage itself comes back as nullopt or an empty list and
// is logged by the store, never thrown.
class LinkStore {
public:
    virtual ~LinkStore() = default;

    // The link already stored under link.path, or else: when link.code is free, link
    // itself once it is committed; when the code belongs to another path, that other
    // link (the caller then picks a longer code). A stored link without title or
    // author gets them from link.
    virtual std::optional<StoredLink> insertOrGet(const StoredLink& link) = 0;
    virtual std::optional<StoredLink> findByCode(const std::string& code) = 0;
    virtual std::optional<StoredLink> findByPath(const std::string& path) = 0;
    // Newest first.
    virtual std::vector<StoredLink> recent(int limit) = 0;
    // Links whose board, title, author or article identifier contain every word of
    // words (ASCII letters in any case), newest first.
    virtual std::vector<StoredLink> search(const std::string& words, int limit) = 0;
};

// A LIKE pattern matching a word anywhere (ESCAPE '\\'): "%" and "_" are LIKE's
// wildcards, so a search for them means the characters. Both stores search this way.
inline std::string likePattern(const std::string& word) {
    std::string pattern = "%";
    for (char c : word) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}
