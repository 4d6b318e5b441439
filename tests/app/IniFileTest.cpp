#include "app/IniFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

}  // namespace

// How hand-written and foreign files load ([S] k, or the default): line ends, BOM, blanks, quotes...
TEST(IniFile, LoadsTheUsualVariantsOfTheSyntax) {
    const std::pair<QByteArray, const char*> cases[] = {
        {"[S]\nk=v\n", "v"},       {"[S]\r\nk=v\r\n", "v"},         {"[S]\nk=v", "v"},
        {"\xEF\xBB\xBF[S]\nk=v\n", "v"},                            {"  [ S ]  \n  k  =   v w  \n", "v w  "},
        {"[S]\nk=\"Zek \"\n", "Zek "},                              {"[S]\nk=a=b\n", "a=b"},
        {"[S]\nk=\n", ""},         {"[S]\nk=結束\n", "結束"},       {"; c\n[S]\n# k=no\nk=v\n", "v"},
        {"[S]\nk=1\nk=2\n", "2"},  {"k=v\n[S]\n", "<default>"},     {"[S]\nk\n", "<default>"},
        {"[S]\nK=v\n", "<default>"},                                {"[T]\nk=v\n", "<default>"},
    };
    QTemporaryDir dir;
    IniFile ini;
    ini.setPath(dir.filePath("a.ini"));
    for (const auto& [bytes, expected] : cases) {
        writeAll(ini.path(), bytes);
        ASSERT_TRUE(ini.load());
        EXPECT_EQ(ini.getValue("S", "k", "<default>"), QString::fromUtf8(expected)) << bytes.constData();
    }
}

// The saved file replaces the old one (owner only, nothing left beside it); clear() forgets
// the old keys, and keys come out in the order they were prepared. A missing file is empty
// content; a missing folder cannot be saved into.
TEST(IniFile, SaveReplacesTheFileInPreparationOrder) {
    QTemporaryDir dir;
    const QString path = dir.filePath("App.ini");
    writeAll(path, "[Old]\nstale=1\n[B]\nz=9\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
    IniFile ini;
    ini.setPath(path);
    ASSERT_TRUE(ini.load());
    ini.clear();
    ini.prepareKey("B", "z");
    ini.prepareKey("B", "a");
    ini.prepareKey("A", "k");
    ini.prepareKey("B", "z");  // again: no duplicate, no move
    ini.setValue("A", "k", "3");
    ini.setValue("B", "a", "2");
    ini.setValue("B", "z", "1");
    ASSERT_TRUE(ini.save(/*ownerOnly=*/true));
    QFile saved(path);
    EXPECT_TRUE(saved.open(QIODevice::ReadOnly) && saved.readAll() == "[B]\nz=1\na=2\n[A]\nk=3\n");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ini.setPath(dir.filePath("no/such/App.ini"));
    EXPECT_FALSE(ini.load());
    EXPECT_EQ(ini.getValue("B", "z", "gone"), "gone");
    EXPECT_FALSE(ini.save(true));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
}

// What is set reads back from the written text; a line break cannot split the file.
TEST(IniFile, ValuesReadBackAsWritten) {
    const std::pair<const char*, const char*> cases[] = {
        {"plain", "plain"},  {" 23", "23"},  // blanks right after "=" are not significant
        {"ends in blank ", "ends in blank "},  {"\"quoted\"", "\"quoted\""},  {"a=b;c#d", "a=b;c#d"},
        {"[not a heading]", "[not a heading]"},  {"中文帳號", "中文帳號"},  {"", ""},
        {"a\r\n[Evil]\nx=1", "a  [Evil] x=1"},
    };
    IniFile out, in;
    for (size_t i = 0; i < std::size(cases); ++i) out.setValue("S", QString::number(i), cases[i].first);
    in.parse(out.serialize());
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(in.getValue("S", QString::number(i), "<d>"), QString::fromUtf8(cases[i].second)) << cases[i].first;
    EXPECT_EQ(in.getValue("Evil", "x", "none"), "none");
}
