#include "platform/folder_change_wait.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using test::TempFolder;
using Result = FolderChangeWait::Result;
using std::chrono::milliseconds;

// Long enough never to end a wait for a change that has already come.
constexpr milliseconds kAlreadyCame{10'000};

// Each change made after the watch began wakes a wait, even one that starts
// after the change; nothing else does.
TEST(FolderChangeWait, ChangesOfEntriesWakeItAndQuietTimesOut)
{
    struct Case {
        const char* what;
        void (*change)(const TempFolder&);
    };
    const Case cases[] = {
        {"a file appears", [](const TempFolder& f) { f.write("new.jobs", "x"); }},
        {"a file is rewritten", [](const TempFolder& f) { f.write("old.jobs", "rewritten"); }},
        {"a file goes", [](const TempFolder& f) { std::filesystem::remove(f.file("old.jobs")); }},
        {"a file is renamed", [](const TempFolder& f) { std::filesystem::rename(f.file("old.jobs"), f.file("b")); }},
    };
    for (const Case& c : cases) {
        const TempFolder folder;
        folder.write("old.jobs", "x");
        FolderChangeWait wait(folder.string());
        ASSERT_FALSE(wait.error()) << c.what;
        EXPECT_EQ(wait.wait(milliseconds(0)), Result::TimedOut) << c.what;
        c.change(folder);
        EXPECT_EQ(wait.wait(kAlreadyCame), Result::Changed) << c.what;
    }
}

TEST(FolderChangeWait, ABurstIsTakenAtOnce)
{
    const TempFolder folder;
    FolderChangeWait wait(folder.string());
    for (int i = 0; i < 50; ++i) folder.write("file" + std::to_string(i), "x");
    EXPECT_EQ(wait.wait(kAlreadyCame), Result::Changed);
    EXPECT_EQ(wait.wait(milliseconds(0)), Result::TimedOut);
}

TEST(FolderChangeWait, AFolderThatCannotBeWatchedFailsWithTheReason)
{
    const TempFolder folder;
    FolderChangeWait wait(folder.file("missing"));
    EXPECT_TRUE(wait.error());
    EXPECT_EQ(wait.wait(milliseconds(0)), Result::Failed);
}

TEST(FolderChangeWait, AFolderThatGoesFails)
{
    if (kWindowsHost) GTEST_SKIP() << "Windows does not remove a folder that is being watched";
    const TempFolder folder;
    const std::string watched = folder.file("queue");
    std::filesystem::create_directory(watched);
    FolderChangeWait wait(watched);
    std::filesystem::remove(watched);
    // The removal may first be seen as a change; the next wait fails.
    Result result = wait.wait(kAlreadyCame);
    if (result == Result::Changed) result = wait.wait(kAlreadyCame);
    EXPECT_EQ(result, Result::Failed);
    EXPECT_TRUE(wait.error());
}

} // namespace
} // namespace chronell
