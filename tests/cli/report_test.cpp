// chronell-report run as a program over tests/fixtures, in the C locale,
// against golden outputs in tests/cli/golden.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_folder.h"

namespace chronell {
namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the report with `arguments` (already quoted for the shell) from the
// fixtures folder, in the C locale and on UTC.
Result runReport(const std::string& arguments)
{
    test::TempFolder scratch;
    const std::string out = scratch.string() + "/out";
    const std::string err = scratch.string() + "/err";
    const std::string command = std::string("cd '") + CHRONELL_FIXTURES_DIR + "' && LC_ALL=C TZ=UTC '" + CHRONELL_BIN_DIR +
                                "/chronell-report' " + arguments + " >'" + out + "' 2>'" + err + "' </dev/null";
    const int raw = std::system(command.c_str());
    Result result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readFile(out);
    result.err = readFile(err);
    return result;
}

std::string golden(const std::string& name)
{
    return readFile(std::string(CHRONELL_SOURCE_DIR) + "/tests/cli/golden/" + name);
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
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(result.err, c.err);
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
    EXPECT_EQ(version.out, "chronell-report 0.1\n");
}

TEST(Report, NoMatchGivesTheEmptyGridAndSaysSo)
{
    const Result log = runReport("report '*.none'");
    EXPECT_EQ(log.status, 0);
    EXPECT_EQ(log.out, "");
    EXPECT_EQ(log.err, "chronell-report: no entry of 'report' matches '*.none'.\n");
    const Result rows = runReport("--rows=tsv report '*.none'");
    EXPECT_EQ(rows.out, "Name\tSource\tDest\tStart\tEnd\tStatus\tDur\tJobfile\n\t\t\t\t\t\t\t\n");
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
        EXPECT_EQ(result.err, c.err);
    }
}

} // namespace
} // namespace chronell
