#pragma once
// Makes a file or folder unwritable for as long as it lives: a read-only
// mode, or for root, whom modes do not stop, the immutable attribute. A
// folder keeps its search permission, so what it holds can still be run.
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>

namespace chronell::test {

class Unwritable {
public:
    explicit Unwritable(const std::string& path) : path_(path)
    {
        namespace fs = std::filesystem;
        if (::geteuid() != 0) {
            fs::permissions(path, fs::is_directory(path) ? fs::perms::owner_read | fs::perms::owner_exec
                                                         : fs::perms::owner_read);
            made_ = true;
        } else {
            made_ = setImmutable(true);
        }
    }
    ~Unwritable()
    {
        if (made_ && ::geteuid() == 0) setImmutable(false);
    }
    Unwritable(const Unwritable&) = delete;
    Unwritable& operator=(const Unwritable&) = delete;

    bool made() const { return made_; }

private:
    bool setImmutable(bool on) const
    {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }

    std::string path_;
    bool made_ = false;
};

} // namespace chronell::test
