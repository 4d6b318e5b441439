#pragma once
// Zek's own toolbar pictures, drawn as vectors into pixmaps for every size and device
// pixel ratio asked for, so they stay sharp on 1x and 2x screens alike.
#include <QIcon>
#include <QString>

class QPainter;
class QRectF;

namespace toolbar_icons {

// The picture of a toolbar button key ("ToPTT", "PTTShortcut", "ShortURL",
// "SearchPTT"); a null icon for any other key.
QIcon icon(const QString& key);
// Draws the picture of key into rect (any size); used by icon() and by the
// application icon.
void paint(QPainter& painter, const QRectF& rect, const QString& key);

}  // namespace toolbar_icons
