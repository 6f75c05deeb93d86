#include "platform/read_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <thread>
#include <vector>
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include "support/host.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;

struct ReadResult {
    bool ok = false;
    std::string contents;
};

// Reads on another thread and gives up after a few seconds, so that a read
// that blocks fails the test instead of hanging it. `unblock` is called
// after a time-out to free the reader (for instance by opening a pipe's
// other end).
ReadResult readWithin(const std::string& path, void (*unblock)(const std::string&) = nullptr)
{
    auto reading = std::async(std::launch::async, [path] {
        ReadResult result;
        result.contents = "stale";
        result.ok = readWholeFile(path, result.contents);
        return result;
    });
    if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        if (unblock != nullptr) unblock(path);
        ADD_FAILURE() << "reading " << path << " blocked";
    }
    return reading.get();
}

std::string makeFifo(const TempFolder& folder, const char* name)
{
    const std::string path = folder.file(name);
    test::makeFifo(path);
    return path;
}

TEST(ReadWholeFile, RegularFileGivesEveryByte)
{
    TempFolder folder;
    const std::string bytes("// $numjobs 1\r\n\0\xff\r\nno final break", 33);
    const std::string path = folder.write("a.jobs", bytes);
    std::string contents = "previous text";
    ASSERT_TRUE(readWholeFile(path, contents));
    EXPECT_EQ(contents, bytes);
}

TEST(ReadWholeFile, LargeFileGivesEveryByte)
{
    TempFolder folder;
    std::string bytes;
    for (int i = 0; bytes.size() < 3 * 1024 * 1024 + 17; ++i) bytes += "line " + std::to_string(i) + "\n";
    const std::string path = folder.write("big.jobs", bytes);
    std::string contents;
    ASSERT_TRUE(readWholeFile(path, contents));
    EXPECT_EQ(contents.size(), bytes.size());
    EXPECT_TRUE(contents == bytes);
}

TEST(ReadWholeFile, BufferReusedAcrossFilesHoldsOnlyTheLastFile)
{
    TempFolder folder;
    const std::string longer = folder.write("long.jobs", std::string(10000, 'L'));
    const std::string shorter = folder.write("short.jobs", "short\r\n");
    const std::string empty = folder.write("empty.jobs", "");
    std::string buffer;
    ASSERT_TRUE(readWholeFile(longer, buffer));
    ASSERT_TRUE(readWholeFile(shorter, buffer));
    EXPECT_EQ(buffer, "short\r\n");
    ASSERT_TRUE(readWholeFile(longer, buffer));
    EXPECT_EQ(buffer, std::string(10000, 'L'));
    ASSERT_TRUE(readWholeFile(empty, buffer));
    EXPECT_EQ(buffer, "");
    ASSERT_TRUE(readWholeFile(longer, buffer));
    EXPECT_FALSE(readWholeFile(folder.file("missing.jobs"), buffer));
    EXPECT_EQ(buffer, "");
}

TEST(ReadWholeFile, EmptyFileGivesNoBytes)
{
    TempFolder folder;
    const std::string path = folder.write("empty.jobs", "");
    std::string contents = "previous text";
    ASSERT_TRUE(readWholeFile(path, contents));
    EXPECT_EQ(contents, "");
}

TEST(ReadWholeFile, SymbolicLinkToFileIsFollowed)
{
    if (kWindowsHost) GTEST_SKIP() << "the C++ library makes no symbolic links on Windows";
    TempFolder folder;
    const std::string target = folder.write("target.jobs", "through the link\n");
    fs::create_symlink(target, folder.path() / "link.jobs");
    std::string contents;
    ASSERT_TRUE(readWholeFile(folder.file("link.jobs"), contents));
    EXPECT_EQ(contents, "through the link\n");
}

TEST(ReadWholeFile, FileLongerThanItsReportedSizeIsReadToTheEnd)
{
    // procfs reports a size of 0 for files that have text: the reader must
    // go on to the end of file rather than trust the size.
    if (kWindowsHost) GTEST_SKIP() << "no procfs on Windows";
    std::string contents;
    ASSERT_TRUE(readWholeFile("/proc/self/status", contents));
    EXPECT_EQ(contents.rfind("Name:", 0), 0u) << contents.substr(0, 40);
    EXPECT_NE(contents.find("\nPid:"), std::string::npos);
}

TEST(ReadWholeFile, FileGrowingWhileReadIsReadUpToItsSizeWhenOpened)
{
#ifdef _WIN32
    GTEST_SKIP() << "watches the reader's open with inotify, which Windows does not have";
#else
    TempFolder folder;
    const std::string start(64 * 1024, 's');
    const std::string path = folder.write("growing.jobs", start);
    const int writer = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, path.c_str(), IN_OPEN), 0);

    // From the moment the reader opens the file, a writer lengthens it
    // without end, far faster than anyone reads (sparse, 64 KiB a step), up
    // to a limit that only a reader that follows it ever sees.
    constexpr off_t kLimit = off_t{1} << 30;
    std::atomic<bool> stop = false;
    std::thread growing([&] {
        pollfd opened{watch, POLLIN, 0};
        if (::poll(&opened, 1, 5000) != 1) return;
        for (off_t size = static_cast<off_t>(start.size()); !stop && size < kLimit; size += 64 * 1024) {
            if (::ftruncate(writer, size + 64 * 1024) != 0) return;
        }
    });
    std::string contents;
    const bool read = readWholeFile(path, contents);
    stop = true;
    growing.join();
    ::close(watch);
    ::close(writer);

    ASSERT_TRUE(read);
    EXPECT_GE(contents.size(), start.size());
    EXPECT_LT(contents.size(), static_cast<std::size_t>(kLimit));
    EXPECT_EQ(contents.compare(0, start.size(), start), 0);
#endif
}

TEST(ReadWholeFile, FileShorterThanItsReportedSizeGivesOnlyItsBytes)
{
    // sysfs reports a page (4096) for files of a few bytes.
    const std::string path = "/sys/devices/system/cpu/online";
    if (!fs::exists(path)) GTEST_SKIP() << path << " is not there";
    std::string contents;
    ASSERT_TRUE(readWholeFile(path, contents));
    EXPECT_LT(contents.size(), 64u);
    EXPECT_EQ(contents.find('\0'), std::string::npos);
    EXPECT_EQ(contents.back(), '\n');
}

// Every case that must give false, with the contents left empty rather than
// holding the caller's earlier text.
TEST(ReadWholeFile, WhatIsNotARegularFileIsNotRead)
{
    TempFolder folder;
    fs::create_directory(folder.path() / "old.jobs");

    struct Case {
        const char* what;
        std::string path;
    };
    std::vector<Case> cases{
        {"missing file", folder.file("missing.jobs")},
        {"folder", folder.file("old.jobs")},
        {"empty path", ""},
    };
    // The C++ library makes no symbolic links on Windows.
    if (!kWindowsHost) {
        fs::create_symlink(folder.path() / "old.jobs", folder.path() / "folder-link.jobs");
        fs::create_symlink(folder.path() / "nowhere.jobs", folder.path() / "dangling.jobs");
        cases.push_back({"link to a folder", folder.file("folder-link.jobs")});
        cases.push_back({"dangling link", folder.file("dangling.jobs")});
    }
    const std::vector<Case> devices =
        kWindowsHost
            ? std::vector<Case>{{"null device", "NUL"},
                                {"console", "CON"},
                                {"null device, lower case", "nul"},
                                {"null device by its device path", "\\\\.\\NUL"},
                                {"null device in a folder", folder.file("NUL")},
                                {"null device with an extension", folder.file("nul.jobs")}}
            : std::vector<Case>{{"null device", "/dev/null"}, {"endless device", "/dev/zero"}};
    cases.insert(cases.end(), devices.begin(), devices.end());
    for (const auto& c : cases) {
        const ReadResult result = readWithin(c.path);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.contents, "") << c.what;
    }
}

TEST(ReadWholeFile, FifoIsRefusedWithoutBlocking)
{
    if (kWindowsHost) GTEST_SKIP() << "no FIFOs in a Windows folder";
    TempFolder folder;
    const std::string fifo = makeFifo(folder, "queue.jobs");
    const ReadResult result = readWithin(fifo, test::openFifoWritingEnd);
    EXPECT_FALSE(result.ok);
}

TEST(ReadWholeFile, FifoThroughSymbolicLinkIsRefusedWithoutBlocking)
{
    if (kWindowsHost) GTEST_SKIP() << "no FIFOs in a Windows folder";
    TempFolder folder;
    const std::string fifo = makeFifo(folder, "queue");
    fs::create_symlink(fifo, folder.path() / "queue.jobs");
    const ReadResult result = readWithin(folder.file("queue.jobs"), [](const std::string& link) {
        test::openFifoWritingEnd(fs::read_symlink(link).string());
    });
    EXPECT_FALSE(result.ok);
}

TEST(ReadWholeFile, SocketIsRefused)
{
    if (kWindowsHost) GTEST_SKIP() << "no UNIX sockets in a Windows folder";
    TempFolder folder;
    const std::string path = folder.file("socket.jobs");
    const test::ListeningUnixSocket socket(path);
    const ReadResult result = readWithin(path);
    EXPECT_FALSE(result.ok);
}

TEST(ReadWholeFile, UnreadableFileIsRefused)
{
    if (!test::readProtectionHolds()) GTEST_SKIP() << "permissions do not stop root, nor any reader on Windows";
    TempFolder folder;
    const std::string path = folder.write("locked.jobs", "secret\n");
    fs::permissions(path, fs::perms::none);
    std::string contents;
    EXPECT_FALSE(readWholeFile(path, contents));
}

} // namespace
} // namespace chronell
