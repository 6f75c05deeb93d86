#pragma once
// The desktop's request to end the program: SIGTERM and SIGHUP (the
// session ending), received on `descriptor` (terminationSignalDescriptor()),
// call `quit` from the event loop instead of ending the process on the
// spot. Without a descriptor (-1: a host without such signals) it does
// nothing.
#include <QObject>

#include <functional>

namespace chronell {

class TerminationWatch : public QObject {
public:
    TerminationWatch(int descriptor, std::function<void()> quit, QObject* parent = nullptr);
};

} // namespace chronell
