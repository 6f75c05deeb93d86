#include "analysis/job_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/chronell_error.h"

namespace chronell {
namespace {

using namespace std::string_literals;

// Every line of the text, walked from the first; the line count and each
// line's number must agree.
std::vector<std::string> cut(const std::string& bytes)
{
    const JobListText text(bytes);
    std::vector<std::string> lines;
    if (!text.empty()) {
        auto line = text.first();
        lines.emplace_back(text.view(line));
        EXPECT_EQ(text.lineNumber(line), 1u) << bytes;
        while (text.hasLineAfter(line)) {
            line = text.lineAfter(line);
            lines.emplace_back(text.view(line));
            EXPECT_EQ(text.lineNumber(line), lines.size()) << bytes;
        }
    }
    EXPECT_EQ(text.lineCount(), lines.size()) << bytes;
    return lines;
}

// The text of the first line after the first line that holds the marker.
std::string findAfterFirst(const std::string& bytes, std::string_view marker)
{
    const JobListText text(bytes);
    const auto found = text.findAfter(text.first(), marker);
    return found ? std::string(text.view(*found)) : "(none)";
}

TEST(JobListLines, EachTerminatorEndsOneLine)
{
    EXPECT_EQ(cut("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(cut("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(cut("\r\n"), (std::vector<std::string>{""}));
    EXPECT_EQ(cut("a\r\n\r\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(cut("\n\n"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(cut("a\r\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

// Lines of the given lengths, each ended by each terminator in turn, are
// cut back into those lines.
void expectLinesOfLengths(const std::vector<std::size_t>& lengths)
{
    for (const std::string terminator : {"\r", "\n", "\r\n"}) {
        std::string bytes;
        std::vector<std::string> expected;
        for (const std::size_t length : lengths) {
            expected.push_back(std::string(length, static_cast<char>('a' + length % 26)));
            bytes += expected.back() + terminator;
        }
        bytes += "last\x0b\x0c\x0e";  // bytes next to CR and LF are no line ends
        expected.push_back("last\x0b\x0c\x0e");
        EXPECT_EQ(cut(bytes), expected) << "terminator " << terminator.size();
    }
}

TEST(JobListLines, LinesOfEveryLengthAroundEightBytes)
{
    std::vector<std::size_t> lengths;
    for (std::size_t length = 0; length <= 19; ++length) lengths.push_back(length);
    expectLinesOfLengths(lengths);
}

// Line ends are looked for a window of bytes at a time.
TEST(JobListLines, LinesAsLongAsOneOrMoreSearchWindows)
{
    expectLinesOfLengths({255, 256, 257, 1, 511, 512, 513, 0, 1000});
}

TEST(JobListLines, NothingAfterTheFirstNulIsRead)
{
    EXPECT_TRUE(cut("").empty());
    EXPECT_TRUE(cut("\0abc"s).empty());
    EXPECT_EQ(cut("ab\0cd\ne"s), (std::vector<std::string>{"ab"}));
    EXPECT_EQ(cut("ab\n\0cd"s), (std::vector<std::string>{"ab"}));
}

TEST(JobListLines, KeepsEveryOtherByte)
{
    EXPECT_EQ(cut("\t \x01\xff\xe9\n"), (std::vector<std::string>{"\t \x01\xff\xe9"}));
}

TEST(Markers, CountMarkerOnlyAtLineStart)
{
    EXPECT_TRUE(startsWithMarker("// $numjobs 3", kJobCountMarker));
    EXPECT_FALSE(startsWithMarker(" // $numjobs 3", kJobCountMarker));
}

TEST(Markers, JobMarkersAnywhereInALaterLine)
{
    EXPECT_EQ(findAfterFirst("x\n   // $job \"x\"\n", kJobMarker), "   // $job \"x\"");
    EXPECT_EQ(findAfterFirst("x\r\ngarbage// $output \"o\"\r\nnext", kOutputMarker), "garbage// $output \"o\"");
    EXPECT_EQ(findAfterFirst("x\r// $Job \"x\"\r//$job\r// $jo\rb // $job \"y\"", kJobMarker), "b // $job \"y\"");
    EXPECT_EQ(findAfterFirst("// $job \"in the first line\"\n", kJobMarker), "(none)");
    EXPECT_EQ(findAfterFirst("x\n// $input \"i\"", kJobMarker), "(none)");
    EXPECT_EQ(findAfterFirst("only one line", kJobMarker), "(none)");
    EXPECT_EQ(findAfterFirst(std::string("x\n\0// $job \"hidden\"", 20), kJobMarker), "(none)");
    EXPECT_EQ(findAfterFirst("x\n\r\n// $state 2\n", kStateMarker), "// $state 2");
    EXPECT_EQ(findAfterFirst("x\n$$ $ // $stat\n$// $state 3$\n", kStateMarker), "$// $state 3$");
    EXPECT_EQ(findAfterFirst("// $\n $", kStateMarker), "(none)");
}

struct TextValueCase {
    const char* line;
    std::size_t column;
    const char* expected;
};

class TextValues : public ::testing::TestWithParam<TextValueCase> {};

TEST_P(TextValues, FromStartColumnToFirstQuote)
{
    EXPECT_EQ(takeTextValue(GetParam().line, GetParam().column), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TextValues,
    ::testing::Values(TextValueCase{"// $job \"My job\" extra", kJobNameColumn, "My job"},
                      TextValueCase{"// $job \"unterminated", kJobNameColumn, ""},
                      TextValueCase{"// $job  \"two spaces\"", kJobNameColumn, ""},
                      TextValueCase{"   // $job \"x\"", kJobNameColumn, "b "},
                      TextValueCase{"// $job", kJobNameColumn, ""},
                      TextValueCase{"// $job \"", kJobNameColumn, ""},
                      TextValueCase{"// $input \"C:\\a\\\"b.avi\"", kInputColumn, "C:\\a\\"},
                      TextValueCase{"// $output \"D:\\out\\clip.avi\"", kOutputColumn, "D:\\out\\clip.avi"},
                      TextValueCase{"// $output \"\"", kOutputColumn, ""}));

TEST(JobCount, ReadFromColumn12ToTheEndOfTheLine)
{
    EXPECT_EQ(takeJobCount("// $numjobs 3"), 3);
    EXPECT_EQ(takeJobCount("// $numjobs $10"), 16);
    EXPECT_EQ(takeJobCount("// $numjobs 12345"), 12345);
    EXPECT_EQ(takeJobCount("// $numjobs 0"), 0);
    EXPECT_EQ(takeJobCount("// $numjobs -2"), -2);
}

TEST(JobCount, FailureNamesTheTextFromColumn12)
{
    const std::pair<const char*, const char*> cases[] = {
        {"// $numjobs 3 ", "' 3 ' is not a valid integer value"},
        {"// $numjobs", "'' is not a valid integer value"},
        {"// $numjobs 12345x", "' 12345x' is not a valid integer value"},
    };
    for (const auto& [line, message] : cases) {
        try {
            takeJobCount(line);
            ADD_FAILURE() << "no failure for " << line;
        } catch (const ChronellError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
}

TEST(State, OneCharacterOfColumn11)
{
    EXPECT_EQ(takeState("// $state 2"), 2);
    EXPECT_EQ(takeState("// $state 93"), 9);
    EXPECT_THROW(takeState("// $state x"), ChronellError);
    EXPECT_THROW(takeState("// $state"), ChronellError);
    EXPECT_THROW(takeState("// $state "), ChronellError);
    try {
        takeState("// $state x");
    } catch (const ChronellError& error) {
        EXPECT_STREQ(error.what(), "'x' is not a valid integer value");
    }
}

TEST(TimeStampWords, EightCharactersAtFixedColumns)
{
    struct Case {
        const char* line;
        bool start;
        const char* high;
        const char* low;
    };
    const Case cases[] = {
        {"// $start_time 01C8B2A6 22E7F000", true, "01C8B2A6", "22E7F000"},
        {"// $start_time 0 0", true, "0 0", ""},
        {"// $end_time 1c8b2a6 22e7f000", false, "1c8b2a6 ", "2e7f000"},
        {"// $end_time 01c8b2ac 12f934a0 trailing", false, "01c8b2ac", "12f934a0"},
        {"// $end_time", false, "", ""},
    };
    for (const Case& c : cases) {
        const auto words = c.start ? takeTimeStampWords(c.line, kStartHighColumn, kStartLowColumn)
                                   : takeTimeStampWords(c.line, kEndHighColumn, kEndLowColumn);
        EXPECT_EQ(words.high, c.high) << c.line;
        EXPECT_EQ(words.low, c.low) << c.line;
    }
}

} // namespace
} // namespace chronell
