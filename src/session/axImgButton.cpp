#include "session/axImgButton.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// Top and bottom colours of the four backgrounds: 0 plain, 1 the current tab,
// 2 a tab in the background, 3 an accent.
struct Look {
    QColor top, bottom, edge;
};
const Look kLooks[4] = {
    {QColor(0xf4, 0xf4, 0xf4), QColor(0xdc, 0xdc, 0xdc), QColor(0xa0, 0xa0, 0xa0)},
    {QColor(0xff, 0xff, 0xff), QColor(0xe3, 0xee, 0xfb), QColor(0x4a, 0x7e, 0xc2)},
    {QColor(0xe6, 0xe8, 0xec), QColor(0xc8, 0xcd, 0xd5), QColor(0x94, 0x9a, 0xa4)},
    {QColor(0xff, 0xf6, 0xdc), QColor(0xf5, 0xd9, 0x8c), QColor(0xc0, 0x90, 0x30)},
};

}  // namespace

axImgButton::axImgButton(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);  // MouseMove is raised without a button held, too
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(caption_);
}

void axImgButton::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void axImgButton::setButtonColor(int index) {
    if (index < 0 || index > 3) return;
    if (buttonColor_ == index) return;
    buttonColor_ = index;
    update();
}

void axImgButton::setEnabled(bool enabled) {
    enabled_ = enabled;
    update();
}

QRect axImgButton::closeMarkRect() const {
    const int left = width() - kCloseMarkSize - kCloseRightGap;
    const int top = (height() - kCloseMarkSize) / 2;
    return QRect(left, top, kCloseMarkSize, kCloseMarkSize);
}

void axImgButton::paintBackground(QPainter& painter, const QRectF& rect, int index) {
    const Look& look = kLooks[(index >= 0 && index <= 3) ? index : 1];
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, look.top);
    fill.setColorAt(1, look.bottom);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(rect, painter.background());
    QPainterPath shape;
    // Rounded top corners only: the tab sits on the content below it.
    const QRectF r = rect.adjusted(0.5, 0.5, -0.5, 0);
    const qreal radius = 4;
    shape.moveTo(r.left(), r.bottom());
    shape.lineTo(r.left(), r.top() + radius);
    shape.quadTo(r.left(), r.top(), r.left() + radius, r.top());
    shape.lineTo(r.right() - radius, r.top());
    shape.quadTo(r.right(), r.top(), r.right(), r.top() + radius);
    shape.lineTo(r.right(), r.bottom());
    painter.fillPath(shape, fill);
    painter.setPen(QPen(look.edge, 1));
    painter.drawPath(shape);
    painter.restore();
}

void axImgButton::paintCloseMark(QPainter& painter, const QRectF& rect, bool withBorder) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (withBorder) {
        painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        painter.setBrush(QColor(0xff, 0xff, 0xff, 0x80));
        painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    const QRectF cross = rect.adjusted(3, 3, -3, -3);
    painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
    painter.restore();
}

void axImgButton::setLocked(bool locked) {
    if (locked_ == locked) return;
    locked_ = locked;
    update();
}

void axImgButton::paintLock(QPainter& painter, const QRectF& r, const QColor& colour) {
    // Drawn, not a glyph: no font here is sure to have a padlock.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body(r.left() + 1, r.top() + r.height() * 0.45, r.width() - 2, r.height() * 0.55);
    const QRectF shackle(r.left() + r.width() * 0.25, r.top(), r.width() * 0.5, r.height() * 0.7);
    painter.setPen(QPen(colour, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(shackle, 0, 180 * 16);
    painter.drawLine(QPointF(shackle.left(), shackle.center().y()), QPointF(shackle.left(), body.top()));
    painter.drawLine(QPointF(shackle.right(), shackle.center().y()), QPointF(shackle.right(), body.top()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(body, 1.5, 1.5);
    painter.restore();
}

void axImgButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setBackground(palette().window());
    painter.fillRect(rect(), palette().window());
    painter.translate(frameOffset_);
    paintBackground(painter, QRectF(rect()), buttonColor_);

    const QRect mark = closeMarkRect();
    QRect text(kCaptionLeft + 2, 0, mark.left() - kCaptionLeft - 4, height());
    const QColor ink = enabled_ ? palette().color(QPalette::ButtonText) : QColor(0x80, 0x80, 0x80);
    if (locked_) {
        const int size = 10;
        paintLock(painter, QRectF(text.left(), (height() - size) / 2.0, size - 1, size), ink);
        text.setLeft(text.left() + size + 3);
    }
    painter.setFont(font());
    painter.setPen(ink);
    const QString shown = painter.fontMetrics().elidedText(caption_, Qt::ElideRight, text.width());
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, shown);

    // The close mark stays in place while the body looks pressed.
    painter.translate(-frameOffset_);
    paintCloseMark(painter, QRectF(mark), closePress_);
}

int axImgButton::buttonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) code |= 1;
    if (buttons & Qt::RightButton) code |= 2;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

int axImgButton::shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) code |= 1;
    if (modifiers & Qt::ControlModifier) code |= 2;
    if (modifiers & Qt::AltModifier) code |= 4;
    return code;
}

void axImgButton::mousePressEvent(QMouseEvent* event) {
    if (!enabled_) return;
    const QPoint p = event->position().toPoint();
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(), p.y());
    if (p.x() < closeMarkRect().left()) {
        frameOffset_ = QPoint(kPressShift, kPressShift);
        closePress_ = false;
        bodyPress_ = true;
    } else {
        frameOffset_ = QPoint(0, 0);
        closePress_ = true;
        bodyPress_ = false;
    }
    update();
}

void axImgButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit MouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), p.x(), p.y());
}

void axImgButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasClose = closePress_;
    const bool wasBody = bodyPress_;
    frameOffset_ = QPoint(0, 0);
    closePress_ = false;
    bodyPress_ = false;
    update();
    if (!enabled_) return;
    const QPoint p = event->position().toPoint();
    const QRect mark = closeMarkRect();
    const bool onMark = p.x() >= mark.left() && p.x() <= mark.left() + mark.width() &&
                        p.y() >= mark.top() && p.y() <= mark.top() + mark.height();
    if (wasClose && onMark) {
        emit CloseClick();
        return;
    }
    emit MouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(), p.y());
    // A click is a left press on the body released inside the button; a press that
    // began on the close mark never selects the tab.
    if (wasBody && event->button() == Qt::LeftButton && rect().contains(p)) emit Click();
}
