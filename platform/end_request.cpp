#include "platform/end_request.h"

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>
#endif

namespace chronell {

#ifdef _WIN32

int watchEndRequests()
{
    return -1;
}

void takeEndRequests(int) {}

#else

namespace {

int announceTo = -1;  // the pipe's write end

extern "C" void announceEndRequest(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(announceTo, &byte, 1);  // a full pipe has said it already
    errno = savedErrno;
}

} // namespace

int watchEndRequests()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    announceTo = ends[1];

    struct sigaction action = {};
    action.sa_handler = announceEndRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigset_t requests;
    sigemptyset(&requests);
    for (const int signal : {SIGTERM, SIGINT}) {
        ::sigaction(signal, &action, nullptr);
        sigaddset(&requests, signal);
    }
    ::sigprocmask(SIG_UNBLOCK, &requests, nullptr);
    return ends[0];
}

void takeEndRequests(int descriptor)
{
    char bytes[16];
    while (::read(descriptor, bytes, sizeof bytes) > 0) {
    }
}

#endif

} // namespace chronell
