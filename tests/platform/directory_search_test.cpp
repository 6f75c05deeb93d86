#include "platform/directory_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "support/host.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

struct MatchCase {
    const char* mask;
    const char* name;
    bool matches;
};

const MatchCase kMatchCases[] = {
    // The masks that take every name, with or without a full stop.
    {"*", "clip.jobs", true},
    {"*", ".", true},
    {"*", "..", true},
    {"*", "noextension", true},
    {"*.*", "clip.jobs", true},
    {"*.*", "noextension", true},
    {"*.*", ".", true},
    {"*.*", "..", true},
    {"*.*", ".hidden", true},
    // An asterisk stands for any run, also an empty one.
    {"*.jobs", "clip.jobs", true},
    {"*.jobs", ".jobs", true},
    {"*.jobs", "clip.jobs.bak", false},
    {"*.jobs", "clip.job", false},
    {"*.jobs", "clipjobs", false},
    {"clip*", "clip", true},
    {"clip*", "clip.jobs", true},
    {"clip*", "cli", false},
    {"c*p.jobs", "cp.jobs", true},
    {"c*p.jobs", "clap.jobs", true},
    {"c*p.jobs", "clap.jobz", false},
    // Several asterisks, including runs of them.
    {"*a*b*", "xaxbx", true},
    {"*a*b*", "ab", true},
    {"*a*b*", "ba", false},
    {"**.jobs", "x.jobs", true},
    {"a**b", "ab", true},
    {"*.*.*", "a.b.c", true},
    {"*.*.*", "a.b", false},
    // A question mark stands for exactly one character.
    {"?.jobs", "a.jobs", true},
    {"?.jobs", ".jobs", false},
    {"?.jobs", "ab.jobs", false},
    {"??", "ab", true},
    {"??", "a", false},
    {"??", "abc", false},
    {"a?c", "a.c", true},
    {"*?", "", false},
    {"*?", "x", true},
    // Letters in either case; other characters exactly.
    {"*.JOBS", "clip.jobs", true},
    {"CLIP.jobs", "clip.JOBS", true},
    {"[a].jobs", "[A].jobs", true},
    {"_.jobs", "-.jobs", false},
    {"@.jobs", "`.jobs", false},  // 0x40 and 0x60 are not a letter pair
    {"[.jobs", "{.jobs", false},  // nor are 0x5B and 0x7B
    {"^.jobs", "~.jobs", false},
    {"\xE9.jobs", "\xC9.jobs", false},  // only ASCII letters fold
    // Plain names and the empty mask.
    {"clip.jobs", "clip.jobs", true},
    {"clip.jobs", "clip.jobsx", false},
    {"", "clip.jobs", false},
    {"", "", true},
};

TEST(WildcardMatch, Table)
{
    for (const auto& c : kMatchCases) {
        EXPECT_EQ(wildcardMatch(c.mask, c.name), c.matches)
            << "mask \"" << c.mask << "\" name \"" << c.name << "\"";
    }
}

TEST(WildcardMatch, ManyAsterisksStayFastOnLongNames)
{
    // Backtracking over every asterisk would take longer than the age of the
    // universe here; the matcher must answer at once.
    const std::string mask = "*a*a*a*a*a*a*a*b";
    const std::string allA(100000, 'a');
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(wildcardMatch(mask, allA));
    EXPECT_TRUE(wildcardMatch(mask, allA + "b"));
    EXPECT_FALSE(wildcardMatch(mask, "b" + allA));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(2));
}

TEST(NtfsNameLess, Pairs)
{
    const struct {
        const char* before;
        const char* after;
    } pairs[] = {
        {"QA.jobs", "q_.jobs"},  // 'A' < '_' once letters are upper case
        {"A.jobs", "a.jobs"},    // equal but for case: bytes decide
        {"a.jobs", "B.jobs"},
        {"a", "a.jobs"},         // a prefix comes first
        {".", ".."},
        {"..", ".hidden"},
        {"Z.jobs", "[.jobs"},    // 'Z' 0x5A before '[' 0x5B
        {"z.jobs", "[.jobs"},    // 'z' counts as 'Z'
        {"~.jobs", "\xE9.jobs"}, // bytes above 127 compare unsigned
        {"_.jobs", "{.jobs"},    // '{' is no letter: it stays above '_'
    };
    for (const auto& p : pairs) {
        EXPECT_TRUE(ntfsNameLess(p.before, p.after)) << p.before << " < " << p.after;
        EXPECT_FALSE(ntfsNameLess(p.after, p.before)) << p.after << " !< " << p.before;
    }
    EXPECT_FALSE(ntfsNameLess("same.jobs", "same.jobs"));
}

TEST(NtfsNameLess, SortsLikeAnNtfsFolder)
{
    Names names = {"q_.jobs", "b.jobs", "QA.jobs", "a.jobs", "A.jobs", "_x.jobs", "10.jobs", "9.jobs"};
    std::sort(names.begin(), names.end(), ntfsNameLess);
    EXPECT_EQ(names, (Names{"10.jobs", "9.jobs", "A.jobs", "a.jobs", "b.jobs", "QA.jobs", "q_.jobs",
                            "_x.jobs"}));
}

// A folder holding files, a hidden file, a subfolder whose name matches
// "*.jobs" and a subfolder with a file of its own.
class FindEntries : public ::testing::Test {
protected:
    FindEntries()
    {
        for (const char* name : {"b.jobs", "A.jobs", "q_.jobs", "QA.jobs", ".hidden.jobs", "notes.txt"}) {
            folder.write(name, "x");
        }
        fs::create_directory(folder.path() / "old.jobs");
        fs::create_directory(folder.path() / "sub");
        folder.write("sub/inner.jobs", "x");
    }

    std::string search(std::string_view mask) const
    {
        return folder.path().string() + "/" + std::string(mask);
    }

    TempFolder folder;
};

TEST_F(FindEntries, MaskSelectsAndOrders)
{
    const Names all = {".", "..", ".hidden.jobs", "A.jobs", "b.jobs", "notes.txt", "old.jobs",
                       "QA.jobs", "q_.jobs", "sub"};
    const Names jobs = {".hidden.jobs", "A.jobs", "b.jobs", "old.jobs", "QA.jobs", "q_.jobs"};
    const struct {
        const char* mask;
        Names expected;
    } cases[] = {
        {"*.jobs", jobs},
        {"*.JOBS", jobs},
        {"*", all},
        {"*.*", all},
        {".*", {".", "..", ".hidden.jobs"}},
        {"?.jobs", {"A.jobs", "b.jobs"}},
        {"q?.jobs", {"QA.jobs", "q_.jobs"}},
        {"notes.txt", {"notes.txt"}},
        {"*.avi", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        std::error_code error;
        EXPECT_EQ(findEntries(search(c.mask), error), c.expected) << "mask \"" << c.mask << "\"";
        EXPECT_FALSE(error) << "a folder without a match is searched all the same";
    }
}

TEST_F(FindEntries, MaskWithFolderPartSearchesThatFolder)
{
    std::error_code error;
    EXPECT_EQ(findEntries(search("sub/*.jobs"), error), Names{"inner.jobs"});
}

TEST_F(FindEntries, SearchPathWithoutFolderSearchesWorkingFolder)
{
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    std::error_code error;
    const Names found = findEntries("?.jobs", error);
    fs::current_path(previous);
    EXPECT_EQ(found, (Names{"A.jobs", "b.jobs"}));
}

TEST_F(FindEntries, UnlistableFolderGivesNoEntriesAndTheReason)
{
    std::error_code error;
    EXPECT_EQ(findEntries(search("missing/*"), error), Names{});
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
    EXPECT_EQ(findEntries(search("notes.txt/*"), error), Names{});  // a file, not a folder
    if (kWindowsHost) {
        EXPECT_TRUE(error);  // an invalid name or folder name, by the system's code
    } else {
        EXPECT_EQ(error, std::errc::not_a_directory);
    }
    if (test::readProtectionHolds()) {
        fs::permissions(folder.path() / "sub", fs::perms::none);
        EXPECT_EQ(findEntries(search("sub/*"), error), Names{});
        EXPECT_EQ(error, std::errc::permission_denied);
    }
}

} // namespace
} // namespace chronell
