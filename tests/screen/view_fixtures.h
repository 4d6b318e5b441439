#pragma once
// Helpers for the screen widget tests: recorded screens and pixel counting.
#include "Fixtures.h"
#include "screen/axZekScreen.h"

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QRect>
#include <functional>
#include <string>

namespace view_fixtures {

inline QByteArray recording(int n) {
    const QDir dir(QString::fromStdString(fixtures::path("ptt")));
    const QStringList names = dir.entryList({QStringLiteral("%1_*.bin").arg(n, 2, 10, QLatin1Char('0'))});
    if (names.isEmpty()) return {};
    const std::string bytes = fixtures::read("ptt/" + names.first().toStdString());
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

// The main session's screen after recording last (03..41).
inline void replayMainSession(axZekScreen& screen, int last) {
    for (int n = 3; n <= last; ++n) screen.VT100(recording(n));
}

// Rows of the recorded .txt screen (UTF-8, as the recorder wrote them).
inline QStringList recordedRows(int n) {
    const QDir dir(QString::fromStdString(fixtures::path("ptt")));
    const QStringList names = dir.entryList({QStringLiteral("%1_*.txt").arg(n, 2, 10, QLatin1Char('0'))});
    if (names.isEmpty()) return {};
    return QString::fromStdString(fixtures::read("ptt/" + names.first().toStdString())).split(QLatin1Char('\n'));
}

inline QRect cellRect(const axZekScreen& s, int col, int row, int cells = 1) {
    const CellGeometry& g = s.geometry();
    return QRect(QPoint(g.cellLeftPx(col), g.cellTopPx(row)),
                 QPoint(g.cellLeftPx(col + cells) - 1, g.cellBottomPx(row) - 1));
}

inline int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (test(image.pixel(x, y))) ++n;
    return n;
}

inline bool isColour(QRgb p, QRgb c) { return (p & 0xFFFFFF) == (c & 0xFFFFFF); }

}  // namespace view_fixtures
