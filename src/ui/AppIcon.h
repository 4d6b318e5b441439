#pragma once
// Zek's own picture (the window icon and the About box), drawn as vectors at whatever
// size is asked for; data/desktop/zek.svg is the same picture for the desktop's menus.
#include <QIcon>

class QPainter;
class QRectF;

namespace app_icon {

QIcon icon();
void paint(QPainter& painter, const QRectF& rect);

}  // namespace app_icon
