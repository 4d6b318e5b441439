#include "ScreenTestSupport.h"
#include "screen/LinkScanner.h"

#include <gtest/gtest.h>

using screentest::esc;

namespace {

// A screen with text written at (col, row).
ScreenModel screenWith(const std::vector<std::tuple<int, int, std::string>>& texts) {
    ScreenModel m;
    for (const auto& [c, r, s] : texts) m.feed(esc("[" + std::to_string(r + 1) + ";" + std::to_string(c + 1) + "H") + s);
    return m;
}

}  // namespace

TEST(LinkScannerTest, FindsLinksOnSyntheticRows) {
    struct Case {
        const char* name;
        std::vector<std::tuple<int, int, std::string>> texts;
        std::vector<ScreenLink> want;
    };
    const Case cases[] = {
        {"LowerCaseHttp", {{3, 2, " http://abcdefghi x"}}, {{4, 2, 16, "http://abcdefghi"}}},
        {"Https", {{0, 0, "HTTPS://Example.com/a?b=c"}}, {{0, 0, 25, "HTTPS://Example.com/a?b=c"}}},
        {"Telnet", {{10, 5, "telnet://ptt.cc"}}, {{10, 5, 15, "telnet://ptt.cc"}}},
        {"WwwAtTheLastStartColumn", {{67, 1, "www.a.tw"}}, {{67, 1, 8, "www.a.tw"}}},
        {"WwwPastTheLastStartColumn", {{70, 1, "www.a.tw"}}, {}},
        {"RunsToTheEndOfTheRow", {{60, 4, "http://" + std::string(20, 'x')}}, {{60, 4, 20, "http://" + std::string(13, 'x')}}},
        {"Big5DoesNotEndALink", {{0, 7, "telnet://ptt.cc\xa4\xa4\xa4\xe5 next"}}, {{0, 7, 19, "telnet://ptt.cc中文"}}},
        {"ControlByteEndsIt", {{0, 0, "www.x\x1b[5Cy"}}, {{0, 0, 5, "www.x"}}},
        {"PrefixAloneIsALink", {{0, 0, "WWW. next"}}, {{0, 0, 4, "WWW."}}},
        {"NotQuiteAPrefix", {{0, 0, "http:/x ftp://a wwwx"}}, {}},
        {"TwoOnARowAndOneBelow",
         {{0, 3, "see http://a.b and www.c.d"}, {5, 4, "HtTp://Z"}},
         {{4, 3, 10, "http://a.b"}, {19, 3, 7, "www.c.d"}, {5, 4, 8, "HtTp://Z"}}},
        {"ScanResumesAfterTheLink", {{0, 0, "www.http://x"}}, {{0, 0, 12, "www.http://x"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenModel m = screenWith(c.texts);
        const std::vector<ScreenLink> got = LinkScanner::scan(m);
        ASSERT_EQ(got.size(), c.want.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].column, c.want[i].column);
            EXPECT_EQ(got[i].row, c.want[i].row);
            EXPECT_EQ(got[i].length, c.want[i].length);
            EXPECT_EQ(got[i].text, c.want[i].text);
        }
    }
}

TEST(LinkScannerTest, CheckLinkTakesAnUpperCasePrefix) {
    const ScreenModel m = screenWith({{2, 0, "Http://ab cd"}});
    EXPECT_EQ(LinkScanner::fCheckLink(m, "HTTP://", 2, 0), 9);
    EXPECT_EQ(LinkScanner::fCheckLink(m, "http://", 2, 0), 0);  // the prefix side is not folded
    EXPECT_EQ(LinkScanner::fCheckLink(m, "HTTPS://", 2, 0), 0);
    EXPECT_EQ(LinkScanner::fCheckLink(m, "HTTP://", 3, 0), 0);
    EXPECT_EQ(LinkScanner::fCheckLink(m, "HTTP://", -5, 0), 0);
    EXPECT_EQ(LinkScanner::fCheckLink(m, "HTTP://", 2, 99), 0);
}

TEST(LinkScannerTest, ManyLinksStopAtTheTableSize) {
    ScreenModel m;
    std::string row;
    for (int i = 0; i < 13; ++i) row += "www. ";  // 13 links starting in columns 0..60
    for (int r = 0; r < 24; ++r) m.feed(esc("[" + std::to_string(r + 1) + ";1H") + row);
    const auto links = LinkScanner::scan(m);
    ASSERT_EQ(links.size(), size_t(LinkScanner::kMaxLinks));
    EXPECT_EQ(links.back().row, 7);  // 7 full rows of 13, then 10 on row 7
    EXPECT_EQ(links.back().column, 45);
    EXPECT_EQ(LinkScanner::linkAt(links, 46, 7), LinkScanner::kMaxLinks - 1);
    EXPECT_EQ(LinkScanner::linkAt(links, 4, 0), -1);  // the blank after a link
}

TEST(LinkScannerTest, InfoBoxesOfRecordedScreensHoldTheArticleAddress) {
    const std::string address = "http://www.ptt.cc/bbs/Test/M.1796502767.A.4FB.html";
    for (const char* last : {"14_article_info_box_in_list", "22_article_info_box_in_article"}) {
        SCOPED_TRACE(last);
        ScreenModel m;
        screentest::replayMainSessionTo(m, last);
        const auto links = LinkScanner::scan(m);
        ASSERT_EQ(links.size(), 1u);
        EXPECT_EQ(links[0].text, address);
        EXPECT_EQ(links[0].length, int(address.size()));
        // The link sits on the row that says so, at the column its bytes start.
        const std::string row = big5::rowToUtf8(m, links[0].row);
        EXPECT_NE(row.find("文章網址: " + address), std::string::npos);
        EXPECT_EQ(m.f取回銀幕文字(links[0].column, links[0].row), 'h');
        EXPECT_EQ(m.f取回銀幕文字(links[0].column + links[0].length, links[0].row), ' ');
    }
}

TEST(LinkScannerTest, ScreensWithoutAddressesHaveNoLinks) {
    ScreenModel m;
    m.feed(fixtures::read("ptt/03_logon_page_main.bin"));
    EXPECT_TRUE(LinkScanner::scan(m).empty());
}
