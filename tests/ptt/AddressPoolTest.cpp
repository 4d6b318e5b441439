#include "ptt/ZEKAddressPoolCls.h"

#include <gtest/gtest.h>

namespace {

ZEKAddressRef add(ZEKAddressPoolCls& pool, const QString& key, const QString& bbs) {
    return pool.Add(key, QStringLiteral("screen"), 2, 0, QStringLiteral("short"), QStringLiteral("long"),
                    QStringLiteral("author"), QStringLiteral("board"), bbs, QStringLiteral("title"));
}

TEST(AddressPool, AddNeverReplacesAndKeepsInsertionOrder) {
    ZEKAddressPoolCls pool;
    EXPECT_EQ(add(pool, QString(), QStringLiteral("a")), nullptr);
    EXPECT_EQ(pool.Count(), 0);

    ZEKAddressRef first = add(pool, QStringLiteral("2"), QStringLiteral("ptt.cc"));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Key(), QStringLiteral("2"));
    EXPECT_EQ(first->ShortURL(), QStringLiteral("short"));
    EXPECT_EQ(first->Position(), 2);
    EXPECT_EQ(add(pool, QStringLiteral("2"), QStringLiteral("other")), first);
    EXPECT_EQ(first->BBS(), QStringLiteral("ptt.cc"));

    auto second = std::make_shared<ZEKAddressCls>();
    second->setKey(QStringLiteral("10"));
    pool.add2(second);
    pool.add2(nullptr);
    pool.add2(std::make_shared<ZEKAddressCls>());  // no key
    auto clash = std::make_shared<ZEKAddressCls>();
    clash->setKey(QStringLiteral("2"));
    pool.add2(clash);
    add(pool, QStringLiteral("1"), QStringLiteral("x"));

    ASSERT_EQ(pool.Count(), 3);
    QStringList keys;
    for (const ZEKAddressRef& r : pool) keys << r->Key();
    EXPECT_EQ(keys, (QStringList{QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("1")}));
    EXPECT_EQ(pool.Item(QStringLiteral("10")), second);
    EXPECT_EQ(pool.Item(2), first);
    EXPECT_EQ(pool.Item(QStringLiteral("7")), nullptr);

    pool.Remove(QStringLiteral("7"));
    EXPECT_EQ(pool.Count(), 3);
    pool.Remove(QStringLiteral("10"));
    EXPECT_EQ(pool.Item(QStringLiteral("10")), nullptr);
    EXPECT_EQ(pool.Count(), 2);
    pool.Clear();
    EXPECT_EQ(pool.Count(), 0);
    // A record someone still holds outlives its removal from the pool.
    EXPECT_EQ(first->Key(), QStringLiteral("2"));
}

TEST(AddressRecord, PortTakesNumbersAndNumericText) {
    struct Case {
        QVariant in;
        int expected;
    };
    const Case cases[] = {
        {QVariant(23), 23},           {QVariant(QStringLiteral("23")), 23}, {QVariant(QStringLiteral(" 3001 ")), 3001},
        {QVariant(65535), 65535},     {QVariant(65536), 0},                 {QVariant(-1), 0},
        {QVariant(QStringLiteral("telnet")), 0}, {QVariant(QStringLiteral("23x")), 0}, {QVariant(), 0},
        {QVariant(8023.0), 8023},     {QVariant(QByteArray("443")), 443},
    };
    for (const Case& c : cases) {
        ZEKAddressCls r;
        r.setBBSPort(c.in);
        EXPECT_EQ(r.BBSPort(), c.expected) << c.in.toString().toStdString();
    }
    ZEKAddressCls r;
    r.setBBSPort("8023");
    EXPECT_EQ(r.BBSPort(), 8023);
    r.setBBSPort(QStringLiteral("23"));
    EXPECT_EQ(r.BBSPort(), 23);
}

TEST(AddressRecord, ClearingOperationsTouchOnlyTheirFields) {
    ZEKAddressCls r;
    r.setBBS(QStringLiteral("ptt.cc"));
    r.setBoardName(QStringLiteral("Test"));
    r.setLongURL(QStringLiteral("url"));
    r.setArticleAuthor(QStringLiteral("a"));
    r.setArticleTitle(QStringLiteral("t"));
    r.setArticleTime(QStringLiteral("time"));
    r.setArticleAID(QStringLiteral("1h57JlJx"));
    r.setAutoPTT(true);
    r.setDestinationBoardName(QStringLiteral("Test"));
    r.setDestinationAID(QStringLiteral("1h57JlJx"));

    r.OutOfArticle();
    EXPECT_TRUE(r.ArticleAuthor().isEmpty() && r.ArticleTitle().isEmpty() && r.ArticleTime().isEmpty() &&
                r.ArticleAID().isEmpty());
    EXPECT_EQ(r.BoardName(), QStringLiteral("Test"));
    EXPECT_EQ(r.BBS(), QStringLiteral("ptt.cc"));
    EXPECT_EQ(r.LongURL(), QStringLiteral("url"));

    r.resetAutoPTT();
    EXPECT_FALSE(r.AutoPTT());
    EXPECT_TRUE(r.DestinationBoardName().isEmpty());
    EXPECT_EQ(r.DestinationAID(), QStringLiteral("1h57JlJx"));
}

}  // namespace
