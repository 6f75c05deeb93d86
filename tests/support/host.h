#pragma once
// What only a POSIX host has: FIFOs and UNIX sockets. A test that needs
// one of them skips on Windows (kWindowsHost) first, with its reason; there
// the helpers are never reached and throw. Whether file permissions bind
// this process is probed, not assumed.
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/paths.h"  // kWindowsHost
#include "support/temp_folder.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace chronell::test {

// Makes a FIFO (named pipe) at `path`; throws when it cannot.
inline void makeFifo(const std::string& path)
{
#ifdef _WIN32
    throw std::logic_error("no FIFOs on Windows: " + path);
#else
    if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed: " + path);
#endif
}

// Opens and closes the writing end of a FIFO, which frees a reader that
// blocks in opening it.
inline void openFifoWritingEnd([[maybe_unused]] const std::string& fifo)
{
#ifndef _WIN32
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
#endif
}

// A UNIX socket listening at a path in the file system while it lives.
class ListeningUnixSocket {
public:
    explicit ListeningUnixSocket([[maybe_unused]] const std::string& path)
    {
#ifdef _WIN32
        throw std::logic_error("no UNIX sockets here: " + path);
#else
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof address.sun_path) throw std::runtime_error("socket path too long: " + path);
        path.copy(address.sun_path, path.size());
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
            || ::listen(fd_, 1) != 0)
            throw std::runtime_error("cannot listen at " + path);
#endif
    }
    ~ListeningUnixSocket()
    {
#ifndef _WIN32
        if (fd_ >= 0) ::close(fd_);
#endif
    }
    ListeningUnixSocket(const ListeningUnixSocket&) = delete;
    ListeningUnixSocket& operator=(const ListeningUnixSocket&) = delete;

private:
    int fd_ = -1;
};

// Whether taking the write (read) permission of a file away stops this
// process. It does not for root on POSIX, nor under Wine run by root; on
// Windows nothing takes the read permission away.
inline bool writeProtectionHolds()
{
    const TempFolder folder;
    const std::string probe = folder.write("probe", "x");
    std::filesystem::permissions(probe, std::filesystem::perms::owner_read);
    return !std::ofstream(probe, std::ios::app).is_open();
}

inline bool readProtectionHolds()
{
    const TempFolder folder;
    const std::string probe = folder.write("probe", "x");
    std::filesystem::permissions(probe, std::filesystem::perms::none);
    return !std::ifstream(probe).is_open();
}

} // namespace chronell::test
