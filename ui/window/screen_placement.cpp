#include "ui/window/screen_placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace chronell {

namespace {

qint64 areaOf(const QRect& rectangle)
{
    return rectangle.isEmpty() ? 0 : qint64{rectangle.width()} * rectangle.height();
}

// `bounds`, where it is wider or taller than `area`, reduced to the area in
// that direction.
QRect fittedInto(const QRect& bounds, const QRect& area)
{
    QRect fitted = bounds;
    if (fitted.width() > area.width()) fitted.setRect(area.left(), fitted.top(), area.width(), fitted.height());
    if (fitted.height() > area.height()) fitted.setRect(fitted.left(), area.top(), fitted.width(), area.height());
    return fitted;
}

} // namespace

QRect placedOnScreen(const QRect& bounds, const QList<QRect>& availableAreas, const QRect& primaryArea)
{
    const QRect* landing = nullptr;
    qint64 largestOverlap = 0;
    for (const QRect& area : availableAreas) {
        const qint64 overlap = areaOf(area.intersected(bounds));
        if (overlap > largestOverlap) {
            largestOverlap = overlap;
            landing = &area;
        }
    }
    if (landing != nullptr) return fittedInto(bounds, *landing);
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
