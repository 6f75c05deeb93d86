#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "platform/chronell_error.h"
#include "support/host.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include "support/file_size_limit.h"
#endif

namespace chronell {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;

// A store over a file in a folder of its own; `value` is stored as
// "[Window]" "Left" exactly as given (nothing: no such key).
struct StoreWithLeft {
    explicit StoreWithLeft(const char* value)
        : store(folder.write("Settings.ini",
                             value == nullptr ? "[Window]\nTop=1\n"
                                              : "[Window]\nLeft=" + std::string(value) + "\n"))
    {
    }
    TempFolder folder;
    SettingsStore store;
};

TEST(SettingsStore, ReadInteger)
{
    const struct {
        const char* stored;  // nullptr: key missing
        std::int32_t expected;
    } cases[] = {
        {"296", 296},
        {"-5000", -5000},
        {"0", 0},
        {"0x20", 32},
        {"0X20", 32},
        {"$20", 32},
        {"x20", 32},
        {"-$10", -16},
        {"$FFFFFFFF", -1},        // a 32-bit pattern
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"  42", 42},              // blanks around the value are the file's
        {"\"17\"", 17},            // so are quotes
        {"2147483648", 123},       // out of range: the default
        {"12px", 123},
        {"1.5", 123},
        {"0x", 123},
        {"$", 123},
        {"", 123},                 // empty value: the default
        {"true", 123},
        {"+", 123},
        {nullptr, 123},            // missing key: the default
    };
    for (const auto& c : cases) {
        StoreWithLeft file(c.stored);
        EXPECT_EQ(file.store.readInteger("Window", "Left", 123), c.expected)
            << (c.stored == nullptr ? "(missing)" : c.stored);
    }
}

TEST(SettingsStore, ReadFlag)
{
    const struct {
        const char* stored;  // nullptr: key missing
        bool withDefaultTrue;
        bool withDefaultFalse;
    } cases[] = {
        {"0", false, false},
        {"1", true, true},
        {"2", true, true},
        {"-1", true, true},
        {"0x10", true, true},
        {"0x0", false, false},
        {"false", true, false},  // words do not convert: the default
        {"true", true, false},
        {"yes", true, false},
        {"", true, false},
        {nullptr, true, false},
    };
    for (const auto& c : cases) {
        StoreWithLeft file(c.stored);
        const char* shown = c.stored == nullptr ? "(missing)" : c.stored;
        EXPECT_EQ(file.store.readFlag("Window", "Left", true), c.withDefaultTrue) << shown;
        EXPECT_EQ(file.store.readFlag("Window", "Left", false), c.withDefaultFalse) << shown;
    }
}

TEST(SettingsStore, ReadText)
{
    TempFolder folder;
    std::string longValue(3000, 'd');
    const SettingsStore store(folder.write(
        "Settings.ini", "[CHRONELL]\nDirectory=\nMask=*.avi\nLong=" + longValue + "\n"));
    EXPECT_EQ(store.readText("CHRONELL", "Directory", "/default/"), "");  // present, empty
    EXPECT_EQ(store.readText("CHRONELL", "Mask", "*.jobs"), "*.avi");
    EXPECT_EQ(store.readText("CHRONELL", "Missing", "*.jobs"), "*.jobs");
    EXPECT_EQ(store.readText("CHRONELL", "Long", ""), longValue.substr(0, 2047));
}

TEST(SettingsStore, MissingFileGivesDefaultsAndIsNotCreated)
{
    TempFolder folder;
    const SettingsStore store(folder.file("Settings.ini"));
    EXPECT_EQ(store.readText("CHRONELL", "Mask", "*.jobs"), "*.jobs");
    EXPECT_EQ(store.readInteger("Window", "Width", 575), 575);
    EXPECT_TRUE(store.readFlag("CHRONELL", "Clear Log", true));
    EXPECT_FALSE(fs::exists(store.path()));
}

TEST(SettingsStore, WritesTextIntegersAndFlags)
{
    TempFolder folder;
    const SettingsStore store(folder.file("Settings.ini"));
    store.writeText("CHRONELL", "Directory", "/home/user/my jobs/");
    store.writeFlag("CHRONELL", "Formated Output", true);
    store.writeFlag("CHRONELL", "Clear Log", false);
    store.writeInteger("Window", "Left", -5000);
    store.writeInteger("Window", "Top", 0);
    store.writeInteger("Window", "Width", INT32_MAX);
    store.writeInteger("Window", "Height", INT32_MIN);
    // A new file's lines end in the host's line break.
    std::string expected = "[CHRONELL]\nDirectory=/home/user/my jobs/\nFormated Output=1\nClear Log=0\n"
                           "[Window]\nLeft=-5000\nTop=0\nWidth=2147483647\nHeight=-2147483648\n";
    if (kWindowsHost)
        for (std::size_t at = expected.find('\n'); at != std::string::npos; at = expected.find('\n', at + 2))
            expected.insert(at, 1, '\r');
    EXPECT_EQ(TempFolder::bytesOf(store.path()), expected);
    EXPECT_EQ(store.readInteger("Window", "Height", 1), INT32_MIN);
    EXPECT_FALSE(store.readFlag("CHRONELL", "Clear Log", true));
}

TEST(SettingsStore, TextThatCannotBeStoredOnOneLineIsLeftOut)
{
    TempFolder folder;
    const SettingsStore store(folder.write("Settings.ini", "[CHRONELL]\nDirectory=/old/\n"));
    for (const char* value : {"/new/\n", "/a\nb/", "/a\r\n[Window]\nLeft=5", "\r"})
        EXPECT_NO_THROW(store.writeText("CHRONELL", "Directory", value)) << value;
    store.writeText("CHRONELL", "Mask", "*.jobs");
    EXPECT_EQ(TempFolder::bytesOf(store.path()), "[CHRONELL]\nDirectory=/old/\nMask=*.jobs\n");
}

TEST(SettingsStore, KeepsNoCopyOfTheFile)
{
    // Every read goes to the file: a change made behind the store's back is seen.
    TempFolder folder;
    const SettingsStore store(folder.write("Settings.ini", "[Window]\nLeft=1\n"));
    EXPECT_EQ(store.readInteger("Window", "Left", 0), 1);
    folder.write("Settings.ini", "[Window]\nLeft=2\n");
    EXPECT_EQ(store.readInteger("Window", "Left", 0), 2);
    store.writeInteger("Window", "Top", 3);
    EXPECT_EQ(TempFolder::bytesOf(store.path()), "[Window]\nLeft=2\nTop=3\n");
}

TEST(SettingsStore, FailingWriteRaisesWithFullPath)
{
    TempFolder folder;
    fs::create_directory(folder.path() / "Settings.ini");  // a folder cannot take the write
    const std::string blocked = folder.file("Settings.ini");
    const std::string missing = folder.file("gone/Settings.ini");
    for (const std::string& path : {blocked, missing}) {
        const SettingsStore store(path);
        const std::string expected = "Unable to write to " + path + ": ";
        try {
            store.writeText("CHRONELL", "Mask", "*.jobs");
            ADD_FAILURE() << "writeText did not raise for " << path;
        } catch (const ChronellError& error) {
            // The system's reason follows, in its own words.
            const std::string what = error.what();
            EXPECT_EQ(what.rfind(expected, 0), 0u) << what;
            EXPECT_GT(what.size(), expected.size()) << what;
            EXPECT_TRUE(error.code()) << "the system's error code goes with the message";
        }
        EXPECT_THROW(store.writeInteger("Window", "Left", 1), ChronellError);
        EXPECT_THROW(store.writeFlag("CHRONELL", "Clear Log", true), ChronellError);
    }
}

TEST(SettingsStore, FullDiskRaisesWithTheReasonAndKeepsTheFile)
{
    if (kWindowsHost) GTEST_SKIP() << "no file-size limit on Windows";
#ifndef _WIN32
    TempFolder folder;
    const std::string before = "[Window]\nLeft=1\n";
    const SettingsStore store(folder.write("Settings.ini", before));
    const test::FileSizeLimit limit(before.size());
    try {
        store.writeText("CHRONELL", "Directory", "/a/folder/of/some/length/");
        ADD_FAILURE() << "writeText did not raise";
    } catch (const ChronellError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + store.path() + ": File too large");
        EXPECT_EQ(error.code(), std::errc::file_too_large);
    }
    EXPECT_EQ(TempFolder::bytesOf(store.path()), before);
#endif
}

TEST(SettingsStore, ReadOnlyFileRaisesAndKeepsItsContents)
{
    if (!test::writeProtectionHolds()) GTEST_SKIP() << "a read-only mode does not stop this user (root, also under Wine)";
    TempFolder folder;
    const std::string before = "[Window]\nLeft=1\n";
    const SettingsStore store(folder.write("Settings.ini", before));
    fs::permissions(store.path(), fs::perms::owner_read);
    EXPECT_THROW(store.writeInteger("Window", "Left", 2), ChronellError);
    EXPECT_EQ(TempFolder::bytesOf(store.path()), before);
    EXPECT_EQ(store.readInteger("Window", "Left", 0), 1);  // reads still work
}

TEST(SettingsStore, SettingsPathBesideExecutable)
{
    EXPECT_EQ(settingsPathBeside("/opt/chronell/bin/chronell"), "/opt/chronell/bin/Settings.ini");
    EXPECT_EQ(settingsPathBeside("/chronell"), "/Settings.ini");
    EXPECT_EQ(settingsPathBeside("chronell"), "Settings.ini");
    EXPECT_EQ(SettingsStore(settingsPathBeside("/a/b")).path(), "/a/Settings.ini");
}

TEST(SettingsStore, FolderOf)
{
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"/opt/chronell/bin/chronell", "/opt/chronell/bin/"},
        {"/opt/chronell/bin/", "/opt/chronell/bin/"},
        {"/chronell", "/"},
        {"chronell", ""},
        {"", ""},
#ifdef _WIN32
        {"C:\\Program Files\\Chronell\\chronell.exe", "C:\\Program Files\\Chronell\\"},
        {"C:chronell.exe", "C:"},
#else
        {"/opt/odd\\name:x/chronell", "/opt/odd\\name:x/"},  // only '/' separates here
#endif
    };
    for (const auto& c : cases) EXPECT_EQ(folderOf(c.path), c.folder) << c.path;
}

} // namespace
} // namespace chronell
