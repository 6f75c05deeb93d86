#pragma once
// An open file of the system, closed when it goes out of scope: a file
// descriptor on POSIX systems, a HANDLE on Windows. Every file the program
// opens by the system's own calls is held by one.
#include <utility>

#ifndef _WIN32
#include <cerrno>
#endif

namespace chronell {

class FileHandle {
public:
#ifdef _WIN32
    using Native = void*;  // HANDLE; INVALID_HANDLE_VALUE and null mean none
#else
    using Native = int;  // -1 means none
#endif

    FileHandle() = default;
    explicit FileHandle(Native native) : native_(valid(native) ? native : none()) {}
    FileHandle(FileHandle&& other) noexcept : native_(std::exchange(other.native_, none())) {}
    FileHandle& operator=(FileHandle&& other) noexcept
    {
        if (this != &other) {
            close();
            native_ = std::exchange(other.native_, none());
        }
        return *this;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }

    Native get() const { return native_; }
    bool isOpen() const { return native_ != none(); }

    // Closes now, so that a failing close (a full disk on some file systems)
    // is seen: false then, or when nothing was open.
    bool close();

private:
#ifdef _WIN32
    static Native none() { return reinterpret_cast<Native>(-1); }
    static bool valid(Native native) { return native != nullptr && native != none(); }
#else
    static constexpr Native none() { return -1; }
    static constexpr bool valid(Native native) { return native >= 0; }
#endif

    Native native_ = none();
};

#ifndef _WIN32
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
#endif

} // namespace chronell
