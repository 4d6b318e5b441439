#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// One INI file in memory: sections and keys keep the order in which they were read or
// prepared, which is the order they are saved in. Files are UTF-8 (a BOM is accepted),
// CRLF or LF. Section and key names compare exactly. Nothing here reports an error:
// a missing or unreadable file is empty content.
class IniFile {
public:
    void setPath(const QString& path) { path_ = path; }
    const QString& path() const { return path_; }

    // Reads the bound file into memory; a missing file gives empty content. The result
    // tells whether a file was read; callers may ignore it.
    bool load();
    // Writes beside the file and renames over it, so a crash never leaves half a file.
    // With ownerOnly the file is readable by its owner only (0600).
    bool save(bool ownerOnly = false) const;

    QString getValue(const QString& section, const QString& key, const QString& defaultText) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    void clear();
    void prepareSection(const QString& section);
    void prepareKey(const QString& section, const QString& key);

    // Parses INI text (for tests and load).
    void parse(const QString& text);
    QString serialize() const;

private:
    struct Entry { QString key; QString value; };
    struct Section { QString name; std::vector<Entry> entries; };
    Section* findSection(const QString& name);
    const Section* findSection(const QString& name) const;

    QString path_;
    std::vector<Section> sections_;
};
