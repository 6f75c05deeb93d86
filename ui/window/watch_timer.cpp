#include "ui/window/watch_timer.h"

#include <QTimer>

#include <utility>

namespace chronell {

namespace {

class QtWatchTimer : public WatchTimer {
public:
    QtWatchTimer()
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (fire_) fire_();
        });
    }
    void start(std::chrono::milliseconds delay, std::function<void()> fire) override
    {
        fire_ = std::move(fire);
        timer_.start(delay);
    }
    void stop() override { timer_.stop(); }

private:
    QTimer timer_;
    std::function<void()> fire_;
};

} // namespace

std::unique_ptr<WatchTimer> makeQtWatchTimer()
{
    return std::make_unique<QtWatchTimer>();
}

} // namespace chronell
