#include "ptt/ZEKAddressPoolCls.h"

#include <gtest/gtest.h>

namespace {

TEST(AddressPool, AddNeverReplacesAndKeepsInsertionOrder) {
    ZEKAddressPoolCls pool;
    auto add = [&](const QString& key, const QString& bbs) { return pool.Add(key, {}, 2, 0, {}, {}, {}, {}, bbs, {}); };
    EXPECT_EQ(add(QString(), "a"), nullptr);
    const ZEKAddressRef first = add("2", "ptt.cc"), second = std::make_shared<ZEKAddressCls>();
    EXPECT_EQ(add("2", "other"), first);
    EXPECT_EQ(first->BBS(), QStringLiteral("ptt.cc"));
    second->setKey("10");
    pool.add2(second);
    pool.add2(std::make_shared<ZEKAddressCls>());  // no key: refused
    add("1", "x");
    QStringList keys;
    for (const ZEKAddressRef& r : pool) keys << r->Key();
    EXPECT_EQ(keys, (QStringList{"2", "10", "1"}));
    EXPECT_EQ(pool.Item(2), first);
    pool.Remove(QStringLiteral("7"));
    pool.Remove(QStringLiteral("10"));
    EXPECT_EQ(pool.Item(QStringLiteral("10")), nullptr);
    EXPECT_EQ(pool.Count(), 2);
    pool.Clear();
    EXPECT_EQ(first->Key(), QStringLiteral("2"));  // a held record outlives the pool's
}

// Ports: numbers and numeric text in range, anything else 0.
TEST(AddressRecord, PortsInRange) {
    ZEKAddressCls r;
    const std::pair<QVariant, int> ports[] = {{" 3001 ", 3001}, {65535, 65535}, {65536, 0}, {-1, 0}, {"23x", 0}};
    for (const auto& [in, port] : ports) {
        r.setBBSPort(in);
        EXPECT_EQ(r.BBSPort(), port) << in.toString().toStdString();
    }
}

}  // namespace
