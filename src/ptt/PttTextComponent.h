#pragma once
#include "PttArticle.h"

#include <QString>

#include <optional>

// What the client knows about the layout of PTT's pages and the payload of a Zek URL.
// Row texts are the screen rows as classification reads them (Big5 pairs joined); the
// screen text is all 24 rows joined. Everything here is a pure function of its
// arguments and never fails on odd input.
//
// Long Zek URL (prefix is the setting prefix_of_zek_long_url):
//   <prefix>?cmd=pas:BBS=ptt.cc                                    a BBS
//   <prefix>?cmd=pas:BBS=ptt.cc&Board=Test                         a board
//   <prefix>?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx     an article
// Values keep letters, digits and "_-.:" as they are and write anything else as %XX
// (UTF-8), so a URL stays readable and is one unbroken word in chat and e-mail; a "."
// that would end the URL is written %2E because link finders drop a final dot.
class PttTextComponent {
public:
    // Error texts of getArticleFromHeader.
    static const QString kErrorNoAuthor;   // "ERROR_ARTICLE_AUTHOR_NOT_FOUND"
    static const QString kErrorNoTitle;    // "ERROR_ARTICLE_TITLE_NOT_FOUND"

    // Row 2 is the column header of a board's article list, or the information box is
    // open over a list (which may hide that header).
    bool isArticleList(const QString& row2, const QString& screen) const;
    // "Name" out of "看板《Name》" or "系列《Name》" in row 0; "" when there is none.
    QString getBoardName(const QString& row0) const;
    QString makeBoardURL(const QString& longPrefix, const QString& BBS, const QString& boardName) const;

    // An article is being read: the reader's status line is on row 23, or its
    // information box is open (hasArticleInfo).
    bool isArticlePage(const QString& row19, const QString& row23, const QString& screen) const;
    // The article information box ("Q") is open with the identifier in it: on row 19
    // while reading, or anywhere over an article list.
    bool hasArticleInfo(const QString& row19, const QString& row23, const QString& screen) const;
    // The identifier in the information box wherever the box is on the screen; "".
    QString articleInfoAID(const QString& screen) const;
    // The identifier after "#" on row 19, without the "#"; "" when there is none.
    QString getArticleAID(const QString& row19) const;
    // Author, title, time and board from the header rows of an article. A header without
    // author or title gives a descriptor with an error text.
    PttArticle getArticleFromHeader(const QString& row0, const QString& row1, const QString& row2,
                                    const QString& row23, const QString& screen) const;
    // Board URL when the descriptor has no identifier (so "ArticleAID" appears only in
    // links that can open an article).
    QString makeArticleURL(const QString& longPrefix, const PttArticle& article) const;

    // Row 1 asks for a board name ("請輸入看板名稱").
    bool canUseZEKURL(const QString& row1, const QString& screen) const;
    // On a search-result list: the first entry (row 3) carries the cursor, so "→" opens it.
    bool checkResultList(const QString& screen, const QString& row3) const;

    // Reads a long Zek URL (anything with a "?cmd=pas:" query) or a telnet URL
    // ("telnet://host[:port][/]", scheme in any case). Null for anything else. A
    // descriptor may come back with an empty BBS when the URL names none. A link may
    // also carry the article's "Title" and "Author" for the web server's landing page.
    std::optional<PttArticle> parseURL(const QString& link) const;
};
