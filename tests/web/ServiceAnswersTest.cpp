// What the server's answers mean. These functions read hostile text; each table holds
// the shapes that must work and the ones that must open nothing.
#include "web/ServiceAnswers.h"

#include <gtest/gtest.h>

using namespace service_answers;

namespace {
const QString kShort = QStringLiteral("http://zek.test/?x=");
const QString kLong = QStringLiteral("http://zek.test/");
}  // namespace

TEST(ServiceAnswers, ShortLinkBodyIsThePayloadAfterTheFirstQuestionMark) {
    const struct { const char* link; const char* body; } cases[] = {
        {"http://zek.test/?cmd=pas:BBS=ptt.cc&Board=Test", "x=BBS=ptt.cc&Board=Test"},
        {"http://zek.test/?cmd=pas:BBS=ptt.cc&Board=A?b", "x=BBS=ptt.cc&Board=A?b"},
        {"cmd=pas:BBS=ptt.cc", "x=BBS=ptt.cc"},  // no "?": posted whole
        {"http://zek.test/?x=cmd=pas:a_1h57", "x=x=a_1h57"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(shortLinkBody(QString::fromUtf8(c.link)), QString::fromUtf8(c.body)) << c.link;
}

TEST(ServiceAnswers, ShortCodeAnswerNeedsExactlyTwoLinesAndASafeCode) {
    const struct { const char* answer; bool opens; const char* type; const char* code; } cases[] = {
        {"b_Ab3\r\n", true, "Board", "b_Ab3"},
        {"a_1h57JlJx\r\nsaved", true, "Article", "a_1h57JlJx"},
        {"  c_9\r\n  ", true, "BBS", "c_9"},
        {"zz12\r\n", true, "", "zz12"},  // no known prefix: the dialog keeps its content
        {"b_Ab3", false, "", ""},        // one line
        {"b_Ab3\r\n\r\n", false, "", ""},
        {"b_Ab3\n", false, "", ""},  // a bare LF is no line break here
        {"\r\n", false, "", ""},
        {"b_A b\r\n", false, "", ""},
        {"b_\"><script>\r\n", false, "", ""},
        {"", false, "", ""},
    };
    for (const auto& c : cases) {
        const auto code = parseShortCode(QString::fromUtf8(c.answer), kShort);
        ASSERT_EQ(code.has_value(), c.opens) << c.answer;
        if (!code) continue;
        EXPECT_EQ(code->type, QString::fromUtf8(c.type)) << c.answer;
        EXPECT_EQ(code->link, kShort + QStringLiteral("cmd=pas:") + QString::fromUtf8(c.code));
    }
    EXPECT_FALSE(parseShortCode(QString(200, QLatin1Char('b')) + QStringLiteral("\r\n"), kShort));
}

TEST(ServiceAnswers, LongPathAnswerMustMakeALongZekUrl) {
    const struct { const char* answer; const char* link; } cases[] = {
        {"?cmd=pas:BBS=ptt.cc&Board=Test\r\n", "http://zek.test/?cmd=pas:BBS=ptt.cc&Board=Test"},
        {"?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57\r\nextra\r\n",
         "http://zek.test/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57"},
        {"?cmd=pas:BBS=ptt.cc&Board=A+B\r\n", "http://zek.test/?cmd=pas:BBS=ptt.cc&Board=A%20B"},
        {"?cmd=pas:BBS=ptt.cc", nullptr},  // one line
        {"no\r\n", nullptr},               // unknown code
        {"\r\n", nullptr},
        {"home.html\r\n", nullptr},
        {"?cmd=pas:BBS=ptt cc\r\n", nullptr},
        {"//evil.test/?cmd=pas:BBS=ptt.cc\r\n", nullptr},
        {"x@evil.test/?cmd=pas:BBS=ptt.cc\r\n", nullptr},
        {"?cmd=pas:BBS=ptt.cc\x01\r\n", nullptr},
    };
    for (const auto& c : cases) {
        const auto link = parseLongPath(QString::fromUtf8(c.answer), kLong);
        if (c.link) EXPECT_EQ(link.value_or(QStringLiteral("(none)")), QString::fromUtf8(c.link)) << c.answer;
        else EXPECT_FALSE(link.has_value()) << c.answer;
    }
}

TEST(ServiceAnswers, VersionAnswerIsAnInstallerAddressOrNothing) {
    const struct { const char* answer; const char* url; } cases[] = {
        {"  http://zek.test/update/Zek-0.9.14.exe  ", "http://zek.test/update/Zek-0.9.14.exe"},
        {"http://zek.test/update/zek_0.9.14_amd64.deb\r\n", "http://zek.test/update/zek_0.9.14_amd64.deb"},
        {"https://zek.test/zek.AppImage", "https://zek.test/zek.AppImage"},
        {"http://zek.test/update/Zek.EXE", nullptr},  // the suffix test is case-sensitive
        {"no", nullptr},
        {"", nullptr},
        {"file:///etc/zek.exe", nullptr},
        {"ftp://zek.test/zek.exe", nullptr},
        {"zek.exe", nullptr},
        {"http://zek.test/.exe", nullptr},
        {"http://zek.test/a/..exe", nullptr},
        {"http://zek.test/zek.exe?x=1.exe", nullptr},
        {"http://zek.test/z%2F..%2Fzek.exe", nullptr},
        {"http:///zek.exe", nullptr},
    };
    for (const auto& c : cases) {
        const auto url = parseVersionAnswer(QString::fromUtf8(c.answer));
        if (c.url) EXPECT_EQ(url.value_or(QStringLiteral("(none)")), QString::fromUtf8(c.url)) << c.answer;
        else EXPECT_FALSE(url.has_value()) << c.answer;
    }
    EXPECT_EQ(versionBody(0, 9, 13), QStringLiteral("major=0&minor=9&revision=13"));
}

TEST(ServiceAnswers, NotFoundPageIsRecognisedInTheFirstPiece) {
    const struct { const char* chunk; bool notFound; } cases[] = {
        {"<html><title>404 Not Found</title>", true},
        {"HTTP 404: Not Found", true},
        {"404NotFound", true},
        {"404 not found", false},  // case-sensitive
        {"Not Found 404", false},
        {"MZ\x90\x00\x03", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isNotFoundPage(QByteArray(c.chunk)), c.notFound) << c.chunk;
}
