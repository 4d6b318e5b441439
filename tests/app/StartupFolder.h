#pragma once
#include "app/IniFile.h"
#include "ptt/PageKeyTable.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A settings folder of its own for one start-up: ZEK_CONFIG_DIR points at it while the
// object lives. languages.ini is the shipped one's texts with a page key section made
// here, so the cases do not depend on the exact PTT wording.
class StartupFolder {
public:
    StartupFolder() { qputenv("ZEK_CONFIG_DIR", QFile::encodeName(dir_.path())); }
    ~StartupFolder() { qunsetenv("ZEK_CONFIG_DIR"); }

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString appIni() const { return path(QStringLiteral("App.ini")); }
    QString languagesIni() const { return path(QStringLiteral("languages.ini")); }

    static QByteArray shipped() {
        QFile file(QStringLiteral(ZEK_SHIPPED_LANGUAGES));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The shipped texts with every key list but `omit` (ListCount: none omitted).
    static QByteArray languagesWithKeys(PageKeyTable::List omit = PageKeyTable::ListCount) {
        QByteArray text = shipped();
        const qsizetype keys = text.indexOf("\n[KeysofPage]");
        if (keys >= 0) text.truncate(keys + 1);
        text += "[KeysofPage]\n";
        for (int i = 0; i < PageKeyTable::ListCount; ++i) {
            const auto list = static_cast<PageKeyTable::List>(i);
            if (list != omit) text += QByteArray(PageKeyTable::iniKey(list)) + "=key--of|page\n";
        }
        return text;
    }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool exists(const QString& name) const { return QFile::exists(path(name)); }

private:
    QTemporaryDir dir_;
};
