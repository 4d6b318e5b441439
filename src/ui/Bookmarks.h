#pragma once
// Zek's own bookmarks: saved links with a name, kept in a small text file beside
// App.ini (one "name<TAB>link" line each, UTF-8). The file is read whole and written
// whole through a temporary file; lines that do not hold a usable link are skipped.
#include <QString>

#include <vector>

class Bookmarks {
public:
    struct Item {
        QString name;
        QString link;
    };
    static constexpr int kMaxItems = 100;
    static constexpr int kMaxLength = 2048;

    explicit Bookmarks(QString path = defaultPath());

    // bookmarks.txt beside App.ini.
    static QString defaultPath();
    const QString& path() const { return path_; }

    // Reads the file; a missing file is an empty list.
    void load();
    // False when the file could not be written (the list in memory stays).
    bool save() const;

    const std::vector<Item>& items() const { return items_; }
    // Adds link under name (a link already saved keeps its place and takes the new
    // name). False for a link that is not http(s) or telnet, or when the list is full.
    bool add(const QString& name, const QString& link);
    void remove(int index);

    // A link worth keeping: http, https or telnet, no blanks or control characters.
    static bool isUsableLink(const QString& link);

private:
    QString path_;
    std::vector<Item> items_;
};
