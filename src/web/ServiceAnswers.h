#pragma once
// The texts exchanged with the product web server's services, as pure functions: what
// is posted, and what an answer means. Every answer is hostile input; a function that
// cannot make sense of one says so with an empty result and never reads out of bounds.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace service_answers {

// Blanks (spaces only) removed from both ends. Line breaks stay: they give an answer
// its shape ("code" CR LF "" is two lines).
QString trimBlanks(const QString& text);

// Body posted to a short-link service: the link's part after its first "?" (the whole
// link without one), every "cmd=pas:" replaced by "x=".
QString shortLinkBody(const QString& linkText);

struct ShortCode {
    QString type;  // "Board", "Article", "BBS", or "" when the code has no known prefix
    QString link;  // short prefix + "cmd=pas:" + code
};
// Answer of the long-to-short service: exactly two lines, the first being the code.
// Codes are 1 to 128 characters of letters, digits and "_-.~"; anything else is refused.
std::optional<ShortCode> parseShortCode(const QString& answer, const QString& shortPrefix);

// Answer of the short-to-long service: at least two lines, the first being the path of
// the long form ("?cmd=pas:..." after the long prefix). "+" stands for a blank. Anything
// that would not make a long Zek URL (no "?cmd=pas:" query, blanks, control characters,
// over 2048 characters) is refused, so an unknown code opens nothing.
std::optional<QString> parseLongPath(const QString& answer, const QString& longPrefix);

// "major=0&minor=9&revision=13".
QString versionBody(int major, int minor, int revision);

// Answer of the version service: the installer's address when it is one, else empty
// ("no newer version"). Blanks and line breaks around it are dropped. It must be an
// http or https URL whose last path part is a usable file name ending, case-sensitively,
// in an installer suffix (installerSuffixes()).
std::optional<QString> parseVersionAnswer(const QString& answer);
const QStringList& installerSuffixes();

// The part of a download URL after its last "/", when it is a safe file name for the
// update folder (letters, digits and "._+-~", not starting with a dot, at most 200
// characters); "" otherwise.
QString installerFileName(const QString& downloadUrl);

// The first piece of a download reads as a not-found page ("404", later "Not", later
// "Found", case-sensitive).
bool isNotFoundPage(const QByteArray& firstChunk);

}  // namespace service_answers
