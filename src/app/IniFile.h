#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// One INI file in memory: sections and keys keep the order in which they were read or
// prepared, which is the order they are saved in. Section and key names compare exactly.
//
// Syntax: lines end in LF, CRLF or a lone CR; ";" and "#" start comment lines; blanks
// around names and right after "=" do not count; a value wrapped in double quotes is the
// text between them (that is how the writer keeps leading and trailing blanks). Text is
// UTF-8 (a BOM is accepted). A line that is not UTF-8 is read as Big5, or as Latin-1 when
// it is not Big5 either, and such a value is written back with its bytes unchanged as
// long as it was not changed.
//
// Nothing here reports an error to the program's logic: a missing, unreadable, oversized
// or garbage file is empty content. loadResult() tells which, so start-up can say so, and
// save() first moves a file that was there but could not be read aside (path + ".bad")
// rather than overwriting it.
class IniFile {
public:
    enum class LoadResult {
        Loaded,      // read and understood (an empty file included)
        Missing,     // no file: empty content, nothing to protect
        Unreadable,  // there but not a readable regular file
        TooLarge,    // over kMaxFileSize: not read at all
        NotIni,      // has content, but not one heading or key line
    };
    // Start-up reads both files before anything is shown; a settings file is a few hundred
    // bytes and the language file tens of kilobytes.
    static constexpr qint64 kMaxFileSize = 1 << 20;

    void setPath(const QString& path) { path_ = path; }
    const QString& path() const { return path_; }

    // Reads the bound file into memory. True when a file was read and understood;
    // callers may ignore it and look at loadResult() where they care why not.
    bool load();
    LoadResult loadResult() const { return loadResult_; }
    // Where save() put (or will put) the file it could not read; empty when nothing is kept.
    const QString& keptAsidePath() const { return keptAside_; }

    // Writes beside the file and renames over it, so a crash never leaves half a file.
    // A symbolic link is followed: the file it points at is replaced, the link stays.
    // With ownerOnly the file is readable by its owner only (0600).
    bool save(bool ownerOnly = false);

    QString getValue(const QString& section, const QString& key, const QString& defaultText) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    void clear();
    // Names in file order (for checks and tools; the program asks for known keys).
    QStringList sections() const;
    QStringList keys(const QString& section) const;
    void prepareSection(const QString& section);
    void prepareKey(const QString& section, const QString& key);

    // Parses INI text (load and tests). The result says whether it was INI at all.
    LoadResult parse(const QByteArray& bytes);
    LoadResult parse(const QString& text) { return parse(text.toUtf8()); }
    LoadResult parse(const char* text) { return parse(QByteArray(text)); }
    // The file's bytes as save() writes them, and the same as text.
    QByteArray serializeBytes() const;
    QString serialize() const;

private:
    struct Entry { QString key; QString value; };
    struct Section {
        QString name;
        std::vector<Entry> entries;
        QHash<QString, size_t> index;  // key -> position in entries
    };
    Section* findSection(const QString& name);
    const Section* findSection(const QString& name) const;
    Entry& entry(Section& section, const QString& key);
    QString decodeValue(const QByteArray& bytes);
    QString nextAsideName(const QString& target) const;

    QString path_;
    std::vector<Section> sections_;
    QHash<QString, size_t> sectionIndex_;
    // Values that were not UTF-8 in the file: the text they were read as -> their bytes.
    // clear() keeps it, so a value that survives a rewrite keeps its old spelling.
    QHash<QString, QByteArray> foreignBytes_;
    LoadResult loadResult_ = LoadResult::Missing;
    QString keptAside_;
    bool keepAside_ = false;  // the file on disk could not be read: move it before saving
};
