// What the address box makes of typed text: blanks, hosts, host:port, telnet and Zek URLs,
// web pages and the texts that must not open anything.
#include "ui/AddressTarget.h"

#include <gtest/gtest.h>

namespace {

std::string describe(const AddressTarget& t) {
    switch (t.kind) {
    case AddressTarget::Kind::Empty: return "empty";
    case AddressTarget::Kind::Bbs: return "bbs " + t.host.toStdString() + " " + std::to_string(t.port);
    case AddressTarget::Kind::ZekUrl: return "zek " + t.text.toStdString();
    case AddressTarget::Kind::Web: return "web " + t.text.toStdString();
    case AddressTarget::Kind::Invalid: return "invalid";
    }
    return "?";
}

TEST(AddressTarget, TypedTextTable) {
    const QString longPrefix = "http://zek.example/";
    const QString shortPrefix = "http://zek.example/?x=";
    const struct { const char* typed; const char* expected; } cases[] = {
        {"", "empty"}, {"   \t ", "empty"},
        {"ptt.cc", "bbs ptt.cc 23"}, {"  ptt.cc  ", "bbs ptt.cc 23"},
        {"bbs.example.org:2323", "bbs bbs.example.org 2323"}, {"127.0.0.1:3002", "bbs 127.0.0.1 3002"},
        {"[::1]:2323", "bbs ::1 2323"}, {"[::1]", "bbs ::1 23"},
        {"批踢踢.tw", "bbs 批踢踢.tw 23"}, {"host:0", "invalid"},
        {"host:65536", "invalid"}, {"host:23x", "invalid"},
        {"two words", "invalid"}, {"-bad.example", "invalid"},
        {"a..b", "invalid"}, {"ftp://files.example", "invalid"},
        {"telnet://ptt.cc", "zek telnet://ptt.cc"},
        {" TELNET://bbs.example:2323 ", "zek TELNET://bbs.example:2323"},
        {"http://zek.example/?cmd=pas:abc", "zek http://zek.example/?cmd=pas:abc"},
        {"http://zek.example/?x=cmd=pas:c_1", "zek http://zek.example/?x=cmd=pas:c_1"},
        {"HTTP://zek.example/?cmd=pas:abc", "web HTTP://zek.example/?cmd=pas:abc"},  // prefixes are exact
        {"zek:http://zek.example/?cmd=pas:abc", "zek http://zek.example/?cmd=pas:abc"},
        {"zek://?cmd=pas:abc", "zek http://zek.example/?cmd=pas:abc"},
        {"zek:http://elsewhere.example/?cmd=pas:abc", "invalid"},
        {"https://www.example.org/page", "web https://www.example.org/page"},
        {"ssh://bbs@ptt.example", "bbs ssh://bbs@ptt.example 23"},
        {" WSS://ws.example/bbs ", "bbs WSS://ws.example/bbs 23"},
        {"ssh://a b", "invalid"}, {"http://a b", "invalid"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(AddressTarget::parse(QString::fromUtf8(c.typed), longPrefix, shortPrefix)), c.expected)
            << c.typed;
}

}  // namespace
