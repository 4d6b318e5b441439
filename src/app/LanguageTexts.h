#pragma once
#include <QString>

class IniFile;

// User-interface texts from languages.ini, section "Language Setting", keys of the form
// mode + "/" + language key. A missing text is the key itself; an empty one stays empty.
class LanguageTexts {
public:
    LanguageTexts() = default;
    explicit LanguageTexts(const IniFile* file, QString mode = QStringLiteral("TW"))
        : file_(file), mode_(std::move(mode)) {}

    void setFile(const IniFile* file) { file_ = file; }
    void setMode(const QString& mode) { mode_ = mode; }
    const QString& mode() const { return mode_; }

    QString text(const QString& key) const;
    // Title of every message box: "App_Title" followed directly by "Note".
    QString messageTitle() const;

private:
    const IniFile* file_ = nullptr;
    QString mode_ = QStringLiteral("TW");
};
