#pragma once
// The last few hosts opened through quick connect, newest first, kept in a small text
// file beside App.ini (one "host port" line each). App.ini keeps only the last one.
#include <QString>

#include <vector>

class RecentHosts {
public:
    struct Item {
        QString host;
        int port = 23;
    };
    static constexpr int kMaxItems = 8;

    explicit RecentHosts(QString path = defaultPath());
    static QString defaultPath();  // recent_hosts.txt beside App.ini

    void load();
    bool save() const;
    const std::vector<Item>& items() const { return items_; }
    // Moves host and port to the front (host names compare without letter case).
    void add(const QString& host, int port);
    // "host" for port 23, "host:port" otherwise.
    static QString caption(const Item& item);

private:
    QString path_;
    std::vector<Item> items_;
};
