// Tab records, slots and the PTT port spreading.
#include "ui/TabTable.h"

#include <gtest/gtest.h>

namespace {

const QString kDomain = QStringLiteral("ptt.cc");

TEST(TabTable, PortSpreadingForThePttDomain) {
    struct Case {
        const char* host;
        int port, tab, expected;
    } cases[] = {
        {"ptt.cc", 23, 1, 3001},     {"ptt.cc", 23, 2, 3002},   {"ptt.cc", 23, 10, 3010},
        {"ptt.cc", 23, 11, 23},      {"ptt.cc", 23, 100, 23},   {"PTT.CC", 23, 4, 3004},
        {"Term.PTT.cc", 23, 3, 3003}, {"ptt.cc", 443, 3, 443},  {"ptt.cc", 3005, 2, 3005},
        {"ptt2.cc", 23, 2, 23},      {"bbs.example.org", 23, 1, 23}, {"127.0.0.1", 23, 1, 23},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TabTable::spreadPort(QString::fromUtf8(c.host), c.port, c.tab, kDomain), c.expected)
            << c.host << " port " << c.port << " tab " << c.tab;
    }
    // A local test domain gets the same treatment.
    EXPECT_EQ(TabTable::spreadPort("127.0.0.1", 23, 2, "127.0.0.1"), 3002);
    EXPECT_EQ(TabTable::spreadPort("anything", 23, 2, ""), 23);
}

TEST(TabTable, AutoPttPortAppliesToEveryHost) {
    EXPECT_EQ(TabTable::autoPttPort(1), 3001);
    EXPECT_EQ(TabTable::autoPttPort(3), 3003);
    EXPECT_EQ(TabTable::autoPttPort(10), 3010);
    EXPECT_EQ(TabTable::autoPttPort(11), 23);
}

TEST(TabTable, SlotsAreTakenLowestFirstAndReused) {
    TabTable table;
    for (int n = 1; n <= 100; ++n) {
        ASSERT_EQ(table.lowestFreeSlot(), n);
        table.setSlot(n, true);
    }
    EXPECT_EQ(table.lowestFreeSlot(), 0);  // full
    table.setSlot(37, false);
    table.setSlot(5, false);
    EXPECT_EQ(table.lowestFreeSlot(), 5);
    // Out-of-range slots read as taken and are never written.
    EXPECT_TRUE(table.slotTaken(0));
    EXPECT_TRUE(table.slotTaken(101));
    table.setSlot(101, false);
    table.setSlot(-3, false);
    EXPECT_EQ(table.lowestFreeSlot(), 5);
    table.clearSlots();
    EXPECT_EQ(table.lowestFreeSlot(), 1);
}

TEST(TabTable, ClosingShiftsLaterRecordsDown) {
    TabTable table;
    for (int t = 1; t <= 4; ++t) table.setRecord(t, {"ZEK", QString("host%1").arg(t), 3000 + t, t});
    table.shiftDown(2, 3);  // tab 2 closed; three remain
    EXPECT_EQ(table.record(1).address, "host1");
    EXPECT_EQ(table.record(2).address, "host3");
    EXPECT_EQ(table.record(2).slot, 3);
    EXPECT_EQ(table.record(3).address, "host4");
    EXPECT_EQ(table.record(4).address, "");

    table.shiftDown(3, 2);  // the last tab closed
    EXPECT_EQ(table.record(3).address, "");
    EXPECT_EQ(table.record(2).address, "host3");
    table.shiftDown(1, 0);  // ... and down to none
    table.shiftDown(1, 0);
    EXPECT_EQ(table.record(1).address, "");
}

TEST(TabTable, FullTableShiftAndOutOfRangeRecords) {
    TabTable table;
    for (int t = 1; t <= 100; ++t) table.setRecord(t, {"ZEK", QString::number(t), 23, t});
    table.shiftDown(1, 99);
    EXPECT_EQ(table.record(1).address, "2");
    EXPECT_EQ(table.record(99).address, "100");
    EXPECT_EQ(table.record(100).address, "");
    table.setRecord(101, {"ZEK", "x", 23, 1});
    EXPECT_EQ(table.record(101).address, "");
    EXPECT_EQ(table.record(0).address, "");
    EXPECT_EQ(table.record(-1).address, "");
}

}  // namespace
