#pragma once
// Brings a window back that would open where no screen shows it, such as
// at a place remembered from a monitor since removed.
#include <QList>
#include <QRect>

namespace chronell {

// `bounds` unchanged when it overlaps any of the screens' available areas;
// otherwise centred on the primary screen's available area, its size kept
// where it fits and cut to that area where it does not. Unchanged, too,
// when there is no primary area to go to.
QRect placedOnScreen(const QRect& bounds, const QList<QRect>& availableAreas, const QRect& primaryArea);

// The same over the screens that the application has now.
QRect placedOnScreen(const QRect& bounds);

} // namespace chronell
