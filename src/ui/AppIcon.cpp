#include "ui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace app_icon {

void paint(QPainter& p, const QRectF& rect) {
    // A 64-unit grid, as in zek.svg.
    const double side = std::min(rect.width(), rect.height());
    const double u = side / 64.0;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.left() + (rect.width() - side) / 2, rect.top() + (rect.height() - side) / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x4e, 0x79));
    p.drawRoundedRect(QRectF(3 * u, 3 * u, 58 * u, 58 * u), 12 * u, 12 * u);
    p.setBrush(QColor(0x10, 0x18, 0x20));
    p.drawRoundedRect(QRectF(9 * u, 9 * u, 46 * u, 38 * u), 4 * u, 4 * u);
    QPainterPath z;
    const QPointF pts[] = {{18, 17}, {44, 17}, {44, 22}, {26, 38}, {44, 38}, {44, 43},
                           {18, 43}, {18, 38}, {36, 22}, {18, 22}};
    z.moveTo(pts[0] * u);
    for (size_t i = 1; i < std::size(pts); ++i) z.lineTo(pts[i] * u);
    z.closeSubpath();
    p.setBrush(QColor(0xf4, 0xf6, 0xf8));
    p.drawPath(z);
    p.setBrush(QColor(0xe8, 0x8a, 0x1a));
    p.drawRoundedRect(QRectF(18 * u, 51 * u, 28 * u, 5 * u), 2 * u, 2 * u);
    p.restore();
}

QIcon icon() {
    QIcon result;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(p, QRectF(0, 0, size, size));
        p.end();
        result.addPixmap(pm);
    }
    return result;
}

}  // namespace app_icon
