#include "app/termination_watch.h"

#include <QSocketNotifier>

#include <utility>

#include "platform/termination_signals.h"

namespace chronell {

TerminationWatch::TerminationWatch(int descriptor, std::function<void()> quit, QObject* parent)
    : QObject(parent)
{
    if (descriptor < 0) return;
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [descriptor, quit = std::move(quit)] {
        drainTerminationSignals(descriptor);
        quit();
    });
}

} // namespace chronell
