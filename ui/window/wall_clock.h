#pragma once
// The time of day as the window reads it: when a run was made, and how long
// a running job has run so far. Handed to the window, so that tests fix it.
#include <functional>

#include "analysis/instant.h"

namespace chronell {

using WallClock = std::function<Instant()>;

// The system's clock, to the millisecond.
Instant systemWallClock();

} // namespace chronell
