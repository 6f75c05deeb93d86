#include "ui/window/wall_clock.h"

namespace chronell {

Instant systemWallClock()
{
    return std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
}

} // namespace chronell
