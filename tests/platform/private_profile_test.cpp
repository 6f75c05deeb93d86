#include "platform/private_profile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <optional>
#include <vector>
#include <sys/stat.h>

#include "support/host.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include "support/file_size_limit.h"
#endif

namespace chronell {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;

// `paths`, the empty path, and what is no file on this host: a FIFO on
// POSIX, the reserved device names on Windows.
std::vector<std::string> unusablePaths(const TempFolder& folder, std::vector<std::string> paths)
{
    paths.push_back("");
    if (kWindowsHost) {
        for (const char* device : {"NUL", "CON", "\\\\.\\NUL"}) paths.push_back(device);
        paths.push_back(folder.file("NUL"));
    } else {
        test::makeFifo(folder.file("pipe.ini"));
        paths.push_back(folder.file("pipe.ini"));
    }
    return paths;
}

// ---- Reading -------------------------------------------------------------

// A hand-written settings file; "\n" is swapped for the line break under test.
const std::string kSample =
    "Orphan=before any section\n"
    "; settings written by hand\n"
    "[CHRONELL]\n"
    "Directory=C:\\jobs\\\n"
    "Mask = *.jobs\n"
    "  Formated Output  =  1  \t\n"
    "Quoted=\"  spaced value  \"\n"
    "Single='single'\n"
    "Mixed=\"mixed'\n"
    "OneQuote=\"\n"
    "Inner=a \"b\" c\n"
    "Equals=a=b\n"
    "Empty=\n"
    "EmptyQuoted=\"\"\n"
    "NoEquals line\n"
    ";Commented=1\n"
    "\n"
    "[ColumnWidths] ; trailing text\n"
    "Name=39\n"
    "[chronell]\n"
    "Directory=second section\n"
    "Extra=only in the second section\n"
    "[  Spaced Section  ]\n"
    "Key=spaced\n"
    "[Window]\n"
    "Left=1\n"
    "left=2\n"
    "Top=\n"
    "Last=end";

struct ReadCase {
    const char* section;
    const char* key;
    const char* defaultValue;
    const char* expected;
};

const ReadCase kReadCases[] = {
    {"CHRONELL", "Directory", "dflt", "C:\\jobs\\"},
    {"chronell", "DIRECTORY", "dflt", "C:\\jobs\\"},  // names without regard to case
    {"CHRONELL", "Mask", "dflt", "*.jobs"},           // blanks around '='
    {"CHRONELL", "Formated Output", "dflt", "1"},     // indented, blanks and tab after
    {"CHRONELL", "Quoted", "dflt", "  spaced value  "},
    {"CHRONELL", "Single", "dflt", "single"},
    {"CHRONELL", "Mixed", "dflt", "\"mixed'"},        // quotes that do not match stay
    {"CHRONELL", "OneQuote", "dflt", "\""},
    {"CHRONELL", "Inner", "dflt", "a \"b\" c"},
    {"CHRONELL", "Equals", "dflt", "a=b"},            // the first '=' splits
    {"CHRONELL", "Empty", "dflt", ""},                // present and empty: not the default
    {"CHRONELL", "EmptyQuoted", "dflt", ""},
    {"CHRONELL", "NoEquals line", "dflt", "dflt"},    // a line without '=' is no key
    {"CHRONELL", ";Commented", "dflt", "dflt"},
    {"CHRONELL", "Commented", "dflt", "dflt"},
    {"CHRONELL", "Orphan", "dflt", "dflt"},           // lines before any section belong to none
    {"CHRONELL", "Extra", "dflt", "dflt"},            // only the first section of a name counts
    {"CHRONELL", "Dir", "dflt", "dflt"},              // whole names only
    {"CHRONEL", "Directory", "dflt", "dflt"},
    {"ColumnWidths", "Name", "dflt", "39"},           // text after ']' ignored
    {"Spaced Section", "Key", "dflt", "spaced"},
    {"Window", "Left", "dflt", "1"},                  // the first key of a name wins
    {"Window", "LEFT", "dflt", "1"},
    {"Window", "Top", "dflt", ""},
    {"Window", "Width", "575", "575"},
    {"Window", "Last", "dflt", "end"},
    {"Missing", "Left", "", ""},
    {"Missing", "Left", " def \t", " def \t"},        // the default as it is given
};

std::string withLineBreak(const std::string& text, const std::string& lineBreak)
{
    std::string result;
    for (const char c : text) {
        if (c == '\n') {
            result += lineBreak;
        } else {
            result += c;
        }
    }
    return result;
}

TEST(GetPrivateProfileString, TableOverLineBreakStyles)
{
    TempFolder folder;
    const struct {
        const char* what;
        std::string bytes;
    } files[] = {
        {"LF, no final break", withLineBreak(kSample, "\n")},
        {"LF, final break", withLineBreak(kSample, "\n") + "\n"},
        {"CR LF, no final break", withLineBreak(kSample, "\r\n")},
        {"CR LF, final break", withLineBreak(kSample, "\r\n") + "\r\n"},
    };
    for (const auto& file : files) {
        const std::string path = folder.write("Settings.ini", file.bytes);
        for (const auto& c : kReadCases) {
            EXPECT_EQ(GetPrivateProfileString(c.section, c.key, c.defaultValue, path), c.expected)
                << file.what << ": [" << c.section << "] " << c.key;
        }
    }
}

TEST(GetPrivateProfileString, MissingOrUnusableFileGivesDefault)
{
    TempFolder folder;
    fs::create_directory(folder.path() / "folder.ini");
    for (const std::string& path : unusablePaths(folder, {folder.file("missing.ini"), folder.file("folder.ini")})) {
        auto reading = std::async(std::launch::async, [&path] {
            return GetPrivateProfileString("CHRONELL", "Mask", "*.jobs", path);
        });
        ASSERT_EQ(reading.wait_for(std::chrono::seconds(5)), std::future_status::ready) << path;
        EXPECT_EQ(reading.get(), "*.jobs") << path;
    }
}

TEST(GetPrivateProfileString, LongValueIsCutToBuffer)
{
    TempFolder folder;
    std::string value;
    for (int i = 0; i < 3000; ++i) value += static_cast<char>('a' + i % 26);
    const std::string path = folder.write("Settings.ini", "[CHRONELL]\nDirectory=" + value + "\nMask=x\n");

    const std::string read = GetPrivateProfileString("CHRONELL", "Directory", "", path);
    EXPECT_EQ(read.size(), 2047u);
    EXPECT_EQ(read, value.substr(0, 2047));
    EXPECT_EQ(GetPrivateProfileString("CHRONELL", "Directory", "", path, 5), "abcd");
    EXPECT_EQ(GetPrivateProfileString("CHRONELL", "Directory", "", path, 1), "");
    EXPECT_EQ(GetPrivateProfileString("CHRONELL", "Directory", "", path, 0), "");
    EXPECT_EQ(GetPrivateProfileString("CHRONELL", "Mask", "", path), "x");  // the next line is intact
    // A default is cut the same way.
    EXPECT_EQ(GetPrivateProfileString("CHRONELL", "Missing", value, path), value.substr(0, 2047));
}

// ---- Writing -------------------------------------------------------------

struct WriteCase {
    const char* what;
    std::optional<std::string> before;  // nothing: no file yet
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

const WriteCase kWriteCases[] = {
    {"creates the file", std::nullopt, "CHRONELL", "Directory", "C:\\jobs\\",
     "[CHRONELL]\nDirectory=C:\\jobs\\\n"},
    {"fills an empty file", "", "Window", "Left", "296", "[Window]\nLeft=296\n"},
    {"replaces a value, LF",
     "; mine\n[CHRONELL]\nMask=*.jobs\nClear Log=1\n\n[Window]\nLeft=1\n", "CHRONELL", "Mask", "*.avi",
     "; mine\n[CHRONELL]\nMask=*.avi\nClear Log=1\n\n[Window]\nLeft=1\n"},
    {"replaces a value, CR LF, name spelt as in the file",
     "[chronell]\r\n  mask = *.jobs  \r\nX=1\r\n", "CHRONELL", "Mask", "a b",
     "[chronell]\r\nmask=a b\r\nX=1\r\n"},
    {"replaces the last value of a file without final break", "[Window]\r\nLeft=1\r\nTop=2",
     "Window", "Top", "163", "[Window]\r\nLeft=1\r\nTop=163"},
    {"writes an empty value", "[A]\nk=1\nj=2\n", "A", "k", "", "[A]\nk=\nj=2\n"},
    {"new key after the section's last key, before blank and comment lines",
     "[CHRONELL]\nMask=1\n\n; note\n[Window]\nLeft=1\n", "CHRONELL", "Clear Log", "0",
     "[CHRONELL]\nMask=1\nClear Log=0\n\n; note\n[Window]\nLeft=1\n"},
    {"new key in a section without keys goes under its header",
     "[CHRONELL]\n; nothing yet\n[Window]\n", "chronell", "Mask", "x",
     "[CHRONELL]\nMask=x\n; nothing yet\n[Window]\n"},
    {"new key, CR LF", "[Window]\r\nLeft=1\r\n", "Window", "Top", "2",
     "[Window]\r\nLeft=1\r\nTop=2\r\n"},
    {"new key at the end of a file without final break", "[Window]\nLeft=1", "Window", "Top", "2",
     "[Window]\nLeft=1\nTop=2"},
    {"new key under a last header without final break", "[Window]", "Window", "Left", "5",
     "[Window]\nLeft=5"},
    {"new section at the end, LF", "[CHRONELL]\nMask=1\n", "Window", "Left", "5",
     "[CHRONELL]\nMask=1\n[Window]\nLeft=5\n"},
    {"new section at the end, CR LF without final break", "[CHRONELL]\r\nMask=1", "Window", "Left",
     "5", "[CHRONELL]\r\nMask=1\r\n[Window]\r\nLeft=5"},
    {"new section after text without any section", "just a line", "A", "k", "v",
     "just a line\n[A]\nk=v"},
    {"duplicate sections: the first takes the write", "[A]\nk=1\n[B]\nk=9\n[a]\nk=2\n", "A", "k",
     "3", "[A]\nk=3\n[B]\nk=9\n[a]\nk=2\n"},
    {"duplicate sections: a new key goes into the first", "[A]\nk=1\n[a]\nk=2\n", "a", "j", "4",
     "[A]\nk=1\nj=4\n[a]\nk=2\n"},
    {"duplicate keys: the first takes the write", "[A]\nk=1\nK=2\n", "A", "K", "3",
     "[A]\nk=3\nK=2\n"},
    {"a key of the same name in another section is left alone", "[B]\nk=1\n[A]\nk=2\n", "A", "k",
     "3", "[B]\nk=1\n[A]\nk=3\n"},
    {"a commented key is not the key", "[A]\n;k=1\n", "A", "k", "2", "[A]\nk=2\n;k=1\n"},
    {"odd lines kept byte for byte",
     "top line\n\xff\xfe\tbinary  \n[A]  \nnot a key line\n  x = y \t\nk=1\n;c\n", "A", "k", "2",
     "top line\n\xff\xfe\tbinary  \n[A]  \nnot a key line\n  x = y \t\nk=2\n;c\n"},
    {"a UTF-8 byte-order mark is passed over and kept", "\xEF\xBB\xBF[CHRONELL]\r\nMask=1\r\n", "CHRONELL",
     "Mask", "2", "\xEF\xBB\xBF[CHRONELL]\r\nMask=2\r\n"},
    {"a new key under a section behind a byte-order mark", "\xEF\xBB\xBF[A]\n", "A", "k", "1",
     "\xEF\xBB\xBF[A]\nk=1\n"},
    {"a new section after a last line ended by a lone CR", "[A]\r", "B", "k", "v", "[A]\r\n[B]\nk=v"},
    {"a new key after a key line ended by a lone CR", "[A]\nk=1\r", "A", "j", "2", "[A]\nk=1\r\nj=2"},
    {"a new section after a CR LF file's last line ended by a lone CR", "[A]\r\nLeft=296\r", "Foo", "Mask", "x",
     "[A]\r\nLeft=296\r\n[Foo]\r\nMask=x"},
    {"a new key after a CR LF file's last line ended by a lone CR", "[A]\r\nLeft=296\r", "A", "Top", "1",
     "[A]\r\nLeft=296\r\nTop=1"},
    {"a byte-order mark alone", "\xEF\xBB\xBF", "A", "k", "1", "\xEF\xBB\xBF[A]\nk=1\n"},
    {"mixed line breaks kept; new lines take the first one's", "[A]\r\nk=1\n[B]\nm=1\n", "B", "n",
     "2", "[A]\r\nk=1\n[B]\nm=1\nn=2\r\n"},
};

// A file without a line feed of its own gets the host's line break in the
// lines added to it: on Windows each LF of the expected text not behind a CR
// is CR LF.
std::string withHostLineBreaks(const std::optional<std::string>& before, const std::string& after)
{
    if (!kWindowsHost || (before && before->find('\n') != std::string::npos)) return after;
    std::string crlf;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == '\n' && (i == 0 || after[i - 1] != '\r')) crlf += '\r';
        crlf += after[i];
    }
    return crlf;
}

TEST(WritePrivateProfileString, TableOfFiles)
{
    for (const auto& c : kWriteCases) {
        TempFolder folder;
        const std::string path = folder.file("Settings.ini");
        if (c.before) folder.write("Settings.ini", *c.before);
        ASSERT_TRUE(WritePrivateProfileString(c.section, c.key, c.value, path)) << c.what;
        EXPECT_EQ(TempFolder::bytesOf(path), withHostLineBreaks(c.before, c.after)) << c.what;
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "dflt", path), c.value) << c.what;
    }
}

TEST(WritePrivateProfileString, KeysBeforeTheNewLinesStillRead)
{
    TempFolder folder;
    const std::string path = folder.write("Settings.ini", "[A]\r\nLeft=296\r");
    ASSERT_TRUE(WritePrivateProfileString("Foo", "Mask", "*.jobs", path));
    ASSERT_TRUE(WritePrivateProfileString("A", "Top", "7", path));
    EXPECT_EQ(GetPrivateProfileString("A", "Left", "", path), "296");
    EXPECT_EQ(GetPrivateProfileString("A", "Top", "", path), "7");
    EXPECT_EQ(GetPrivateProfileString("Foo", "Mask", "", path), "*.jobs");
}

TEST(WritePrivateProfileString, ReplacesTheFileWholeKeepingLinkAndMode)
{
    // A new file takes the old one's place: a symbolic link stays a link to
    // it, its mode is kept, and no temporary file is left beside it. A hard
    // link keeps the bytes it had.
    if (kWindowsHost) GTEST_SKIP() << "the C++ library makes no symbolic links on Windows";
    TempFolder folder;
    const std::string path = folder.write("Settings.ini", "[A]\nk=1\n");
    fs::create_hard_link(path, folder.path() / "hard.ini");
    fs::create_symlink(path, folder.path() / "soft.ini");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    ASSERT_TRUE(WritePrivateProfileString("A", "k", "2", folder.file("soft.ini")));
    ASSERT_TRUE(WritePrivateProfileString("A", "j", "3", path));

    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "soft.ini"));
    EXPECT_EQ(TempFolder::bytesOf(path), "[A]\nk=2\nj=3\n");
    EXPECT_EQ(TempFolder::bytesOf(folder.file("hard.ini")), "[A]\nk=1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);
}

TEST(WritePrivateProfileString, FullDiskLeavesTheFileAsItWasAndSaysWhy)
{
    if (kWindowsHost) GTEST_SKIP() << "no file-size limit on Windows";
#ifndef _WIN32
    TempFolder folder;
    const std::string before = "[A]\nk=1\n";
    const std::string path = folder.write("Settings.ini", before);
    {
        const test::FileSizeLimit limit(before.size() + 4);
        std::error_code reason;
        EXPECT_FALSE(WritePrivateProfileString("A", "Mask", "a value too long for the disk", path, reason));
        EXPECT_EQ(reason, std::errc::file_too_large);
    }
    EXPECT_EQ(TempFolder::bytesOf(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
#endif
}

TEST(WritePrivateProfileString, WriteThatCannotBeMadeReportsFailure)
{
    TempFolder folder;
    fs::create_directory(folder.path() / "folder.ini");
    for (const std::string& path :
         unusablePaths(folder, {folder.file("folder.ini"), folder.file("missing/Settings.ini")})) {
        auto writing = std::async(std::launch::async, [&path] {
            return WritePrivateProfileString("CHRONELL", "Mask", "*.jobs", path);
        });
        ASSERT_EQ(writing.wait_for(std::chrono::seconds(5)), std::future_status::ready) << path;
        EXPECT_FALSE(writing.get()) << path;
    }
    EXPECT_TRUE(fs::is_directory(folder.path() / "folder.ini"));
    EXPECT_FALSE(fs::exists(folder.path() / "missing"));
}

TEST(WritePrivateProfileString, LineBreakInNameOrValueIsRefused)
{
    TempFolder folder;
    const std::string before = "[A]\nk=1\n";
    const std::string path = folder.write("Settings.ini", before);
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "1\n[Window]\nLeft=5", path));
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "1\r", path));
    EXPECT_FALSE(WritePrivateProfileString("A", "k\nx", "1", path));
    EXPECT_FALSE(WritePrivateProfileString("A\n", "k", "1", path));
    EXPECT_EQ(TempFolder::bytesOf(path), before);
}

TEST(WritePrivateProfileString, ReadOnlyFileOrFolderReportsFailure)
{
    if (!test::writeProtectionHolds()) GTEST_SKIP() << "a read-only mode does not stop this user (root, also under Wine)";
    TempFolder folder;
    const std::string before = "[A]\nk=1\n";
    const std::string locked = folder.write("locked.ini", before);
    fs::permissions(locked, fs::perms::owner_read);
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "2", locked));
    EXPECT_EQ(TempFolder::bytesOf(locked), before);

    if (kWindowsHost) return;  // a read-only folder on Windows still takes new files
    fs::create_directory(folder.path() / "shut");
    fs::permissions(folder.path() / "shut", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "2", folder.file("shut/Settings.ini")));
    EXPECT_FALSE(fs::exists(folder.path() / "shut/Settings.ini"));
}

} // namespace
} // namespace chronell
