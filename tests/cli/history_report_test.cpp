// chronell-report's history: --record and --history run as a program over
// job-list folders written by the tests, each with a history file of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "support/job_list_text.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using test::TempFolder;

// A job with the lines of newer writers: its id, runner and error.
struct Job {
    test::JobLines lines;
    std::string id;
    std::string runner;
    std::string error;
};

std::string jobList(const std::vector<Job>& jobs)
{
    std::string text = "// job list\r\n// $signature 1 1\r\n// $numjobs " + std::to_string(jobs.size()) + "\r\n//\r\n";
    for (const Job& job : jobs) {
        std::vector<std::string> lines = test::jobLines(job.lines);
        std::vector<std::string> extras;
        if (!job.id.empty()) extras.push_back("// $id " + job.id);
        if (!job.runner.empty()) extras.push_back("// $runner_name \"" + job.runner + "\"");
        if (!job.error.empty()) extras.push_back("// $error \"" + job.error + "\"");
        lines.insert(lines.begin() + 4, extras.begin(), extras.end());
        for (const std::string& line : lines) text += line + "\r\n";
    }
    return text;
}

// Stamps of 2026-03-02 (UTC): 10:00, 11:00, 12:30; 2026-03-05 09:00, 09:45.
constexpr const char* k02d10h = "01DCAA2B 54F61000";
constexpr const char* k02d11h = "01DCAA33 B6BA7800";
constexpr const char* k02d12h30 = "01DCAA40 49611400";
constexpr const char* k05d09h = "01DCAC7E 726EE800";
constexpr const char* k05d09h45 = "01DCAC84 BBC23600";

const std::vector<Job> kMonday{
    {{"Intro pass 1", "C:\\cap\\intro.avi", "D:\\out\\intro.avi", "2", k02d10h, k02d11h}, "00a1", "STUDIO", ""},
    {{"Intro pass 2", "C:\\cap\\intro.avi", "D:\\out\\intro.avi", "2", k02d11h, k02d12h30}, "00a2", "STUDIO", ""},
    {{"Credits", "C:\\cap\\credits.avi", "D:\\out\\credits.avi", "5", k02d12h30, k02d12h30}, "", "", "disk full"},
};
const std::vector<Job> kThursday{
    {{"Outtakes", "C:\\cap\\outtakes.avi", "D:\\out\\outtakes.avi", "4", k05d09h, k05d09h45}, "", "ATTIC", ""},
};

class HistoryReport : public testing::Test {
protected:
    test::ProgramResult report(std::vector<std::string> arguments) const
    {
        return test::runProgram(std::string(CHRONELL_BIN_DIR) + "/chronell-report" + CHRONELL_EXE_SUFFIX, arguments,
                                folder_.string(), {{"LC_ALL", "C"}, {"TZ", "UTC"}});
    }
    test::ProgramResult history(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), {"--history", "--store", store()});
        return report(arguments);
    }
    test::ProgramResult record(std::vector<std::string> arguments = {}) const
    {
        arguments.insert(arguments.begin(), "--store=" + store());
        arguments.insert(arguments.begin(), "--record");
        arguments.push_back(folder_.file("jobs"));
        return report(arguments);
    }
    std::string store() const { return folder_.file("history.sqlite"); }

    TempFolder folder_;
};

TEST_F(HistoryReport, PrintsTheHistoryAsTheFolderRunPrintsTheSameJobs)
{
    folder_.write("jobs/monday.jobs", jobList(kMonday));
    folder_.write("jobs/thursday.jobs", jobList(kThursday));
    ASSERT_EQ(record().status, 0);
    for (const std::vector<std::string>& output :
         {std::vector<std::string>{"--rows=tsv"}, {"--rows=csv"}, {"--rows=json"}, {"-f", "--rows=tsv"}, {"--summary"},
          {"-f", "--summary"}, {"--summary=json"}, {"--timeline"}}) {
        std::vector<std::string> folderRun = output;
        folderRun.push_back(folder_.file("jobs"));
        const test::ProgramResult expected = report(folderRun);
        const test::ProgramResult read = history(output);
        EXPECT_EQ(read.status, 0) << output.back();
        EXPECT_EQ(read.err, "") << output.back();
        EXPECT_EQ(read.out, expected.out) << output.back();
    }
}

TEST_F(HistoryReport, RecordingLeavesTheRunsOutputAsItIs)
{
    folder_.write("jobs/monday.jobs", jobList(kMonday));
    for (const char* output : {"--rows=json", "--summary", "-f"}) {
        const test::ProgramResult plain = report({output, folder_.file("jobs")});
        const test::ProgramResult recorded = record({output});
        EXPECT_EQ(recorded.status, 0) << output;
        EXPECT_EQ(recorded.out, plain.out) << output;
        EXPECT_EQ(recorded.err, "") << output;
    }
}

TEST_F(HistoryReport, AFolderEmptiedAndRefilledCountsTheJobsOfBothFillings)
{
    folder_.write("jobs/queue.jobs", jobList(kMonday));
    ASSERT_EQ(record().status, 0);
    ASSERT_EQ(record().status, 0);  // seen again: counted once
    folder_.write("jobs/queue.jobs", jobList(kThursday));
    ASSERT_EQ(record().status, 0);

    const test::ProgramResult summary = history({"--summary=json"});
    EXPECT_NE(summary.out.find("\"jobs\": 4"), std::string::npos) << summary.out;
    const test::ProgramResult rows = history({"--rows=tsv"});
    EXPECT_NE(rows.out.find("Intro pass 1\t"), std::string::npos);
    EXPECT_NE(rows.out.find("2pass\t"), std::string::npos);
    EXPECT_NE(rows.out.find("Outtakes\t"), std::string::npos);
}

TEST_F(HistoryReport, SinceAndUntilChooseByLocalStartDate)
{
    folder_.write("jobs/monday.jobs", jobList(kMonday));
    folder_.write("jobs/thursday.jobs", jobList(kThursday));
    ASSERT_EQ(record().status, 0);
    const auto names = [this](std::vector<std::string> range) {
        range.push_back("--rows=tsv");
        std::string out = history(range).out;
        std::string firstCells;
        for (std::size_t line = out.find('\n'); line != std::string::npos && line + 1 < out.size();
             line = out.find('\n', line + 1))
            firstCells += out.substr(line + 1, out.find('\t', line + 1) - line - 1) + ";";
        return firstCells;
    };
    if (kWindowsHost) GTEST_SKIP() << "the system's zone, not TZ, decides the local dates";
    EXPECT_EQ(names({"--since", "2026-03-03"}), "Outtakes;");
    EXPECT_EQ(names({"--until=2026-03-02"}), "Intro pass 1;Intro pass 2;2pass;Credits;");
    EXPECT_EQ(names({"--since=2026-03-02", "--until", "2026-03-05"}), "Intro pass 1;Intro pass 2;2pass;Credits;Outtakes;");
    EXPECT_EQ(names({"--since=2026-03-06"}), "");
}

TEST_F(HistoryReport, HoursPerRunnerPerDay)
{
    folder_.write("jobs/monday.jobs", jobList(kMonday));
    folder_.write("jobs/thursday.jobs", jobList(kThursday));
    ASSERT_EQ(record().status, 0);
    if (kWindowsHost) GTEST_SKIP() << "the system's zone, not TZ, decides the days";
    EXPECT_EQ(history({"--by=day"}).out, "Period\tStart\tRunner\tJobs\tHours\n"
                                          "2026-03-02\t2026-03-02T00:00:00Z\t(no runner)\t1\t0.000\n"
                                          "2026-03-02\t2026-03-02T00:00:00Z\tSTUDIO\t2\t2.500\n"
                                          "2026-03-05\t2026-03-05T00:00:00Z\tATTIC\t1\t0.750\n");
    EXPECT_EQ(history({"--by=month", "--rows=csv"}).out, "Period,Start,Runner,Jobs,Hours\r\n"
                                                          "2026-03,2026-03-01T00:00:00Z,(no runner),1,0.000\r\n"
                                                          "2026-03,2026-03-01T00:00:00Z,ATTIC,1,0.750\r\n"
                                                          "2026-03,2026-03-01T00:00:00Z,STUDIO,2,2.500\r\n");
}

TEST_F(HistoryReport, ADamagedHistoryIsReportedAndTheRunGoesOn)
{
    folder_.write("jobs/monday.jobs", jobList(kMonday));
    folder_.write("history.sqlite", std::string(4096, '\x7f'));
    const test::ProgramResult plain = report({"--rows=tsv", folder_.file("jobs")});
    const test::ProgramResult recorded = record({"--rows=tsv"});
    EXPECT_EQ(recorded.status, 0);
    EXPECT_EQ(recorded.out, plain.out);
    EXPECT_NE(recorded.err.find("chronell-report: history: '" + store() + "' is damaged; it was renamed to '" + store()
                                + ".damaged' and a new history started."),
              std::string::npos)
        << recorded.err;
    EXPECT_EQ(history({"--rows=tsv"}).out, plain.out);
}

TEST_F(HistoryReport, NoHistoryYetIsAnEmptyOne)
{
    const test::ProgramResult rows = history({"--rows=tsv"});
    EXPECT_EQ(rows.status, 0);
    EXPECT_EQ(rows.out.rfind("Name\tSource\tDest\tStart\tEnd\tStatus\tDur\tJobfile", 0), 0u);
    EXPECT_EQ(std::count(rows.out.begin(), rows.out.end(), '\n'), 1);
}

TEST_F(HistoryReport, UsageErrors)
{
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"--history"}, "--history needs --rows, --summary, --timeline or --by"},
        {{"--history", "--summary", "jobs"}, "--history reads no FOLDER"},
        {{"--record", "--history", "--summary"}, "--record and --history exclude each other"},
        {{"--by=day", "jobs"}, "--since, --until and --by need --history"},
        {{"--since=2026-01-01", "jobs"}, "--since, --until and --by need --history"},
        {{"--history", "--by=day", "--summary"}, "--by excludes --summary and --timeline"},
        {{"--history", "--summary", "--since=2026-02-30"}, "--since takes a date as YYYY-MM-DD, not '2026-02-30'"},
        {{"--history", "--summary", "--until", "yesterday"}, "--until takes a date as YYYY-MM-DD, not 'yesterday'"},
        {{"--history", "--summary", "--since"}, "--since needs a value"},
        {{"--history", "--by=year"}, "unknown option '--by=year'"},
        {{"--store=x.sqlite", "jobs"}, "--store needs --record or --history"},
    };
    for (const auto& c : cases) {
        const test::ProgramResult result = report(c.arguments);
        EXPECT_EQ(result.status, 2) << c.error;
        EXPECT_EQ(result.err.rfind(std::string("chronell-report: ") + c.error, 0), 0u) << result.err;
    }
}

} // namespace
} // namespace chronell
