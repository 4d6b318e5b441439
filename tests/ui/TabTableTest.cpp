// The PTT port spreading over the first ten tabs.
#include "ui/TabTable.h"

#include <gtest/gtest.h>

TEST(TabTable, PortSpreadingForThePttDomain) {
    const struct {
        const char *host, *domain;
        int port, tab, expected;
    } cases[] = {
        {"ptt.cc", "ptt.cc", 23, 1, 3001},       {"ptt.cc", "ptt.cc", 23, 10, 3010},
        {"ptt.cc", "ptt.cc", 23, 11, 23},        {"PTT.CC", "ptt.cc", 23, 4, 3004},
        {"Term.PTT.cc", "ptt.cc", 23, 3, 3003},  {"ptt2.cc", "ptt.cc", 23, 2, 23},
        {"ptt.cc", "ptt.cc", 443, 3, 443},       {"127.0.0.1", "ptt.cc", 23, 1, 23},
        {"127.0.0.1", "127.0.0.1", 23, 2, 3002}, {"anything", "", 23, 2, 23},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TabTable::spreadPort(c.host, c.port, c.tab, c.domain), c.expected) << c.host << " tab " << c.tab;
    // AutoPTT spreads whatever the host.
    EXPECT_EQ(TabTable::autoPttPort(10), 3010);
    EXPECT_EQ(TabTable::autoPttPort(11), 23);
}
