// chronell-report run as a program over tests/fixtures, in the C locale,
// against golden outputs in tests/cli/golden.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "report/rows_file.h"
#include "support/host.h"
#include "support/printed_run.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"

#ifndef _WIN32
#include <unistd.h>

#include "support/file_size_limit.h"
#endif

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

// The paths of a text with the host's separator.
std::string withHostSeparators(std::string text)
{
    if (kWindowsHost)
        for (char& c : text)
            if (c == '/') c = '\\';
    return text;
}

// Runs the report with `arguments` (words, '...' quoting) from `folder`
// (the fixtures folder unless given), in the C locale and on UTC, its
// standard output sent to `outPath` when one is given.
Result runReport(const std::string& arguments, const std::string& folder = CHRONELL_FIXTURES_DIR,
                 const std::string& outPath = {})
{
    return test::runProgram(std::string(CHRONELL_BIN_DIR) + "/chronell-report" + CHRONELL_EXE_SUFFIX, words(arguments),
                            folder, {{"LC_ALL", "C"}, {"TZ", "UTC"}}, outPath);
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
    EXPECT_EQ(result.err, withHostLineEnds(withHostSeparators(c.err)));
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
        GoldenCase{"report-error", "report-error.log", 1,
                   "chronell-report: report-error/2.jobs:17: 'x' is not a valid integer value.\n"},
        GoldenCase{"--rows=tsv report-error", "report-error.tsv", 1,
                   "chronell-report: report-error/2.jobs:17: 'x' is not a valid integer value.\n"}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) {
        // The case's position and its golden file, as a test name.
        std::string name = std::to_string(info.index) + "_" + info.param.goldenFile;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

// Save Results As writes the file from the window's own run of the engine:
// byte for byte what the report prints for the same rows, line breaks
// included (CR LF on Windows for every format).
TEST(Report, SavedRowsFileHoldsTheReportsBytes)
{
    const test::ScopedTimeZone utc("UTC");
    const RegionalSettings settings = loadRegionalSettings();
    test::TempFolder folder;
    const struct {
        const char* arguments;
        report::ExportFormat format;
        bool formatted;
    } cases[] = {
        {"--rows=tsv report", report::ExportFormat::Tsv, false},
        {"-f --rows=tsv report", report::ExportFormat::Tsv, true},
        {"--rows=csv runners", report::ExportFormat::Csv, false},
        {"--rows=json -f runners", report::ExportFormat::Json, true},
        {"--rows=json report", report::ExportFormat::Json, false},
    };
    for (const auto& c : cases) {
        const std::string args = c.arguments;
        const std::string subfolder = args.substr(args.rfind(' ') + 1);
        RunInputs inputs;
        inputs.folder = std::string(CHRONELL_FIXTURES_DIR) + "/" + subfolder;
        inputs.mask = "*.jobs";
        inputs.formattedTime = c.formatted;
        test::PrintedRun printed;
        test::printRun(printed, inputs, settings);

        const std::string path = folder.file("saved");
        std::error_code error;
        const Instant now = std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
        ASSERT_TRUE(report::writeRowsFile(path, c.format, printed.grid, now, error)) << error.message();
        const Result printedByReport = runReport(c.arguments);
        ASSERT_EQ(printedByReport.status, 0) << c.arguments;
        EXPECT_EQ(timeSoFarMasked(test::TempFolder::bytesOf(path)), timeSoFarMasked(printedByReport.out)) << c.arguments;
    }
}

TEST(Report, UsageErrorSaysWhatAndWhereTheHelpIsInTwoLines)
{
    const struct {
        const char* arguments;
        const char* what;
    } cases[] = {
        {"", "missing FOLDER"},
        {"--rows=xml report", "unknown format 'xml'"},
        {"--rows= report", "unknown format ''"},
        {"--bogus report", "unknown option '--bogus'"},
        {"a b c", "too many arguments"},
        {"--summary --timeline report", "--rows, --summary and --timeline exclude each other"},
    };
    for (const auto& c : cases) {
        const Result result = runReport(c.arguments);
        EXPECT_EQ(result.status, 2) << c.arguments;
        EXPECT_TRUE(result.out.empty()) << c.arguments;
        EXPECT_EQ(result.err, withHostLineEnds("chronell-report: " + std::string(c.what)
                                               + "\nTry 'chronell-report --help'.\n"));
    }
}

TEST(Report, HelpAndVersion)
{
    for (const char* option : {"--help", "-h", "report -h"}) {
        const Result help = runReport(option);
        EXPECT_EQ(help.status, 0) << option;
        EXPECT_EQ(help.out.rfind("usage: chronell-report", 0), 0u) << option;
    }
    const Result windowsHelp = runReport("/?");
    if (kWindowsHost) {
        EXPECT_EQ(windowsHelp.status, 0);
        EXPECT_EQ(windowsHelp.out.rfind("usage: chronell-report", 0), 0u);
    } else {
        EXPECT_EQ(windowsHelp.status, 1);  // a folder like any other
    }
    for (const char* option : {"--version", "-V"}) {
        const Result version = runReport(option);
        EXPECT_EQ(version.status, 0) << option;
        EXPECT_EQ(version.out, withHostLineEnds("chronell-report 0.1\n")) << option;
    }
}

TEST(Report, NoMatchExportsNoRowAndSaysSo)
{
    const Result log = runReport("report '*.none'");
    EXPECT_EQ(log.status, 0);
    EXPECT_EQ(log.out, "");
    EXPECT_EQ(log.err, withHostLineEnds("chronell-report: no entry of 'report' matches '*.none'.\n"));
    const struct {
        const char* arguments;
        const char* out;
    } cases[] = {
        {"--rows=tsv report '*.none'", "Name\tSource\tDest\tStart\tEnd\tStatus\tDur\tJobfile\n"},
        {"--rows=csv report '*.none'", "Name,Source,Dest,Start,End,Status,Dur,Jobfile\r\n"},
        {"--rows=json report '*.none'", "[]\n"},
    };
    for (const auto& c : cases) {
        const Result rows = runReport(c.arguments);
        EXPECT_EQ(rows.status, 0) << c.arguments;
        EXPECT_EQ(rows.out, withHostLineEnds(c.out)) << c.arguments;
    }
}

TEST(Report, FileGivenAsFolderIsReadWithItsNameAsTheMask)
{
    const Result asFolder = runReport("--rows=csv report/clip.jobs");
    const Result asMask = runReport("--rows=csv report clip.jobs");
    EXPECT_EQ(asFolder.status, 0);
    EXPECT_EQ(asFolder.err, "");
    EXPECT_NE(asFolder.out.find("clip.jobs"), std::string::npos);
    EXPECT_EQ(asFolder.out, asMask.out);
    const Result here = runReport("--rows=csv clip.jobs", std::string(CHRONELL_FIXTURES_DIR) + "/report");
    EXPECT_EQ(here.out, asMask.out);
}

TEST(Report, FilesThatCannotBeReadAreNamedAndTheRunGoesOnToExitOne)
{
    const test::TempFolder folder;
    folder.write("a.jobs", readFile(std::string(CHRONELL_FIXTURES_DIR) + "/report/clip.jobs"));
    std::filesystem::create_directory(folder.file("b.jobs"));
    std::string expectedErr =
        withHostLineEnds(withHostSeparators("chronell-report: cannot read './b.jobs': Is a directory\n"));
    if (!kWindowsHost) {
        std::filesystem::create_symlink("nowhere", folder.file("c.jobs"));
        expectedErr += "chronell-report: cannot read './c.jobs': No such file or directory\n";
    }
    for (const char* arguments : {"--rows=tsv .", "--summary .", "--timeline .", "."}) {
        const Result result = runReport(arguments, folder.string());
        EXPECT_EQ(result.status, 1) << arguments;
        EXPECT_EQ(result.err, expectedErr) << arguments;
        EXPECT_NE(result.out.find("a.jobs"), std::string::npos) << arguments;  // the readable file is reported
    }
    const Result log = runReport(".", folder.string());
    EXPECT_NE(log.out.find(withHostLineEnds("b.jobs\n----------------\nCan't open file, or file is empty.\n")),
              std::string::npos);
}

TEST(Report, FolderAndFileNamedOutsideTheAnsiCodePageAreFoundAndRead)
{
    // On Windows the programs run with the UTF-8 code page, so a Cyrillic
    // name reaches the search, the reading and the output as UTF-8 bytes.
    const test::TempFolder folder;
    const std::filesystem::path named = folder.path() / std::filesystem::path(u8"cyr Мос");
    std::filesystem::create_directory(named);
    std::ofstream(named / std::filesystem::path(u8"Мос.jobs"), std::ios::binary)
        << readFile(std::string(CHRONELL_FIXTURES_DIR) + "/report/clip.jobs");
    const std::string file = "\xD0\x9C\xD0\xBE\xD1\x81.jobs";
    const Result log = runReport("'cyr \xD0\x9C\xD0\xBE\xD1\x81'", folder.string());
    EXPECT_EQ(log.status, 0);
    EXPECT_EQ(log.err, "");
    EXPECT_EQ(log.out.rfind(withHostLineEnds(file + "\n----------------\nNumber of jobs: 2\n"), 0), 0u) << log.out;
    const Result rows = runReport("--rows=csv 'cyr \xD0\x9C\xD0\xBE\xD1\x81' '*.JOBS'", folder.string());
    EXPECT_EQ(rows.status, 0);
    EXPECT_NE(rows.out.find("," + file + "\r\n"), std::string::npos) << rows.out;
}

TEST(Report, FileWithoutReadPermissionIsNamedWithTheReason)
{
    if (!test::readProtectionHolds()) GTEST_SKIP() << "this user (root, or anyone on Windows) reads it anyway";
    const test::TempFolder folder;
    const std::string locked = folder.write("locked.jobs", "// $numjobs 1\n");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    const Result result = runReport("--rows=json .", folder.string());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "chronell-report: cannot read './locked.jobs': Permission denied\n");
    EXPECT_EQ(result.out, "[]\n");
}

TEST(Report, FailedWritesAreReportedWithExitOne)
{
    if (kWindowsHost) GTEST_SKIP() << "no /dev/full nor file-size limit on Windows";
#ifndef _WIN32
    // Every output, the help and the version, into a device that is always full.
    for (const char* arguments : {"report", "--rows=csv report", "--rows=json report", "--rows=tsv report",
                                  "--summary report", "--summary=json report", "--timeline report", "--help",
                                  "--version"}) {
        const Result full = runReport(arguments, CHRONELL_FIXTURES_DIR, "/dev/full");
        EXPECT_EQ(full.status, 1) << arguments;
        EXPECT_EQ(full.err, "chronell-report: write error: No space left on device\n") << arguments;
    }
    // A disk that fills part of the way through.
    const test::TempFolder scratch;
    const std::string out = scratch.write("out", "");
    const test::FileSizeLimit limit(100);
    const Result cut = runReport("--rows=csv report", CHRONELL_FIXTURES_DIR, out);
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.err, "chronell-report: write error: File too large\n");
#endif
}

TEST(Report, FolderThatCannotBeSearchedFailsWithTheReason)
{
    const struct {
        const char* arguments;
        const char* err;
    } cases[] = {
        {"missing", "chronell-report: cannot search 'missing': No such file or directory\n"},
        {"--rows=csv nosuchdir", "chronell-report: cannot search 'nosuchdir': No such file or directory\n"},
        // The folder searched is the folder joined with the mask's folder part.
        {"report nosuchdir/*.jobs", "chronell-report: cannot search 'report/nosuchdir': No such file or directory\n"},
    };
    for (const auto& c : cases) {
        const Result result = runReport(c.arguments);
        EXPECT_EQ(result.status, 1) << c.arguments;
        if (kWindowsHost) {
            // The reason in the system's words, which differ between Windows and Wine.
            const std::string err = withHostSeparators(c.err);
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
