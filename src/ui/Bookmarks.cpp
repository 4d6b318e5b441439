#include "ui/Bookmarks.h"

#include "app/Deployment.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
// Names come from the user or from a dialog: a tab or line break would break the file.
QString cleanName(const QString& name) {
    QString clean;
    for (QChar c : name) clean += (c.unicode() < 0x20 || c.unicode() == 0x7F) ? QChar(u' ') : c;
    return clean.trimmed().left(200);
}
}  // namespace

Bookmarks::Bookmarks(QString path) : path_(std::move(path)) {}

QString Bookmarks::defaultPath() {
    return QFileInfo(deployment::settingsFile()).absolutePath() + QStringLiteral("/bookmarks.txt");
}

bool Bookmarks::isUsableLink(const QString& link) {
    if (link.isEmpty() || link.size() > kMaxLength) return false;
    for (QChar c : link)
        if (c.unicode() <= 0x20 || c.unicode() == 0x7F) return false;
    const QString lower = link.left(10).toLower();
    return lower.startsWith(QLatin1String("http://")) || lower.startsWith(QLatin1String("https://")) ||
           lower.startsWith(QLatin1String("telnet://"));
}

void Bookmarks::load() {
    items_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return;
    // A bookmark file has no business being large; read at most what a full list takes.
    const QByteArray data = file.read(qint64(kMaxItems) * (kMaxLength + 256));
    for (const QByteArray& raw : data.split('\n')) {
        const QString line = QString::fromUtf8(raw).remove(QLatin1Char('\r'));
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0) continue;
        const QString link = line.mid(tab + 1).trimmed();
        QString name = cleanName(line.left(tab));
        if (!isUsableLink(link)) continue;
        if (name.isEmpty()) name = link;
        if (int(items_.size()) >= kMaxItems) break;
        items_.push_back({name, link});
    }
}

bool Bookmarks::save() const {
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    for (const Item& item : items_) file.write((item.name + QLatin1Char('\t') + item.link + QLatin1Char('\n')).toUtf8());
    return file.commit();
}

bool Bookmarks::add(const QString& name, const QString& link) {
    const QString trimmed = link.trimmed();
    if (!isUsableLink(trimmed)) return false;
    QString clean = cleanName(name);
    if (clean.isEmpty()) clean = trimmed;
    for (Item& item : items_) {
        if (item.link == trimmed) {
            item.name = clean;
            return true;
        }
    }
    if (int(items_.size()) >= kMaxItems) return false;
    items_.push_back({clean, trimmed});
    return true;
}

void Bookmarks::remove(int index) {
    if (index >= 0 && index < int(items_.size())) items_.erase(items_.begin() + index);
}
