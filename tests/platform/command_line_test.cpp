#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace chronell {
namespace {

using Words = std::vector<std::string>;

struct SplitCase {
    const char* what;
    std::string commandLine;
    Words arguments;
};

const SplitCase kSplitCases[] = {
    {"program only", "chronell.exe", {}},
    {"program only, blanks after", "chronell.exe   ", {}},
    {"empty command line", "", {}},
    {"quoted program path", "\"C:\\Program Files\\chronell.exe\" C:\\jobs", {"C:\\jobs"}},
    {"three arguments", "chronell.exe C:\\jobs *.jobs /f", {"C:\\jobs", "*.jobs", "/f"}},
    {"more than three are all given", "chronell.exe a b c d", {"a", "b", "c", "d"}},
    {"quoted folder with blanks", "chronell.exe \"C:\\My Jobs\" *.jobs",
     {"C:\\My Jobs", "*.jobs"}},
    {"backslash before closing quote stays", "chronell.exe \"C:\\My Jobs\\\" *.jobs /f",
     {"C:\\My Jobs\\", "*.jobs", "/f"}},
    {"backslash is no escape", "chronell.exe a\\\"b c\"", {"a\\b c"}},
    {"quoted stretch inside a word", "chronell.exe C:\\\"My Jobs\"\\x", {"C:\\My Jobs\\x"}},
    {"several quoted stretches", "chronell.exe \"a b\"c\"d e\"", {"a bcd e"}},
    {"quoted switch loses its quotes", "chronell.exe C:\\jobs *.jobs \"/f\"",
     {"C:\\jobs", "*.jobs", "/f"}},
    {"capital switch kept as it is", "chronell.exe C:\\jobs *.jobs /F", {"C:\\jobs", "*.jobs", "/F"}},
    {"minus switch kept as it is", "chronell.exe C:\\jobs *.jobs -f", {"C:\\jobs", "*.jobs", "-f"}},
    {"two empty quoted arguments are passed over", "chronell.exe \"\" \"\" /f", {"/f"}},
    {"empty quoted arguments between words", "chronell.exe a \"\" b", {"a", "b"}},
    {"run of quote pairs", "chronell.exe \"\"\"\"a", {"a"}},
    {"empty quoted argument at the end", "chronell.exe a \"\"", {"a"}},
    {"lone quote at the end ends the count", "chronell.exe a \"", {"a"}},
    {"unclosed quote runs to the end", "chronell.exe \"C:\\My Jobs *.jobs", {"C:\\My Jobs *.jobs"}},
    {"odd quote run opens a stretch", "chronell.exe \"\"\"a b\" c", {"a b", "c"}},
    {"tabs separate words", "chronell.exe\tC:\\jobs\t*.jobs", {"C:\\jobs", "*.jobs"}},
    {"control characters separate words", "chronell.exe\x01" "a\x1f" "b\r\nc", {"a", "b", "c"}},
    {"tab inside quotes belongs to the word", "chronell.exe \"a\tb\"", {"a\tb"}},
    {"bytes above 127 are word characters", "chronell.exe C:\\\xC4nderung \xA0x",
     {"C:\\\xC4nderung", "\xA0x"}},
    {"DEL is a word character", "chronell.exe a\x7f" "b", {"a\x7f" "b"}},
    {"NUL ends the command line", std::string("chronell.exe a\0b c", 18), {"a"}},
    {"leading blanks before the program", "  chronell.exe x", {"x"}},
};

TEST(SplitCommandLine, Table)
{
    for (const auto& c : kSplitCases) {
        EXPECT_EQ(splitCommandLine(c.commandLine), c.arguments) << c.what;
    }
}

TEST(ArgumentsFromArgv, SkipsProgramAndEmptyWords)
{
    const char* argv[] = {"/usr/bin/chronell", "", "/home/user/my jobs", "", "*.jobs", "/f", nullptr};
    EXPECT_EQ(argumentsFromArgv(6, argv), (Words{"/home/user/my jobs", "*.jobs", "/f"}));
    EXPECT_EQ(argumentsFromArgv(1, argv), Words{});
    EXPECT_EQ(argumentsFromArgv(0, argv), Words{});
    EXPECT_EQ(argumentsFromArgv(2, argv), Words{});
}

TEST(ArgumentsFromArgv, KeepsWordsAsGiven)
{
    // The shell has split already: quotes and blanks inside a word stay.
    const char* argv[] = {"chronell", "\"quoted\"", " a b ", "-f"};
    EXPECT_EQ(argumentsFromArgv(4, argv), (Words{"\"quoted\"", " a b ", "-f"}));
}

#ifndef _WIN32
TEST(ProgramArguments, TakesArgvOnLinux)
{
    const char* argv[] = {"chronell", "jobs", "", "*.jobs"};
    EXPECT_EQ(programArguments(4, argv), (Words{"jobs", "*.jobs"}));
}
#endif

} // namespace
} // namespace chronell
