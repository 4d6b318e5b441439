#include "ui/RecentHosts.h"

#include "app/Deployment.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace {
// Host names and addresses: letters, digits, dots, dashes, colons of IPv6, at most 253.
bool isHostName(const QString& host) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9._:\\-]{1,253}$"));
    return pattern.match(host).hasMatch();
}
}  // namespace

RecentHosts::RecentHosts(QString path) : path_(std::move(path)) {}

QString RecentHosts::defaultPath() {
    return QFileInfo(deployment::settingsFile()).absolutePath() + QStringLiteral("/recent_hosts.txt");
}

void RecentHosts::load() {
    items_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray data = file.read(64 * 1024);
    for (const QByteArray& raw : data.split('\n')) {
        const QStringList parts = QString::fromUtf8(raw).trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() != 2 || !isHostName(parts[0])) continue;
        bool ok = false;
        const int port = parts[1].toInt(&ok);
        if (!ok || port < 1 || port > 65535) continue;
        if (int(items_.size()) >= kMaxItems) break;
        items_.push_back({parts[0], port});
    }
}

bool RecentHosts::save() const {
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    for (const Item& item : items_) file.write((item.host + QLatin1Char(' ') + QString::number(item.port) + QLatin1Char('\n')).toUtf8());
    return file.commit();
}

void RecentHosts::add(const QString& host, int port) {
    if (!isHostName(host) || port < 1 || port > 65535) return;
    std::erase_if(items_, [&](const Item& i) { return i.port == port && i.host.compare(host, Qt::CaseInsensitive) == 0; });
    items_.insert(items_.begin(), {host, port});
    if (int(items_.size()) > kMaxItems) items_.resize(kMaxItems);
}

QString RecentHosts::caption(const Item& item) {
    return item.port == 23 ? item.host : item.host + QLatin1Char(':') + QString::number(item.port);
}
