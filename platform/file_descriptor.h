#pragma once
// An open POSIX file descriptor, closed when it goes out of scope.
#ifndef _WIN32
#include <cerrno>
#include <unistd.h>

namespace chronell {

// Calls `call` again as long as it fails with EINTR (a signal arrived);
// gives its last result.
template <typename Call>
auto retryOnInterrupt(Call call)
{
    for (;;) {
        const auto result = call();
        if (!(result < 0 && errno == EINTR)) return result;
    }
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }

    // Closes now, so that a failing close (a full disk on some file systems)
    // is seen: false then.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd >= 0 && ::close(fd) == 0;
    }

private:
    int fd_;
};

} // namespace chronell
#endif
