#pragma once
// The desktop's request to end the program: SIGTERM and SIGHUP (the
// session ending) call `quit` from the event loop instead of ending the
// process on the spot. Where the host has no such signals it does nothing.
#include <QObject>

#include <functional>

namespace chronell {

class TerminationWatch : public QObject {
public:
    explicit TerminationWatch(std::function<void()> quit, QObject* parent = nullptr);
};

} // namespace chronell
