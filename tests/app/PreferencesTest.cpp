#include "app/Preferences.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

// Hand-edited or damaged values read as the caller's default rather than as garbage.
TEST(Preferences, DamagedValuesReadAsDefaults) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Preferences.ini");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Preferences]\nflag_yes=1\nflag_bad=yes\nnum= 42 \nnum_bad=4x\nnum_big=99999999999\n"
            "geometry=not*base64\n");
    f.close();

    Preferences p;
    p.setPath(path);
    ASSERT_TRUE(p.load());
    EXPECT_TRUE(p.flag("flag_yes", false));
    EXPECT_FALSE(p.flag("flag_bad", false));
    EXPECT_TRUE(p.flag("missing", true));
    EXPECT_EQ(p.number("num", 0), 42);
    EXPECT_EQ(p.number("num_bad", 7), 7);
    EXPECT_EQ(p.number("num_big", 7), 7);
    EXPECT_TRUE(p.bytes("geometry").isEmpty());
}

// Values survive a save and a reload; a run that changed nothing leaves the file alone.
TEST(Preferences, SavesOnlyChangesAndReadsThemBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Preferences.ini");
    const QByteArray blob("\x00\x01\xff geometry", 12);
    {
        Preferences p;
        p.setPath(path);
        p.load();
        EXPECT_TRUE(p.save());
        EXPECT_FALSE(QFile::exists(path));
        p.setFlag("show_start_page", false);
        p.setNumber("count", -3);
        p.setBytes("geometry", blob);
        p.setText("empty", QString());
        EXPECT_TRUE(p.isDirty());
        ASSERT_TRUE(p.save());
        EXPECT_FALSE(p.isDirty());
    }
    Preferences q;
    q.setPath(path);
    ASSERT_TRUE(q.load());
    EXPECT_FALSE(q.flag("show_start_page", true));
    EXPECT_EQ(q.number("count", 0), -3);
    EXPECT_EQ(q.bytes("geometry"), blob);
    EXPECT_EQ(q.text("empty", "x"), QString());
    q.setFlag("show_start_page", false);
    EXPECT_FALSE(q.isDirty());
}
