#pragma once
#include "LinkStore.h"
#include "ServerConfig.h"

#include <string>
#include <vector>

// The HTML of the web server's pages, in Traditional Chinese and English side by side.
// Plain HTML and one small style sheet, nothing fetched from elsewhere, so the pages
// load at once and work on a machine without a network. root is the web root the page
// links to (ends in "/"); every text from a link or a query is escaped.
class WebPages {
public:
    explicit WebPages(const ServerConfig& config);

    std::string home(const std::string& root, const std::vector<StoredLink>& recent) const;
    std::string search(const std::string& root, const std::string& query, const std::vector<StoredLink>& found) const;
    // The page a long Zek URL opens in a browser. link.code is empty when the link was
    // never shortened.
    std::string landing(const std::string& root, const StoredLink& link) const;
    std::string userGuide(const std::string& root) const;
    std::string terms(const std::string& root) const;
    std::string troubleTicket(const std::string& root) const;
    std::string download(const std::string& root, const std::vector<std::string>& files) const;
    std::string notFound(const std::string& root, const std::string& what) const;

    static const std::string& styleSheet();
    static std::string escape(const std::string& text);
    // What Zek's clipboard watcher takes: "pas:" + the long form after the web root.
    static std::string handOffText(const StoredLink& link);

private:
    std::string frame(const std::string& root, const std::string& title, const std::string& body) const;
    std::string linkList(const std::string& root, const std::vector<StoredLink>& links) const;

    std::string pttHost_;
    std::string installer_;
};
