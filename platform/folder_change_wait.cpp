#include "platform/folder_change_wait.h"

#include <algorithm>
#include <cerrno>
#include <climits>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include "platform/file_handle.h"
#endif

namespace chronell {

namespace {

const char* folderOrCurrent(const std::string& folder)
{
    return folder.empty() ? "." : folder.c_str();
}

} // namespace

#ifdef _WIN32

FolderChangeWait::FolderChangeWait(const std::string& folder)
{
    const HANDLE handle = FindFirstChangeNotificationA(
        folderOrCurrent(folder), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE
            | FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (handle == INVALID_HANDLE_VALUE)
        error_.assign(static_cast<int>(GetLastError()), std::system_category());
    else
        handle_ = handle;
}

FolderChangeWait::~FolderChangeWait()
{
    if (handle_) FindCloseChangeNotification(static_cast<HANDLE>(handle_));
}

FolderChangeWait::Result FolderChangeWait::wait(std::chrono::milliseconds timeout)
{
    if (!handle_) return Result::Failed;
    const auto milliseconds = static_cast<DWORD>(std::clamp<std::int64_t>(timeout.count(), 0, INFINITE - 1));
    switch (WaitForSingleObject(static_cast<HANDLE>(handle_), milliseconds)) {
    case WAIT_TIMEOUT:
        return Result::TimedOut;
    case WAIT_OBJECT_0:
        // Re-armed for the next change; a folder that went away fails here.
        if (FindNextChangeNotification(static_cast<HANDLE>(handle_))) return Result::Changed;
        [[fallthrough]];
    default:
        error_.assign(static_cast<int>(GetLastError()), std::system_category());
        return Result::Failed;
    }
}

#else

namespace {

constexpr std::uint32_t kEntryEvents = IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_FROM
                                     | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
// The folder itself went: its watch is gone with it.
constexpr std::uint32_t kFolderGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

} // namespace

FolderChangeWait::FolderChangeWait(const std::string& folder)
{
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) {
        error_.assign(errno, std::system_category());
        return;
    }
    if (::inotify_add_watch(fd_, folderOrCurrent(folder), kEntryEvents | IN_ONLYDIR) < 0) {
        error_.assign(errno, std::system_category());
        ::close(fd_);
        fd_ = -1;
    }
}

FolderChangeWait::~FolderChangeWait()
{
    if (fd_ >= 0) ::close(fd_);
}

FolderChangeWait::Result FolderChangeWait::wait(std::chrono::milliseconds timeout)
{
    if (fd_ < 0) return Result::Failed;
    pollfd ready{fd_, POLLIN, 0};
    const auto milliseconds = static_cast<int>(std::clamp<std::int64_t>(timeout.count(), 0, INT_MAX));
    const int polled = retryOnInterrupt([&] { return ::poll(&ready, 1, milliseconds); });
    if (polled < 0) {
        error_.assign(errno, std::system_category());
        return Result::Failed;
    }
    if (polled == 0) return Result::TimedOut;

    // Takes every event queued so far.
    alignas(inotify_event) char buffer[4096];
    bool gone = false;
    for (;;) {
        const ssize_t got = retryOnInterrupt([&] { return ::read(fd_, buffer, sizeof buffer); });
        if (got <= 0) break;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & kFolderGone) gone = true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    if (!gone) return Result::Changed;
    error_ = std::make_error_code(std::errc::no_such_file_or_directory);
    ::close(fd_);
    fd_ = -1;
    return Result::Failed;
}

#endif

} // namespace chronell
