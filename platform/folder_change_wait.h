#pragma once
// Waiting for a change in one folder without polling: inotify on Linux, the
// change notifications on Windows. The watch starts when the object is made,
// so a change that comes while the caller reads the folder is not missed:
// the next wait returns at once.
#include <chrono>
#include <string>
#include <system_error>

namespace chronell {

class FolderChangeWait {
public:
    enum class Result {
        Changed,   // an entry appeared, went, was written or renamed
        TimedOut,  // nothing changed within the time given
        Failed,    // the folder went away or could not be watched (error() says why)
    };

    // Watches `folder` ("" for the current folder). When it cannot be
    // watched, error() is set and every wait fails.
    explicit FolderChangeWait(const std::string& folder);
    ~FolderChangeWait();
    FolderChangeWait(const FolderChangeWait&) = delete;
    FolderChangeWait& operator=(const FolderChangeWait&) = delete;

    // Waits up to `timeout` for a change; changes that came before this call
    // count. Every change seen so far is taken, so a burst wakes it once or
    // a few times, never once per event.
    Result wait(std::chrono::milliseconds timeout);

    const std::error_code& error() const { return error_; }

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    std::error_code error_;
};

} // namespace chronell
