#pragma once
// Brings a window back that would open where no screen shows it, such as
// at a place remembered from a monitor since removed, and cuts one larger
// than the screen it opens on to that screen, so that its title bar and
// menu stay in reach.
#include <QList>
#include <QRect>

namespace chronell {

// When `bounds` overlaps any of the screens' available areas, it lands on
// the one it overlaps most: a width or height larger than that area's is
// reduced to it and moved into it, and the rest stays. Otherwise it is
// centred on the primary screen's available area, its size kept where it
// fits and cut to that area where it does not. Unchanged when there is no
// primary area to go to.
QRect placedOnScreen(const QRect& bounds, const QList<QRect>& availableAreas, const QRect& primaryArea);

// The same over the screens that the application has now.
QRect placedOnScreen(const QRect& bounds);

} // namespace chronell
