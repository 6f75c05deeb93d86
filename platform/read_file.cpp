#include "platform/read_file.h"

#include "platform/file_handle.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace chronell {

#ifdef _WIN32

// Read access, shared with other readers only; a pipe or device (file type
// other than disk) is not read.
bool readWholeFile(const std::string& path, std::string& contents, std::error_code& reason)
{
    contents.clear();
    reason.clear();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        reason = std::make_error_code(std::errc::is_a_directory);
        return false;
    }
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen()) {
        reason = std::error_code(static_cast<int>(GetLastError()), std::system_category());
        return false;
    }

    LARGE_INTEGER size{};
    const bool disk = GetFileType(file.get()) == FILE_TYPE_DISK;
    if (!disk || !GetFileSizeEx(file.get(), &size) || static_cast<unsigned long long>(size.QuadPart) > contents.max_size()) {
        reason = disk ? std::make_error_code(std::errc::file_too_large)
                      : std::make_error_code(std::errc::no_such_device_or_address);
        return false;
    }
    contents.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t filled = 0;
    while (filled < contents.size()) {
        const std::size_t wanted = contents.size() - filled;
        const DWORD chunk = wanted > 0x40000000u ? 0x40000000u : static_cast<DWORD>(wanted);
        DWORD got = 0;
        if (!ReadFile(file.get(), contents.data() + filled, chunk, &got, nullptr) || got == 0) break;
        filled += got;
    }
    contents.resize(filled);
    return true;
}

bool isRegularFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES
           && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

#else

namespace {

// Reads into contents[filled..]; returns the bytes read, 0 at end of file or
// on a read error (what was read stays).
std::size_t readSome(int fd, std::string& contents, std::size_t filled)
{
    const ssize_t got =
        retryOnInterrupt([&] { return ::read(fd, contents.data() + filled, contents.size() - filled); });
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

} // namespace

bool readWholeFile(const std::string& path, std::string& contents, std::error_code& reason)
{
    // The buffer keeps its size until the file's size is known: a buffer
    // reused across files is then only cut or lengthened, not filled anew.
    reason.clear();
    const auto refuse = [&contents, &reason](int error) {
        contents.clear();
        reason = std::error_code(error, std::generic_category());
        return false;
    };
    // What is not a regular file: a folder says so, anything else is no file to read.
    const auto notRegular = [](const struct stat& info) { return S_ISDIR(info.st_mode) ? EISDIR : ENXIO; };

    // Look before opening, so that a device or pipe is never opened at all.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return refuse(errno);
    if (!S_ISREG(info.st_mode)) return refuse(notRegular(info));

    // O_NONBLOCK: should the name be swapped for a pipe between stat and
    // open, the open still returns at once and the check below rejects it.
    const FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.isOpen()) return refuse(errno);
    if (::fstat(file.get(), &info) != 0) return refuse(errno);
    if (!S_ISREG(info.st_mode)) return refuse(notRegular(info));
    if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) >= contents.max_size())
        return refuse(EFBIG);

    // A regular file is read up to the size it had when it was opened: one
    // allocation, and a writer that appends without end cannot keep the
    // reading going. A file that shrank meanwhile is cut to what was read.
    if (info.st_size > 0) {
        contents.resize(static_cast<std::size_t>(info.st_size));
        std::size_t filled = 0;
        while (filled < contents.size()) {
            const std::size_t got = readSome(file.get(), contents, filled);
            if (got == 0) break;
            filled += got;
        }
        contents.resize(filled);
        return true;
    }

    // procfs and the like report a size of 0 for files that have text: read
    // on, a page at a time, to the end of file.
    std::size_t filled = 0;
    for (;;) {
        contents.resize(filled + 4096);
        const std::size_t got = readSome(file.get(), contents, filled);
        if (got == 0) break;
        filled += got;
    }
    contents.resize(filled);
    return true;
}

bool isRegularFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

#endif

} // namespace chronell
