#pragma once
#include "app/IniFile.h"
#include "app/Settings.h"
#include "ptt/PageKeyTable.h"

#include <QFile>
#include <QTemporaryDir>

// A settings folder of its own: ZEK_CONFIG_DIR points at it while the object lives, and
// the web root is the built-in one whatever the shell says.
class StartupFolder {
public:
    StartupFolder() { qputenv("ZEK_CONFIG_DIR", QFile::encodeName(dir_.path())); qunsetenv("ZEK_WEB_ROOT"); }
    ~StartupFolder() { qunsetenv("ZEK_CONFIG_DIR"); }
    QString path(const QString& name = {}) const { return dir_.filePath(name); }
    bool exists(const QString& name) const { return QFile::exists(path(name)); }
    QByteArray read(const QString& name) const { return readFile(path(name)); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }

    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray shipped() { return readFile(ZEK_SHIPPED_LANGUAGES); }
    // The shipped texts with key lists made here (all but `omit`), so that the cases do not
    // depend on the exact PTT wording.
    static QByteArray languagesWithKeys(int omit = PageKeyTable::ListCount) {
        QByteArray text = shipped().left(shipped().indexOf("\n[KeysofPage]") + 1) + "[KeysofPage]\n";
        for (int i = 0; i < PageKeyTable::ListCount; ++i)
            if (i != omit) text += QByteArray(PageKeyTable::iniKey(PageKeyTable::List(i))) + "=key--of|page\n";
        return text;
    }

private:
    QTemporaryDir dir_;
};
