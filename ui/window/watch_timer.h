#pragma once
// The timer that the folder watch waits on: single-shot, restarted by each
// start. The window's runs on Qt's event loop; tests fire theirs by hand.
#include <chrono>
#include <functional>
#include <memory>

namespace chronell {

class WatchTimer {
public:
    virtual ~WatchTimer() = default;
    // Calls `fire` once after `delay`, instead of any call still pending.
    virtual void start(std::chrono::milliseconds delay, std::function<void()> fire) = 0;
    virtual void stop() = 0;
};

using WatchTimerMaker = std::function<std::unique_ptr<WatchTimer>()>;

// A timer over QTimer.
std::unique_ptr<WatchTimer> makeQtWatchTimer();

} // namespace chronell
