// chronell-report run as a program over tests/fixtures, in the C locale,
// against golden outputs in tests/cli/golden.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/host.h"
#include "support/run_program.h"

namespace chronell {
namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

using Result = test::ProgramResult;

// The words of an argument text: separated by blanks, '...' quoting.
std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> result;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : text) {
        if (c == '\'') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord) result.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) result.push_back(word);
    return result;
}

// On Windows the report writes text as Windows tools do: each LF of the
// golden text as CR LF, where it is not one already (CSV rows).
std::string withHostLineEnds(const std::string& text)
{
    if (!kWindowsHost) return text;
    std::string crlf;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += '\r';
        crlf += text[i];
    }
    return crlf;
}

// Runs the report with `arguments` (words, '...' quoting) from the
// fixtures folder, in the C locale and on UTC.
Result runReport(const std::string& arguments)
{
    return test::runProgram(std::string(CHRONELL_BIN_DIR) + "/chronell-report" + CHRONELL_EXE_SUFFIX, words(arguments),
                            CHRONELL_FIXTURES_DIR, {{"LC_ALL", "C"}, {"TZ", "UTC"}});
}

// On Windows the dates follow the user's locale, not LC_ALL: the date-times
// of both texts are masked, in the C locale's pictures in the golden text
// and in any numeric picture in the output.
std::string datesMasked(const std::string& text, bool golden)
{
    if (!kWindowsHost) return text;
    static const std::regex cPictures(R"(\d\d/\d\d/\d\d( \d\d:\d\d:\d\d)?)");
    // Not the ISO dates of the records ("2008-05-10T14:00:00Z").
    static const std::regex anyPictures(R"(\d{1,4}[./-]\d{1,2}[./-]\d{1,4}(?![\dT])( \d{1,2}:\d\d:\d\d( ?[AP]M)?)?)");
    return std::regex_replace(text, golden ? cPictures : anyPictures, "<date>");
}

std::string golden(const std::string& name)
{
    return readFile(std::string(CHRONELL_SOURCE_DIR) + "/tests/cli/golden/" + name);
}

// A running job's time so far depends on when the test runs: masked in both texts.
std::string timeSoFarMasked(const std::string& text)
{
    static const std::regex runningMs(R"("running_ms": \d+)");
    static const std::regex running(R"(\(running \d+:\d\d:\d\d\))");
    return std::regex_replace(std::regex_replace(text, runningMs, "\"running_ms\": <ms>"), running,
                              "(running <time>)");
}

struct GoldenCase {
    const char* arguments;
    const char* goldenFile;
    int status;
    const char* err;
};

class ReportGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(ReportGolden, OutputStatusAndErrorText)
{
    const GoldenCase& c = GetParam();
    const std::string expected = golden(c.goldenFile);
    ASSERT_FALSE(expected.empty()) << c.goldenFile;
    const Result result = runReport(c.arguments);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(timeSoFarMasked(datesMasked(result.out, false)),
              timeSoFarMasked(datesMasked(withHostLineEnds(expected), true)));
    EXPECT_EQ(result.err, withHostLineEnds(c.err));
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, ReportGolden,
    ::testing::Values(
        GoldenCase{"report", "report.log", 0, ""},
        GoldenCase{"-f report", "report-formatted.log", 0, ""},
        GoldenCase{"--formatted report '*.jobs'", "report-formatted.log", 0, ""},
        GoldenCase{"-f --rows=tsv report", "report-formatted.tsv", 0, ""},
        GoldenCase{"--rows=csv report", "report.csv", 0, ""},
        GoldenCase{"--rows=json -f report", "report-formatted.json", 0, ""},
        GoldenCase{"--rows=json report 'W*.JOBS'", "report-waiting.json", 0, ""},
        GoldenCase{"--rows=json -f runners", "runners-formatted.json", 0, ""},
        GoldenCase{"--summary -f runners", "runners-summary-formatted.txt", 0, ""},
        GoldenCase{"--summary report", "report-summary.txt", 0, ""},
        GoldenCase{"--summary=json report", "report-summary.json", 0, ""},
        GoldenCase{"report-error", "report-error.log", 1, "chronell-report: 'x' is not a valid integer value.\n"},
        GoldenCase{"--rows=tsv report-error", "report-error.tsv", 1,
                   "chronell-report: 'x' is not a valid integer value.\n"}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) {
        // The case's position and its golden file, as a test name.
        std::string name = std::to_string(info.index) + "_" + info.param.goldenFile;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(Report, UsageErrorsExitWithTwoAndTheUsage)
{
    for (const char* arguments : {"", "--rows=xml report", "--bogus report", "a b c", "--summary --timeline report"}) {
        const Result result = runReport(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_TRUE(result.out.empty()) << arguments;
        EXPECT_NE(result.err.find("usage: chronell-report"), std::string::npos) << arguments;
    }
}

TEST(Report, HelpAndVersion)
{
    Result help = runReport("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: chronell-report", 0), 0u);
    Result version = runReport("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, withHostLineEnds("chronell-report 0.1\n"));
}

TEST(Report, NoMatchGivesTheEmptyGridAndSaysSo)
{
    const Result log = runReport("report '*.none'");
    EXPECT_EQ(log.status, 0);
    EXPECT_EQ(log.out, "");
    EXPECT_EQ(log.err, withHostLineEnds("chronell-report: no entry of 'report' matches '*.none'.\n"));
    const Result rows = runReport("--rows=tsv report '*.none'");
    EXPECT_EQ(rows.out, withHostLineEnds("Name\tSource\tDest\tStart\tEnd\tStatus\tDur\tJobfile\n\t\t\t\t\t\t\t\n"));
}

TEST(Report, FolderThatCannotBeSearchedFailsWithTheReason)
{
    const struct {
        const char* arguments;
        const char* err;
    } cases[] = {
        {"missing", "chronell-report: cannot search 'missing': No such file or directory\n"},
        {"--rows=csv report/clip.jobs", "chronell-report: cannot search 'report/clip.jobs': Not a directory\n"},
    };
    for (const auto& c : cases) {
        const Result result = runReport(c.arguments);
        EXPECT_EQ(result.status, 1) << c.arguments;
        if (kWindowsHost) {
            // The reason in the system's words, which differ between Windows and Wine.
            const std::string_view err(c.err);
            const std::string start(err.substr(0, err.rfind(": ") + 2));
            EXPECT_EQ(result.err.rfind(start, 0), 0u) << result.err;
            EXPECT_GT(result.err.size(), start.size() + 2) << result.err;
            EXPECT_TRUE(result.err.ends_with("\r\n")) << result.err;
        } else {
            EXPECT_EQ(result.err, c.err);
        }
    }
}

} // namespace
} // namespace chronell
