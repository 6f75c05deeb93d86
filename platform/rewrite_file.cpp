#include "platform/rewrite_file.h"

#include <string_view>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_descriptor.h"
#endif

namespace chronell {

#ifdef _WIN32

namespace {

// An open file handle, closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (isOpen()) CloseHandle(handle_);
    }

    HANDLE get() const { return handle_; }
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

    bool close()
    {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle != INVALID_HANDLE_VALUE && CloseHandle(handle) != FALSE;
    }

private:
    HANDLE handle_;
};

constexpr DWORD kChunk = 1u << 20;

bool readAll(HANDLE file, std::string& contents)
{
    contents.clear();
    std::string buffer(kChunk, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer.data(), kChunk, &got, nullptr)) return false;
        if (got == 0) return true;
        contents.append(buffer, 0, got);
    }
}

bool writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD wanted = bytes.size() > kChunk ? kChunk : static_cast<DWORD>(bytes.size());
        DWORD put = 0;
        if (!WriteFile(file, bytes.data(), wanted, &put, nullptr) || put == 0) return false;
        bytes.remove_prefix(put);
    }
    return true;
}

} // namespace

bool rewriteFile(const std::string& path, const FileRewrite& rewrite)
{
    // Others may read meanwhile, but not write.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen() || GetFileType(file.get()) != FILE_TYPE_DISK) return false;

    std::string old;
    if (!readAll(file.get(), old)) return false;
    const std::string updated = rewrite(old);

    if (SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    if (!writeAll(file.get(), updated) || !SetEndOfFile(file.get())) return false;
    return file.close();
}

#else

namespace {

bool readAll(int fd, std::string& contents)
{
    contents.clear();
    char buffer[16384];
    for (;;) {
        const ssize_t got = retryOnInterrupt([&] { return ::read(fd, buffer, sizeof buffer); });
        if (got < 0) return false;
        if (got == 0) return true;
        contents.append(buffer, static_cast<std::size_t>(got));
    }
}

bool writeAllAt(int fd, std::string_view bytes, off_t offset)
{
    while (!bytes.empty()) {
        const ssize_t put = retryOnInterrupt([&] { return ::pwrite(fd, bytes.data(), bytes.size(), offset); });
        if (put <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(put));
        offset += put;
    }
    return true;
}

} // namespace

bool rewriteFile(const std::string& path, const FileRewrite& rewrite)
{
    // One descriptor for reading and writing: a file that cannot be opened
    // for both is not touched. O_NONBLOCK keeps a pipe from blocking the open.
    FileDescriptor file(::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (!file.isOpen()) return false;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;

    std::string old;
    if (!readAll(file.get(), old)) return false;
    const std::string updated = rewrite(old);

    // The whole new text from the start, then the file cut to its length.
    if (!writeAllAt(file.get(), updated, 0)) return false;
    if (::ftruncate(file.get(), static_cast<off_t>(updated.size())) != 0) return false;
    return file.close();
}

#endif

} // namespace chronell
