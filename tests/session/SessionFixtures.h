#pragma once
// Recorded PTT screens for the session tests: the main session's byte files in order.
#include "Fixtures.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <vector>

namespace session_fixtures {

// The raw bytes of recording number n (03 to 41 belong to the main session).
inline QByteArray recording(int n) {
    const QDir dir(QString::fromStdString(fixtures::path("ptt")));
    const QStringList names = dir.entryList({QStringLiteral("%1_*.bin").arg(n, 2, 10, QLatin1Char('0'))});
    if (names.isEmpty()) return {};
    const std::string bytes = fixtures::read("ptt/" + names.first().toStdString());
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

// Everything the main session received up to and including recording last.
inline QByteArray mainSessionUpTo(int last) {
    QByteArray all;
    for (int n = 3; n <= last; ++n) all += recording(n);
    return all;
}

// Cuts bytes into chunks of the given sizes, cycling through them.
inline std::vector<QByteArray> cut(const QByteArray& bytes, const std::vector<int>& sizes) {
    std::vector<QByteArray> out;
    size_t k = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype n = std::max(1, sizes[k++ % sizes.size()]);
        out.push_back(bytes.mid(i, n));
        i += n;
    }
    return out;
}

}  // namespace session_fixtures
