#include "app/IniFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

// How hand-written and foreign files read: line ends, BOM, blanks, comments, quotes.
TEST(IniFile, ReadsTheUsualVariantsOfTheSyntax) {
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* section;
        const char* key;
        QString expected;
    };
    const Case cases[] = {
        {"LF", "[S]\nk=v\n", "S", "k", "v"},
        {"CRLF", "[S]\r\nk=v\r\n", "S", "k", "v"},
        {"no final newline", "[S]\nk=v", "S", "k", "v"},
        {"BOM", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
        {"blanks around = and heading", "  [ S ]  \n  k  =   v w  \n", "S", "k", "v w  "},
        {"quoted value keeps its trailing blank", "[S]\nk=\"Zek \"\n", "S", "k", "Zek "},
        {"value with = inside", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"empty value", "[S]\nk=\n", "S", "k", ""},
        {"UTF-8 text", "[S]\nTW/Menu_Exit=\xE7\xB5\x90\xE6\x9D\x9F\n", "S", "TW/Menu_Exit", QString::fromUtf8("結束")},
        {"comments skipped", "; c\n[S]\n# k=no\nk=v\n", "S", "k", "v"},
        {"later duplicate wins", "[S]\nk=1\nk=2\n", "S", "k", "2"},
        {"key before any heading ignored", "k=v\n[S]\n", "S", "k", "<default>"},
        {"line without =", "[S]\nk\n", "S", "k", "<default>"},
        {"names are case sensitive", "[S]\nK=v\n", "S", "k", "<default>"},
        {"missing section", "[T]\nk=v\n", "S", "k", "<default>"},
        {"section with a blank", "[Language Setting]\nTW/App_Title=Zek\n", "Language Setting", "TW/App_Title", "Zek"},
    };
    for (const Case& c : cases) {
        IniFile ini;
        ini.parse(QString::fromUtf8(c.bytes));
        EXPECT_EQ(ini.getValue(QString::fromLatin1(c.section), QString::fromLatin1(c.key), QStringLiteral("<default>")),
                  c.expected)
            << c.name;
    }
}

TEST(IniFile, MissingOrUnboundFileIsEmptyContent) {
    QTemporaryDir dir;
    IniFile ini;
    EXPECT_FALSE(ini.load());
    ini.setPath(dir.filePath(QStringLiteral("absent.ini")));
    ini.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("stale"));
    EXPECT_FALSE(ini.load());
    EXPECT_EQ(ini.getValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_TRUE(ini.serialize().isEmpty());
}

TEST(IniFile, SavesInPreparationOrderAndClearForgetsOldKeys) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    writeAll(path, "[Old]\nstale=1\n[B]\nz=9\n");
    IniFile ini;
    ini.setPath(path);
    ASSERT_TRUE(ini.load());
    ini.clear();
    ini.prepareSection(QStringLiteral("B"));
    ini.prepareKey(QStringLiteral("B"), QStringLiteral("z"));
    ini.prepareKey(QStringLiteral("B"), QStringLiteral("a"));
    ini.prepareSection(QStringLiteral("A"));
    ini.prepareKey(QStringLiteral("A"), QStringLiteral("k"));
    ini.prepareKey(QStringLiteral("B"), QStringLiteral("z"));  // again: no duplicate, no move
    // Values set in another order than prepared still land where they were prepared.
    ini.setValue(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("3"));
    ini.setValue(QStringLiteral("B"), QStringLiteral("a"), QStringLiteral("2"));
    ini.setValue(QStringLiteral("B"), QStringLiteral("z"), QStringLiteral("1"));
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(readAll(path), QByteArray("[B]\nz=1\na=2\n[A]\nk=3\n"));
}

// Whatever is set reads back the same after save and load, odd characters included.
TEST(IniFile, ValuesSurviveASaveAndLoad) {
    const QString values[] = {
        QStringLiteral("plain"),         QStringLiteral(" 23"),        QStringLiteral("ends in blank "),
        QStringLiteral("\"quoted\""),    QStringLiteral("a=b;c#d"),    QStringLiteral("[not a heading]"),
        QString::fromUtf8("中文帳號"),   QString(),
    };
    QTemporaryDir dir;
    IniFile out;
    out.setPath(dir.filePath(QStringLiteral("r.ini")));
    int i = 0;
    for (const QString& v : values) out.setValue(QStringLiteral("S"), QStringLiteral("k%1").arg(i++), v);
    ASSERT_TRUE(out.save());
    IniFile in;
    in.setPath(out.path());
    ASSERT_TRUE(in.load());
    i = 0;
    for (const QString& v : values) {
        QString expected = v;
        // Blanks right after "=" are not significant in the file format.
        if (expected == QStringLiteral(" 23")) expected = QStringLiteral("23");
        EXPECT_EQ(in.getValue(QStringLiteral("S"), QStringLiteral("k%1").arg(i++), QStringLiteral("<d>")), expected)
            << v.toStdString();
    }
}

TEST(IniFile, LineBreaksInAValueCannotSplitTheFile) {
    IniFile ini;
    ini.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("a\r\n[Evil]\nx=1"));
    IniFile back;
    back.parse(ini.serialize());
    EXPECT_EQ(back.getValue(QStringLiteral("Evil"), QStringLiteral("x"), QStringLiteral("none")), QStringLiteral("none"));
    EXPECT_EQ(back.getValue(QStringLiteral("S"), QStringLiteral("k"), QString()), QStringLiteral("a  [Evil] x=1"));
}

TEST(IniFile, OwnerOnlySaveReplacesTheFileWithMode0600) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("App.ini"));
    writeAll(path, "[S]\nold=1\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
    IniFile ini;
    ini.setPath(path);
    ini.setValue(QStringLiteral("S"), QStringLiteral("new"), QStringLiteral("2"));
    ASSERT_TRUE(ini.save(/*ownerOnly=*/true));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(readAll(path), QByteArray("[S]\nnew=2\n"));
    // Nothing but the file itself is left behind (the temporary was renamed over it).
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(IniFile, SaveIntoAMissingFolderFailsAndTouchesNothing) {
    QTemporaryDir dir;
    IniFile ini;
    ini.setPath(dir.filePath(QStringLiteral("no/such/folder/App.ini")));
    ini.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
    EXPECT_FALSE(ini.save(true));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}
