#include "app/IniFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

}  // namespace

// How hand-written and foreign files load ([S] k, or the default): line ends, BOM, blanks, quotes...
TEST(IniFile, LoadsTheUsualVariantsOfTheSyntax) {
    const std::pair<QByteArray, const char*> cases[] = {
        {"[S]\nk=v\n", "v"},       {"[S]\r\nk=v\r\n", "v"},         {"[S]\nk=v", "v"},
        {"[S]\rk=v\r", "v"},       {"[T]\rj=1\r\n[S]\nk=v\r", "v"},  {"[S]\r\rk=v", "v"},
        {"[S]\nk=\" v \"\n", " v "},  {"[S]\nk = \"v\"  \t\n", "v"},   {"[S]\nk=\"\n", "\""},
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
        {"plain", "plain"},  {" 23", " 23"},  {"\t lead and trail \t", "\t lead and trail \t"},
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

// A line that is not UTF-8 (Big5 from an old editor, or stray Latin-1) is read as the text it
// most likely is and written back byte for byte; a value that was changed is written as UTF-8.
TEST(IniFile, BytesThatAreNotUtf8AreWrittenBackUnchanged) {
    QTemporaryDir dir;
    IniFile ini;
    ini.setPath(dir.filePath("App.ini"));
    const QByteArray big5 = "\xA4\xA4\xA4\xE5", latin1 = "caf\xE9\xFF";
    writeAll(ini.path(), "[S]\nbig5=" + big5 + "\nlatin1=" + latin1 + "\nquoted=\" " + big5 + "\"\nchanged=" + big5 + "x\n");
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.getValue("S", "big5", {}), QString::fromUtf8("中文"));
    EXPECT_EQ(ini.getValue("S", "latin1", {}), QString::fromLatin1(latin1));
    EXPECT_EQ(ini.getValue("S", "quoted", {}), QString::fromUtf8(" 中文"));
    // Rewritten the way settings are: cleared, prepared, set from the values read.
    const QString values[] = {ini.getValue("S", "big5", {}), ini.getValue("S", "latin1", {}),
                              ini.getValue("S", "quoted", {})};
    ini.clear();
    ini.setValue("S", "big5", values[0]);
    ini.setValue("S", "latin1", values[1]);
    ini.setValue("S", "quoted", values[2]);
    ini.setValue("S", "changed", QString::fromUtf8("中"));
    ASSERT_TRUE(ini.save());
    QFile saved(ini.path());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), "[S]\nbig5=" + big5 + "\nlatin1=" + latin1 + "\nquoted=\" " + big5 + "\"\nchanged=\xE4\xB8\xAD\n");
}

// What is on disk decides what load says and what the next save does with the old file: a file
// that was there but could not be used is moved aside (never over an earlier one), not replaced.
TEST(IniFile, AFileThatCannotBeUsedIsKeptAsideWhenSaving) {
    using R = IniFile::LoadResult;
    const QByteArray big(IniFile::kMaxFileSize + 1, 'k');
    const std::tuple<const char*, QByteArray, R, bool> cases[] = {
        // name, content (empty: no file; "<dir>", "<fifo>": not a regular file), result, kept aside
        {"missing", QByteArray(), R::Missing, false},
        {"empty file", "\n", R::Loaded, false},
        {"comments only", "; nothing yet\n", R::Loaded, false},
        {"text, not INI", "this is not\nan ini file\n", R::NotIni, false},
        {"binary", QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0", 10), R::NotIni, false},
        {"UTF-16", QByteArray("\xFF\xFE[\0S\0]\0\n\0k\0=\0v\0", 16), R::NotIni, false},
        {"too large", "[S]\nk=" + big, R::TooLarge, false},
        {"directory", "<dir>", R::Unreadable, false},
        {"fifo", "<fifo>", R::Unreadable, false},
    };
    for (const auto& [name, content, result, unused] : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath("App.ini");
        if (content == "<dir>") QDir().mkpath(path);
        else if (content == "<fifo>") ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (!content.isEmpty()) writeAll(path, content);
        writeAll(dir.filePath("App.ini.bad"), "an earlier one");
        IniFile ini;
        ini.setPath(path);
        EXPECT_EQ(ini.load(), result == R::Loaded) << name;
        EXPECT_EQ(ini.loadResult(), result) << name;
        EXPECT_EQ(ini.getValue("S", "k", "default"), "default") << name;
        const bool aside = result != R::Loaded && result != R::Missing;
        EXPECT_EQ(ini.keptAsidePath(), aside ? path + ".bad.2" : QString()) << name;
        ini.setValue("S", "k", "new");
        ASSERT_TRUE(ini.save()) << name;
        EXPECT_EQ(readAll(path), "[S]\nk=new\n") << name;
        EXPECT_EQ(readAll(dir.filePath("App.ini.bad")), "an earlier one") << name;
        if (aside && content != "<dir>" && content != "<fifo>") {
            EXPECT_EQ(readAll(path + ".bad.2"), content) << name;
        }
        EXPECT_EQ(QFileInfo::exists(path + ".bad.2"), aside) << name;
        // Once kept, the next save just replaces the new file.
        ASSERT_TRUE(ini.save()) << name;
        EXPECT_FALSE(QFileInfo::exists(path + ".bad.3")) << name;
    }
}

// A linked App.ini (a dotfiles folder, a shared drive) stays a link; the file it points at
// gets the new content, also when the link is relative or points at nothing yet.
TEST(IniFile, SavingThroughASymbolicLinkKeepsTheLink) {
    for (const char* target : {"real/settings.ini", "../elsewhere/settings.ini", "real/not-yet.ini"}) {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("real");
        QDir(dir.path()).mkpath("elsewhere");
        QDir(dir.path()).mkpath("conf");
        const QString link = dir.filePath("conf/App.ini");
        const QString resolved = QDir::cleanPath(dir.filePath("conf/") + (target[0] == '.' ? "" : "../") + target);
        if (!QByteArray(target).contains("not-yet")) writeAll(resolved, "[S]\nk=old\n");
        ASSERT_EQ(::symlink(target[0] == '.' ? target : QFile::encodeName(QDir(dir.path()).filePath(target)).constData(),
                            QFile::encodeName(link).constData()), 0);
        IniFile ini;
        ini.setPath(link);
        ini.load();
        EXPECT_EQ(ini.getValue("S", "k", "old"), "old") << target;
        ini.setValue("S", "k", "new");
        ASSERT_TRUE(ini.save(true)) << target;
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << target;
        EXPECT_EQ(readAll(resolved), "[S]\nk=new\n") << target;
    }
}
