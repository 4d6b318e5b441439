#pragma once
#include "app/IniFile.h"

#include <QByteArray>
#include <QString>

// Zek's own preferences that App.ini's keys do not hold (window geometry, the start
// page, questions the user asked not to see again...). They live in Preferences.ini
// beside App.ini, so App.ini keeps exactly its keys and their order. Everything is in
// one section; a key that is missing or unreadable gives the caller's default.
class Preferences {
public:
    static inline const QString kSection = QStringLiteral("Preferences");

    void setPath(const QString& path) { file_.setPath(path); }
    const QString& path() const { return file_.path(); }
    // A missing file is an empty set of preferences.
    bool load() { return file_.load(); }
    // Written only when something changed since load (or the last save).
    bool save();

    QString text(const QString& key, const QString& defaultText = {}) const;
    void setText(const QString& key, const QString& value);
    // "1"/"0"; anything else reads as the default.
    bool flag(const QString& key, bool defaultValue) const;
    void setFlag(const QString& key, bool value);
    // A whole decimal number in int's range; anything else reads as the default.
    int number(const QString& key, int defaultValue) const;
    void setNumber(const QString& key, int value);
    // Binary values (e.g. saved window geometry) stored as base64.
    QByteArray bytes(const QString& key) const;
    void setBytes(const QString& key, const QByteArray& value);

    bool isDirty() const { return dirty_; }

private:
    IniFile file_;
    bool dirty_ = false;
};
