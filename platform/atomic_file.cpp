#include "platform/atomic_file.h"

#include <filesystem>
#include <string>

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

namespace {

// The file a path names, symbolic links followed as far as they lead.
std::string followedLinks(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path file(path);
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(file, error); ++hops) {
        const fs::path target = fs::read_symlink(file, error);
        if (error) break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file.string();
}

// A name beside the target that no other file has yet: tried in turn.
std::string temporaryName(const std::string& target, int attempt, unsigned long process)
{
    return target + ".tmp" + std::to_string(process) + "-" + std::to_string(attempt);
}

} // namespace

bool AtomicFile::fail(std::error_code error)
{
    if (!error_) error_ = error;
    return false;
}

#ifdef _WIN32

namespace {

std::error_code lastError()
{
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}

} // namespace

AtomicFile::AtomicFile(const std::string& path) : target_(followedLinks(path))
{
    // A read-only file is not replaced, nor is a folder.
    const DWORD attributes = GetFileAttributesA(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        fail(std::make_error_code(std::errc::is_a_directory));
        return;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        fail(std::error_code(ERROR_ACCESS_DENIED, std::system_category()));
        return;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryName(target_, attempt, GetCurrentProcessId());
        FileHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.isOpen()) {
            file_ = std::move(file);
            temporary_ = name;
            return;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) break;
    }
    fail(lastError());
}

AtomicFile::~AtomicFile()
{
    file_.close();
    if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
}

bool AtomicFile::write(std::string_view bytes)
{
    if (error_ || !file_.isOpen()) return false;
    while (!bytes.empty()) {
        const DWORD wanted = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD put = 0;
        if (!WriteFile(file_.get(), bytes.data(), wanted, &put, nullptr) || put == 0)
            return fail(lastError());
        bytes.remove_prefix(put);
    }
    return true;
}

bool AtomicFile::commit()
{
    if (error_ || !file_.isOpen()) return false;
    if (FlushFileBuffers(file_.get()) == FALSE) fail(lastError());
    if (!file_.close()) fail(lastError());
    if (error_) return false;
    // ReplaceFile keeps the old file's attributes and security; a file that
    // is not there yet is moved into place.
    const bool exists = GetFileAttributesA(target_.c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool placed = exists ? ReplaceFileA(target_.c_str(), temporary_.c_str(), nullptr,
                                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE
                               : MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!placed) return fail(lastError());
    temporary_.clear();
    return true;
}

#else

namespace {

std::error_code errnoError()
{
    return std::error_code(errno, std::generic_category());
}

} // namespace

AtomicFile::AtomicFile(const std::string& path) : target_(followedLinks(path))
{
    // A file that we may not write is not replaced either, though its folder
    // would let us.
    if (::access(target_.c_str(), F_OK) == 0 && ::access(target_.c_str(), W_OK) != 0) {
        fail(errnoError());
        return;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryName(target_, attempt, static_cast<unsigned long>(::getpid()));
        // 0666 less the umask, as a new file gets; an old file's mode is
        // given to it before it takes its place.
        FileHandle file(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
        if (file.isOpen()) {
            file_ = std::move(file);
            temporary_ = name;
            return;
        }
        if (errno != EEXIST) break;
    }
    fail(errnoError());
}

AtomicFile::~AtomicFile()
{
    file_.close();
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool AtomicFile::write(std::string_view bytes)
{
    if (error_ || !file_.isOpen()) return false;
    while (!bytes.empty()) {
        const ssize_t put = retryOnInterrupt([&] { return ::write(file_.get(), bytes.data(), bytes.size()); });
        if (put < 0) return fail(errnoError());
        if (put == 0) return fail(std::make_error_code(std::errc::no_space_on_device));
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

bool AtomicFile::commit()
{
    if (error_ || !file_.isOpen()) return false;
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        // Root may keep the owner of someone else's file; others cannot, and
        // the file is then theirs as any new file would be.
        [[maybe_unused]] const int owned = ::fchown(file_.get(), old.st_uid, old.st_gid);
        if (::fchmod(file_.get(), old.st_mode & 07777) != 0) return fail(errnoError());
    }
    if (::fsync(file_.get()) != 0) return fail(errnoError());
    if (!file_.close()) return fail(errnoError());
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return fail(errnoError());
    temporary_.clear();
    return true;
}

#endif

} // namespace chronell
