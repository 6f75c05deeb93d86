#include "platform/file_handle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/read_file.h"
#include "support/temp_folder.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#endif

namespace chronell {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;

FileHandle openForReading(const std::string& path)
{
#ifdef _WIN32
    return FileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
#else
    return FileHandle(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
#endif
}

// Whether the system still knows the handle as open.
bool systemHolds(FileHandle::Native native)
{
#ifdef _WIN32
    DWORD flags = 0;
    return GetHandleInformation(static_cast<HANDLE>(native), &flags) != FALSE;
#else
    return ::fcntl(native, F_GETFD) != -1 || errno != EBADF;
#endif
}

TEST(FileHandle, ClosesOnceWhetherMovedClosedOrDestroyed)
{
    TempFolder folder;
    const std::string path = folder.write("a.jobs", "// VirtualDub job list\n");

    FileHandle::Native native{};
    {
        FileHandle first = openForReading(path);
        ASSERT_TRUE(first.isOpen());
        native = first.get();
        FileHandle second(std::move(first));
        EXPECT_FALSE(first.isOpen()) << "a moved-from handle gives up the file";
        EXPECT_FALSE(first.close()) << "and has nothing to close";
        FileHandle third;
        third = std::move(second);
        EXPECT_TRUE(systemHolds(native));
    }
    EXPECT_FALSE(systemHolds(native)) << "the last owner closes the file when it goes";

    FileHandle explicitClose = openForReading(path);
    EXPECT_TRUE(explicitClose.close());
    EXPECT_FALSE(explicitClose.isOpen());
    EXPECT_FALSE(explicitClose.close()) << "a second close is refused, not passed to the system";
}

TEST(FileHandle, FailedOpenHoldsNothing)
{
    TempFolder folder;
    const FileHandle missing = openForReading(folder.file("gone.jobs"));
    EXPECT_FALSE(missing.isOpen());
}

// On Windows an open file cannot be removed: each reading and writing path
// must have let go of its file by the time it returns, failed or not.
TEST(FileHandle, ReadersAndWritersLetGoOfTheirFiles)
{
    TempFolder folder;
    const std::string path = folder.write("queue.jobs", "// VirtualDub job list\n");
    std::string contents;
    ASSERT_TRUE(readWholeFile(path, contents));
    {
        AtomicFile file(folder.file("saved.tsv"));
        ASSERT_TRUE(file.write("Name\n"));
        ASSERT_TRUE(file.commit());
    }
    {
        AtomicFile abandoned(folder.file("abandoned.tsv"));
        ASSERT_TRUE(abandoned.write("Name\n"));
    }
    std::error_code error;
    EXPECT_TRUE(fs::remove(path, error)) << error.message();
    EXPECT_TRUE(fs::remove(folder.file("saved.tsv"), error)) << error.message();
    EXPECT_FALSE(fs::exists(folder.file("abandoned.tsv")));
    EXPECT_TRUE(fs::is_empty(folder.path())) << "no temporary file stays behind";
}

} // namespace
} // namespace chronell
