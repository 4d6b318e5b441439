#pragma once
#include <QString>

// Where an article (or a board, or just a BBS) is: what the PTT text component cuts out
// of an article header and what it reads from a Zek URL or a telnet URL.
class PttArticle {
public:
    QString BBS;            // host name, without port
    int BBSPort = 0;        // 0 when the URL named none
    QString BoardName;
    QString ArticleAuthor;
    QString ArticleTitle;
    QString ArticleTime;
    QString ArticleAID;     // without the leading "#"

    // Empty when the descriptor is usable; otherwise the name of what could not be read.
    const QString& errorText() const { return errorText_; }
    void setErrorText(const QString& text) { errorText_ = text; }

    bool operator==(const PttArticle&) const = default;

private:
    QString errorText_;
};
