#include "ui/ToolbarIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace toolbar_icons {
namespace {

const QColor kInk(0x1f, 0x4e, 0x79);     // dark blue outlines
const QColor kAccent(0xe8, 0x8a, 0x1a);  // orange details
const QColor kScreen(0x10, 0x18, 0x20);  // terminal black

// Paints on demand at the exact pixel size and ratio, so nothing is ever scaled.
class PaintedEngine : public QIconEngine {
public:
    explicit PaintedEngine(QString key) : key_(std::move(key)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        if (mode == QIcon::Disabled) painter->setOpacity(0.4);
        toolbar_icons::paint(*painter, rect, key_);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        QPixmap pm(size * scale);
        pm.fill(Qt::transparent);
        {
            QPainter p(&pm);
            this->paint(&p, QRect(QPoint(0, 0), pm.size()), mode, state);
        }
        pm.setDevicePixelRatio(scale);
        return pm;
    }
    QIconEngine* clone() const override { return new PaintedEngine(key_); }
    QString key() const override { return QStringLiteral("zek-painted"); }

private:
    QString key_;
};

void terminal(QPainter& p, double u) {
    // A screen with a prompt: "connect to PTT".
    p.setPen(QPen(kInk, 1.5 * u));
    p.setBrush(kScreen);
    p.drawRoundedRect(QRectF(2 * u, 3 * u, 20 * u, 15 * u), 2 * u, 2 * u);
    p.setPen(QPen(QColor(0x7c, 0xfc, 0x8c), 1.8 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath chevron;
    chevron.moveTo(6 * u, 7.5 * u);
    chevron.lineTo(9.5 * u, 10.5 * u);
    chevron.lineTo(6 * u, 13.5 * u);
    p.drawPath(chevron);
    p.setPen(QPen(kAccent, 1.8 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11.5 * u, 14 * u), QPointF(16.5 * u, 14 * u));
    p.setPen(QPen(kInk, 1.5 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8 * u, 21 * u), QPointF(16 * u, 21 * u));
    p.drawLine(QPointF(12 * u, 18 * u), QPointF(12 * u, 21 * u));
}

void keycap(QPainter& p, double u) {
    // A key with a lightning bolt: "PTT shortcuts".
    p.setPen(QPen(kInk, 1.5 * u));
    p.setBrush(QColor(0xf4, 0xf6, 0xf8));
    p.drawRoundedRect(QRectF(2.5 * u, 2.5 * u, 19 * u, 19 * u), 4 * u, 4 * u);
    QPainterPath bolt;
    bolt.moveTo(13.5 * u, 4.5 * u);
    bolt.lineTo(7 * u, 13 * u);
    bolt.lineTo(11.5 * u, 13 * u);
    bolt.lineTo(10 * u, 19.5 * u);
    bolt.lineTo(17 * u, 10.5 * u);
    bolt.lineTo(12.5 * u, 10.5 * u);
    bolt.closeSubpath();
    p.setPen(QPen(kAccent.darker(130), 0.8 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kAccent);
    p.drawPath(bolt);
}

void link(QPainter& p, double u) {
    // Two chain links: "share a link".
    p.setBrush(Qt::NoBrush);
    p.save();
    p.translate(12 * u, 12 * u);
    p.rotate(-45);
    p.setPen(QPen(kInk, 2.2 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawRoundedRect(QRectF(-10 * u, -3.5 * u, 11 * u, 7 * u), 3.5 * u, 3.5 * u);
    p.setPen(QPen(kAccent, 2.2 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawRoundedRect(QRectF(-1 * u, -3.5 * u, 11 * u, 7 * u), 3.5 * u, 3.5 * u);
    p.restore();
}

void magnifier(QPainter& p, double u) {
    // A magnifying glass: "search PTT".
    p.setPen(QPen(kInk, 2.2 * u));
    p.setBrush(QColor(0xd8, 0xea, 0xfa));
    p.drawEllipse(QPointF(10 * u, 10 * u), 6.5 * u, 6.5 * u);
    p.setPen(QPen(kAccent, 3.2 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15 * u, 15 * u), QPointF(20.5 * u, 20.5 * u));
}

}  // namespace

void paint(QPainter& painter, const QRectF& rect, const QString& key) {
    // Drawn on a 24-unit grid, centred in the largest square that fits.
    const double side = std::min(rect.width(), rect.height());
    const double u = side / 24.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.left() + (rect.width() - side) / 2, rect.top() + (rect.height() - side) / 2);
    if (key == QLatin1String("ToPTT")) terminal(painter, u);
    else if (key == QLatin1String("PTTShortcut")) keycap(painter, u);
    else if (key == QLatin1String("ShortURL")) link(painter, u);
    else if (key == QLatin1String("SearchPTT")) magnifier(painter, u);
    painter.restore();
}

QIcon icon(const QString& key) {
    static const QStringList keys = {QStringLiteral("ToPTT"), QStringLiteral("PTTShortcut"),
                                     QStringLiteral("ShortURL"), QStringLiteral("SearchPTT")};
    if (!keys.contains(key)) return QIcon();
    return QIcon(new PaintedEngine(key));
}

}  // namespace toolbar_icons
