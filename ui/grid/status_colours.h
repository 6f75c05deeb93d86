#pragma once
// The status colours, one per job state, shared by the timeline and the
// grid, and how the grid lays them over the palette so that its text stays
// readable in light and dark palettes alike.
#include <QColor>
#include <QPalette>

#include <cstdint>
#include <optional>

namespace chronell {

// The state's colour as the timeline draws its bars.
QColor statusColour(std::optional<std::int32_t> state);

// The colour of a job left behind by its runner: in the grid it stands for
// the job's state, which still says in progress.
QColor leftBehindColour();

// The Status cell's background: the state's colour (or the left-behind
// colour) over the palette's base.
QColor statusCellBackground(std::optional<std::int32_t> state, const QPalette& palette, bool leftBehind = false);

// The background of the other cells of a failed, aborted or left-behind
// job's row, a fainter tint of its colour; invalid for every other row.
QColor standingOutRowBackground(std::optional<std::int32_t> state, const QPalette& palette,
                                bool leftBehind = false);

} // namespace chronell
