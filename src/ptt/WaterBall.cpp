#include "ptt/WaterBall.h"

#include "screen/Big5.h"

#include <QRegularExpression>

std::optional<WaterBall> WaterBall::find(const CellSource& screen) {
    // The star is a Big5 pair in columns 0 and 1.
    if (screen.f取回銀幕背景色(0, 0) == 0) return std::nullopt;
    const QString row = QString::fromStdString(big5::rowToUtf8(screen, 0));
    static const QRegularExpression line(QStringLiteral("^★([A-Za-z][A-Za-z0-9]{1,11}) +(\\S.*?)\\s*$"));
    const QRegularExpressionMatch m = line.match(row);
    if (!m.hasMatch()) return std::nullopt;
    return WaterBall{m.captured(1), m.captured(2)};
}
