#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "platform/output_mode.h"
#include "support/host.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include "support/file_size_limit.h"
#include "support/unwritable.h"
#endif

namespace chronell {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

std::size_t entriesOf(const TempFolder& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()));
}

TEST(AtomicFile, TakesTheOldFilesPlaceOnlyWhenCommitted)
{
    TempFolder folder;
    const std::string path = folder.write("results.tsv", "old");
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.write("new "));
        ASSERT_TRUE(file.write("bytes"));
        EXPECT_EQ(TempFolder::bytesOf(path), "old");  // not yet
        ASSERT_TRUE(file.commit()) << file.error().message();
    }
    EXPECT_EQ(TempFolder::bytesOf(path), "new bytes");
    {
        AtomicFile abandoned(path);
        ASSERT_TRUE(abandoned.write("half"));
    }
    EXPECT_EQ(TempFolder::bytesOf(path), "new bytes");
    EXPECT_EQ(entriesOf(folder), 1u);  // no temporary file left
    AtomicFile fresh(folder.file("fresh.json"));
    ASSERT_TRUE(fresh.write("[]\n") && fresh.commit());
    EXPECT_EQ(TempFolder::bytesOf(folder.file("fresh.json")), "[]\n");
}

TEST(AtomicFile, FailureKeepsTheOldFileAndGivesTheReason)
{
    TempFolder folder;
    fs::create_directory(folder.path() / "taken");
    const struct {
        const char* what;
        std::string path;
    } cases[] = {
        {"folder missing", folder.file("missing/out.csv")},
        {"name is a folder", folder.file("taken")},
    };
    for (const auto& c : cases) {
        AtomicFile file(c.path);
        file.write("bytes");
        EXPECT_FALSE(file.commit()) << c.what;
        EXPECT_TRUE(file.error()) << c.what;
    }
    EXPECT_TRUE(fs::is_directory(folder.path() / "taken"));
    EXPECT_TRUE(fs::is_empty(folder.path() / "taken"));
    EXPECT_EQ(entriesOf(folder), 1u);
}

TEST(AtomicFile, UnwritableFileIsNotReplaced)
{
    TempFolder folder;
    const std::string path = folder.write("Settings.ini", "kept");
#ifdef _WIN32
    fs::permissions(path, fs::perms::owner_read);  // the read-only attribute
#else
    const test::Unwritable unwritable(path);
    if (!unwritable.made()) GTEST_SKIP() << "this file system cannot make a file unwritable for root";
#endif
    AtomicFile file(path);
    file.write("new");
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(TempFolder::bytesOf(path), "kept");
}

TEST(AtomicFile, FullDiskKeepsTheOldFile)
{
    if (kWindowsHost) GTEST_SKIP() << "no file-size limit on Windows";
#ifndef _WIN32
    TempFolder folder;
    const std::string path = folder.write("results.json", "old");
    {
        const test::FileSizeLimit limit(16);
        AtomicFile file(path);
        EXPECT_FALSE(file.write(std::string(100, 'x')));
        EXPECT_FALSE(file.write("more"));
        EXPECT_FALSE(file.commit());
        EXPECT_EQ(file.error(), std::errc::file_too_large);
    }
    EXPECT_EQ(TempFolder::bytesOf(path), "old");
    EXPECT_EQ(entriesOf(folder), 1u);
#endif
}

TEST(HostLineBreaks, EachLineFeedAsTheHostsLineBreak)
{
    const char* const expected = kWindowsHost ? "a\tb\r\n\r\nc\\n" : "a\tb\n\nc\\n";
    EXPECT_EQ(withHostLineBreaks("a\tb\n\nc\\n"), expected);
}

} // namespace
} // namespace chronell
