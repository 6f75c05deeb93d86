#include "platform/termination_signals.h"

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace chronell {

#ifdef _WIN32

int terminationSignalDescriptor()
{
    return -1;
}

void drainTerminationSignals(int) {}

#else

namespace {

// The write end, for the handler: a signal handler can reach nothing else.
int signalWriteEnd = -1;

void onTerminationSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a byte that wakes the loop.
    [[maybe_unused]] const ssize_t written = ::write(signalWriteEnd, &byte, 1);
    errno = savedErrno;
}

int installHandlers()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    signalWriteEnd = ends[1];

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESTART: reads and writes under way go on. SA_RESETHAND: a second
    // signal, while the first is being honoured, takes the default way out.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
    return ends[0];
}

} // namespace

int terminationSignalDescriptor()
{
    static const int readEnd = installHandlers();
    return readEnd;
}

void drainTerminationSignals(int descriptor)
{
    char bytes[64];
    while (::read(descriptor, bytes, sizeof bytes) > 0) {
    }
}

#endif

} // namespace chronell
