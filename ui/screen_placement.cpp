#include "ui/screen_placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace chronell {

QRect placedOnScreen(const QRect& bounds, const QList<QRect>& availableAreas, const QRect& primaryArea)
{
    for (const QRect& area : availableAreas) {
        if (area.intersects(bounds)) return bounds;
    }
    if (primaryArea.isEmpty()) return bounds;
    QRect placed(QPoint(0, 0), bounds.size().boundedTo(primaryArea.size()));
    placed.moveCenter(primaryArea.center());
    return placed;
}

QRect placedOnScreen(const QRect& bounds)
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas.append(screen->availableGeometry());
    const QScreen* primary = QGuiApplication::primaryScreen();
    return placedOnScreen(bounds, areas, primary != nullptr ? primary->availableGeometry() : QRect());
}

} // namespace chronell
