#include "web/PendingRequests.h"

#include <algorithm>

namespace {
template <typename Entries>
auto findEntry(Entries& entries, const QString& url) {
    return std::find_if(entries.begin(), entries.end(), [&url](const auto& e) { return e.first == url; });
}
}  // namespace

void PendingRequests::enter(const QString& url) {
    if (!contains(url)) entries_.emplace_back(url, QString());
}

void PendingRequests::remove(const QString& url) {
    auto it = findEntry(entries_, url);
    if (it != entries_.end()) entries_.erase(it);
}

bool PendingRequests::contains(const QString& url) const { return findEntry(entries_, url) != entries_.end(); }

QString PendingRequests::value(const QString& url) const {
    auto it = findEntry(entries_, url);
    return it == entries_.end() ? QString() : it->second;
}

void PendingRequests::setBusy(const QString& url, int requestNumber) {
    auto it = findEntry(entries_, url);
    if (it == entries_.end()) entries_.emplace_back(url, QString::number(requestNumber));
    else it->second = QString::number(requestNumber);
}

bool PendingRequests::finish(const QString& url) {
    auto it = findEntry(entries_, url);
    if (it == entries_.end() || it->second.trimmed().isEmpty()) return false;
    it->second.clear();
    return true;
}

void PendingRequests::clearAll() {
    for (auto& entry : entries_) entry.second.clear();
}

std::vector<QString> PendingRequests::urls() const {
    std::vector<QString> keys;
    keys.reserve(entries_.size());
    for (const auto& entry : entries_) keys.push_back(entry.first);
    return keys;
}
