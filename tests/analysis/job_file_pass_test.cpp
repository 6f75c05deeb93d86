#include "analysis/job_file_pass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/chronell_error.h"
#include "analysis/regional_settings.h"
#include "support/grid_rows.h"
#include "support/host.h"
#include "support/printed_run.h"
#include "support/job_list_text.h"
#include "support/sample_settings.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"

namespace chronell {
namespace {

using test::JobLines;
using test::jobListText;
using test::linesText;
using test::settingsB;
using test::TempFolder;
using Row = test::PrintedRun::Row;
using Lines = std::vector<std::string>;


// The example file: two jobs of 10 May 2008 writing the same output.
const std::string kExampleFile = linesText({
    "// job list",
    "// $numjobs 2",
    "//",
    "// $job \"Clip one\"",
    "// $input \"D:\\video\\clip1.avi\"",
    "// $output \"D:\\out\\clip.avi\"",
    "// $state 2",
    "// $start_time 01c8b2a6 22e7f000",
    "// $end_time 01c8b2ac 12f934a0",
    "// (further lines of the first job)",
    "// $job \"Clip two\"",
    "// $input \"D:\\video\\clip2.avi\"",
    "// $output \"D:\\out\\clip.avi\"",
    "// $state 2",
    "// $start_time 01c8b2ac 6c3b3e00",
    "// $end_time 01c8b2b2 e28eeec0",
    "// (further lines of the second job)",
});

// 15 March 2008 10:00:00 and later points as time-stamp words.
constexpr const char* k10h00 = "01C88683 54B45000";
constexpr const char* k11h00 = "01C8868B B678B800";   // one hour later
constexpr const char* k09h30 = "01C8867F 23D21C00";   // 30 minutes before 10:00
constexpr const char* k19h00 = "01C886CE C49BF800";   // 9 hours after 10:00
constexpr const char* kNextDay10h00 = "01C8874C 7F1E1000";  // 16 March 10:00
constexpr const char* k23h00 = "01C886F0 4BAD9800";   // 13 hours after 10:00
constexpr const char* kNextDay12h00 = "01C8875D 42A6E000";  // 16 March 12:00

// The 1-based number of the line of `text` on which `needle` first stands.
std::size_t lineOf(const std::string& text, const std::string& needle)
{
    const auto found = text.find(needle);
    return static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<long>(found), '\n')) + 1;
}

struct Pass {
    test::PrintedRun target;
    int rowCounter = 0;
};

// A fresh grid as a run leaves it before its first file, then one pass.
void runPass(Pass& pass, const std::string& path, bool formatted, const RegionalSettings& settings)
{
    test::printPass(pass.target, pass.rowCounter, path, formatted, settings);
}

class JobFilePass : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) { return folder.write(name, bytes); }
    Pass pass(const std::string& bytes, bool formatted = true)
    {
        Pass p;
        runPass(p, write("file.jobs", bytes), formatted, settingsB());
        return p;
    }
    TempFolder folder;
};

TEST_F(JobFilePass, ExampleFileFormatted)
{
    Pass p;
    runPass(p, write("clip.jobs", kExampleFile), true, settingsB());
    EXPECT_EQ(p.target.logLines(),
              (Lines{"Number of jobs: 2",
                     "Job name: Clip one", "Input: D:\\video\\clip1.avi", "Output: D:\\out\\clip.avi", "State: 2",
                     "Start_time: 10.05.2008 14:00:00", "End_time: 10.05.2008 14:42:30", "00:42:30.250",
                     "Job name: Clip two", "Input: D:\\video\\clip2.avi", "Output: D:\\out\\clip.avi", "State: 2",
                     "Start_time: 10.05.2008 14:45:00", "End_time: 10.05.2008 15:31:15", "00:46:15.500",
                     "================", "01:28:45.750", ""}));
    EXPECT_EQ(p.rowCounter, 3);
    ASSERT_EQ(p.target.rowCount(), 5);  // header, three rows, the spare row
    EXPECT_EQ(test::gridRows(p.target)[1], (Row{"Clip one", "clip1.avi", "clip.avi", "10.05.2008 14:00:00",
                                       "10.05.2008 14:42:30", "Done", "00:42:30.250", "clip.jobs"}));
    EXPECT_EQ(test::gridRows(p.target)[2], (Row{"Clip two", "clip2.avi", "clip.avi", "10.05.2008 14:45:00",
                                       "10.05.2008 15:31:15", "Done", "00:46:15.500", "clip.jobs"}));
    EXPECT_EQ(test::gridRows(p.target)[3], (Row{"2pass", "clip2.avi", "clip.avi", "", "", "", "01:28:45.750", "clip.jobs"}));
    EXPECT_EQ(test::gridRows(p.target)[4], Row{});
}

TEST_F(JobFilePass, ExampleFilePlainUsesTheRegionalDecimalSeparator)
{
    RegionalSettings fullStop = settingsB();
    fullStop.decimalSeparator = '.';
    Pass p;
    runPass(p, write("clip.jobs", kExampleFile), false, fullStop);
    const Lines log = p.target.logLines();
    ASSERT_EQ(log.size(), 18u);
    EXPECT_EQ(log[7], "2550.25");
    EXPECT_EQ(log[14], "2775.5");
    EXPECT_EQ(log[16], "5325.75");
    EXPECT_EQ(test::gridRows(p.target)[1][ColDur], "2550.25");
    EXPECT_EQ(test::gridRows(p.target)[2][ColDur], "2775.5");
    EXPECT_EQ(test::gridRows(p.target)[3][ColDur], "5325.75");

    Pass comma;
    runPass(comma, write("clip.jobs", kExampleFile), false, settingsB());
    EXPECT_EQ(comma.target.logLines()[16], "5325,75");
}

TEST_F(JobFilePass, FilesWithoutLinesLeaveTheGridAlone)
{
    using namespace std::string_literals;
    for (const std::string& bytes : {""s, "\0// $numjobs 1\n"s}) {
        Pass p = pass(bytes);
        EXPECT_EQ(p.target.logLines(), Lines{"Can't open file, or file is empty."});
        EXPECT_EQ(p.target.rowCount(), 2);
    }
    Pass missing;
    runPass(missing, folder.string() + "/absent.jobs", true, settingsB());
    EXPECT_EQ(missing.target.logLines(), Lines{"Can't open file, or file is empty."});

    Pass directory;
    runPass(directory, folder.string(), true, settingsB());
    EXPECT_EQ(directory.target.logLines(), Lines{"Can't open file, or file is empty."});
}

// Keeps what the ends of files say of files not read.
class NotReadSink : public RunSink {
public:
    void fileEnded(const FileEndEvent& event) override
    {
        if (event.unread) heard.emplace_back(event.path, event.unread);
    }
    std::vector<std::pair<std::string, std::error_code>> heard;
};

TEST_F(JobFilePass, FileThatCannotBeReadIsNamedWithTheSystemsReason)
{
    const struct {
        std::string path;
        std::error_code reason;  // none: read (an empty file is read)
    } cases[] = {
        {write("empty.jobs", ""), {}},
        {folder.string() + "/absent.jobs", std::make_error_code(std::errc::no_such_file_or_directory)},
        {folder.string(), std::make_error_code(std::errc::is_a_directory)},
    };
    for (const auto& c : cases) {
        test::PrintedRun target;
        NotReadSink notRead;
        int rowCounter = 0;
        std::string buffer;
        test::printInto(target, settingsB(), false, [&](RunSink& printers) {
            RunSinks sinks({&printers, &notRead});
            processJobFile(sinks, rowCounter, c.path, buffer);
        });
        EXPECT_EQ(target.logLines(), Lines{"Can't open file, or file is empty."}) << c.path;
        if (!c.reason) {
            EXPECT_TRUE(notRead.heard.empty()) << c.path;
            continue;
        }
        ASSERT_EQ(notRead.heard.size(), 1u) << c.path;
        EXPECT_EQ(notRead.heard[0].first, c.path);
        // Windows gives its own codes; the reason's words are the system's.
        if (!kWindowsHost) {
            EXPECT_EQ(notRead.heard[0].second, c.reason) << c.path;
        }
        EXPECT_FALSE(notRead.heard[0].second.message().empty());
    }
}

TEST_F(JobFilePass, NamedPipeIsNotOpened)
{
    if (kWindowsHost) GTEST_SKIP() << "no FIFOs in a Windows folder";
    const std::string fifo = folder.string() + "/queue.jobs";
    test::makeFifo(fifo);
    Pass p;
    runPass(p, fifo, true, settingsB());  // must not block
    EXPECT_EQ(p.target.logLines(), Lines{"Can't open file, or file is empty."});
    EXPECT_EQ(p.target.rowCount(), 2);
}

TEST_F(JobFilePass, NoPositiveCountBeforeTheLastLine)
{
    const std::string job = linesText({"// $job \"a\"", "// $input \"i\"", "// $output \"o\"", "// $state 2",
                                       "// $start_time 0 0", "// $end_time 0 0"});
    const std::string cases[] = {
        linesText({"// nothing here"}),
        linesText({"// $numjobs 0", "//", "x"}),
        linesText({"// $numjobs -2", "//", "x"}),
        linesText({" // $numjobs 1", "//"}) + job,  // indented: not recognised
        linesText({"a", "b", "// $numjobs 1"}),     // the last line is not looked at
    };
    for (const auto& bytes : cases) {
        Pass p = pass(bytes);
        EXPECT_EQ(p.target.logLines(), Lines{"Can't determine number of jobs."}) << bytes;
        EXPECT_EQ(p.target.rowCount(), 2);
    }
}

TEST_F(JobFilePass, CountAfterPassedOverCountsAndInAOneLineFile)
{
    Pass p = pass(linesText({"// $numjobs 0", "// $numjobs -2", "// $numjobs 1", "//"}) +
                  linesText({"// $job \"a\"", "// $input \"i\"", "// $output \"o\"", "// $state 0",
                             "// $start_time 0 0", "// $end_time 0 0"}));
    EXPECT_EQ(p.target.logLines().front(), "Number of jobs: 1");
    EXPECT_EQ(p.target.logLines().back(), "Sum of jobs duration is 0.");

    Pass single = pass("// $numjobs 1");
    EXPECT_EQ(single.target.logLines(), (Lines{"Number of jobs: 1", "Enexpected end of file."}));
    EXPECT_EQ(single.target.rowCount(), 2);
}

TEST_F(JobFilePass, CountThatDoesNotReadEndsThePassUntouched)
{
    test::PrintedRun target;
    int rowCounter = 0;
    const std::string path = write("bad.jobs", linesText({"// $numjobs 3 ", "//", "x"}));
    try {
        test::printPass(target, rowCounter, path, false, settingsB());
        FAIL() << "no failure";
    } catch (const ChronellError& error) {
        EXPECT_STREQ(error.what(), "' 3 ' is not a valid integer value");
        EXPECT_EQ(error.path(), path);
        EXPECT_EQ(error.line(), 1u);
    }
    EXPECT_TRUE(target.logLines().empty());
    EXPECT_EQ(target.rowCount(), 2);
}

TEST_F(JobFilePass, LargeCountIsReadAsAWhole)
{
    Pass p = pass(linesText({"// $numjobs 12345", "//"}));
    EXPECT_EQ(p.target.logLines().front(), "Number of jobs: 12345");
}

TEST_F(JobFilePass, FileEndingBeforeTheSecondJob)
{
    Pass p = pass(jobListText({{"first", "C:\\a.avi", "C:\\o.avi", "2", k10h00, k11h00}}, "2"));
    const Lines log = p.target.logLines();
    EXPECT_EQ(log.back(), "Enexpected end of file.");
    EXPECT_EQ(log.size(), 9u);  // count, seven job lines, end of file
    EXPECT_EQ(p.rowCounter, 1);
    ASSERT_EQ(p.target.rowCount(), 3);  // the second job's reserved row is gone
    EXPECT_EQ(test::gridRows(p.target)[1][ColName], "first");
    EXPECT_EQ(test::gridRows(p.target)[2], Row{});
}

TEST_F(JobFilePass, FileEndingAfterTheStateLine)
{
    Pass p = pass(linesText({"// $numjobs 1", "//", "// $job \"j\"", "// $input \"i\"", "// $output \"o\"",
                             "// $state 2"}));
    EXPECT_EQ(p.target.logLines(), (Lines{"Number of jobs: 1", "Job name: j", "Input: i", "Output: o",
                                          "State: 2", "Enexpected end of file."}));
    EXPECT_EQ(p.target.rowCount(), 2);
}

TEST_F(JobFilePass, HugeCountReservesNoMoreRowsThanLines)
{
    Pass p = pass(jobListText({{"only", "i", "o", "2", k10h00, k11h00}}, "2000000000"));
    const Lines log = p.target.logLines();
    EXPECT_EQ(log.front(), "Number of jobs: 2000000000");
    EXPECT_EQ(log.back(), "Enexpected end of file.");
    EXPECT_EQ(p.target.rowCount(), 3);
    EXPECT_EQ(test::gridRows(p.target)[1][ColDur], "01:00:00.000");
}

TEST_F(JobFilePass, JobLineRightAfterTheCountLineIsNotRead)
{
    Pass p = pass(linesText({"// $numjobs 2"}) +
                  linesText({"// $job \"A\"", "// $input \"a\"", "// $output \"oa\"", "// $state 2",
                             "// $start_time 0 0", "// $end_time 0 0"}) +
                  linesText({"// $job \"B\"", "// $input \"b\"", "// $output \"ob\"", "// $state 2",
                             "// $start_time 0 0", "// $end_time 0 0"}));
    const Lines log = p.target.logLines();
    EXPECT_EQ(log[1], "Job name: B");
    EXPECT_EQ(log.back(), "Enexpected end of file.");
    EXPECT_EQ(p.target.rowCount(), 3);
}

TEST_F(JobFilePass, MissingMarkerIsTakenFromTheNextJob)
{
    // The first job lacks its output line: it takes the second job's output
    // onwards, and the second job's own job line has then been passed.
    Pass p = pass(linesText({"// $numjobs 3", "//", "// $job \"A\"", "// $input \"a\"", "// $state 2",
                             "// $start_time 0 0", "// $end_time 0 0", "// $job \"B\"", "// $input \"b\"",
                             "// $output \"ob\"", "// $state 1", "// $start_time 0 0", "// $end_time 0 0",
                             "// $job \"C\"", "// $input \"c\"", "// $output \"oc\"", "// $state 0",
                             "// $start_time 0 0", "// $end_time 0 0"}));
    const Lines log = p.target.logLines();
    EXPECT_EQ(log[1], "Job name: A");
    EXPECT_EQ(log[3], "Output: ob");
    EXPECT_EQ(log[4], "State: 1");
    EXPECT_EQ(log[8], "Job name: C");
    EXPECT_EQ(log.back(), "Enexpected end of file.");
    EXPECT_EQ(p.target.rowCount(), 4);  // A and C written, the third reserved row removed
}

TEST_F(JobFilePass, StateThatDoesNotReadKeepsTheReservedRows)
{
    test::PrintedRun target;
    int rowCounter = 0;
    const std::string text =
        jobListText({{"one", "i1", "o1", "2", k10h00, k11h00}, {"two", "i2", "o2", "x", k10h00, k11h00},
                     {"three", "i3", "o3", "2", k10h00, k11h00}});
    const std::string path = write("x.jobs", text);
    try {
        test::printPass(target, rowCounter, path, false, settingsB());
        FAIL() << "no failure";
    } catch (const ChronellError& error) {
        EXPECT_STREQ(error.what(), "'x' is not a valid integer value");
        EXPECT_EQ(error.path(), path);
        EXPECT_EQ(error.line(), lineOf(text, "$state x"));
    }
    EXPECT_EQ(target.logLines().back(), "Output: o2");
    EXPECT_EQ(target.rowCount(), 5);  // header, one filled, two reserved empty, spare
    EXPECT_EQ(test::gridRows(target)[1][ColName], "one");
    EXPECT_EQ(test::gridRows(target)[2], Row{});
    EXPECT_EQ(test::gridRows(target)[3], Row{});
}

TEST_F(JobFilePass, TimeStampBeyondTheYear9999EndsThePass)
{
    test::PrintedRun target;
    int rowCounter = 0;
    const std::string text = jobListText({{"one", "i", "o", "2", k10h00, "24C85A5E D1C04000"}});
    const std::string path = write("y.jobs", text);
    try {
        test::printPass(target, rowCounter, path, false, settingsB());
        FAIL() << "no failure";
    } catch (const ChronellError& error) {
        EXPECT_STREQ(error.what(), "Invalid argument to date encode");
        EXPECT_EQ(error.line(), lineOf(text, "24C85A5E"));
    }
    EXPECT_EQ(target.logLines().back(), "Start_time: 15.03.2008 10:00:00");
    EXPECT_EQ(target.rowCount(), 3);
}

TEST_F(JobFilePass, StatusWords)
{
    const char* words[] = {"Waiting", "In Progress", "Done", "Postponed", "Aborted", "Error",
                           "", "", "", ""};
    std::vector<JobLines> jobs;
    for (int state = 0; state <= 9; ++state)
        jobs.push_back({"s" + std::to_string(state), "i", "o" + std::to_string(state), std::to_string(state),
                        k10h00, k11h00});
    Pass p = pass(jobListText(jobs));
    for (int state = 0; state <= 9; ++state) {
        EXPECT_EQ(test::gridRows(p.target)[static_cast<std::size_t>(state) + 1][ColStatus], words[state]);
        EXPECT_EQ(p.target.logLines()[static_cast<std::size_t>(state) * 7 + 4], "State: " + std::to_string(state));
    }
}

TEST_F(JobFilePass, JobWithoutDurationLogsItsLineButFillsNoTimes)
{
    Pass p = pass(jobListText({{"wait", "C:\\in.avi", "C:\\out.avi", "0", "0 0", "0 0"}}));
    EXPECT_EQ(p.target.logLines(),
              (Lines{"Number of jobs: 1", "Job name: wait", "Input: C:\\in.avi", "Output: C:\\out.avi", "State: 0",
                     "Start_time: 01.01.1601", "End_time: 01.01.1601", "00:00:00.000",
                     "Sum of jobs duration is 0."}));
    EXPECT_EQ(test::gridRows(p.target)[1], (Row{"wait", "in.avi", "out.avi", "", "", "Waiting", "", "file.jobs"}));

    Pass plain = pass(jobListText({{"wait", "i", "o", "0", "0 0", "0 0"}}), false);
    EXPECT_EQ(plain.target.logLines()[7], "0");
}

TEST_F(JobFilePass, ADayOrMoreKeepsItsDays)
{
    Pass p = pass(jobListText({{"day", "i", "o1", "2", k10h00, kNextDay10h00}}));
    EXPECT_EQ(p.target.logLines()[7], "24:00:00.000");
    EXPECT_EQ(test::gridRows(p.target)[1][ColDur], "24:00:00.000");
    EXPECT_EQ(test::gridRows(p.target)[1][ColStart], "15.03.2008 10:00:00");
    EXPECT_EQ(p.target.logLines()[9], "24:00:00.000");

    Pass plain = pass(jobListText({{"day", "i", "o1", "2", k10h00, kNextDay10h00}}), false);
    EXPECT_EQ(plain.target.logLines()[7], "86400");
    EXPECT_EQ(plain.target.logLines()[9], "86400");
}

TEST_F(JobFilePass, TotalsAreSumsOfTheDurationsShown)
{
    // One hour, and a job whose end lies 30 minutes before its start.
    const auto jobs = std::vector<JobLines>{{"a", "i", "same", "2", k10h00, k11h00},
                                            {"b", "i", "same", "2", k10h00, k09h30}};
    Pass formatted = pass(jobListText(jobs));
    Lines log = formatted.target.logLines();
    EXPECT_EQ(log[7], "01:00:00.000");
    EXPECT_EQ(log[14], "00:30:00.000");
    EXPECT_EQ(log[16], "01:30:00.000");
    EXPECT_EQ(test::gridRows(formatted.target)[2][ColStart], "15.03.2008 10:00:00");  // negative still filled
    EXPECT_EQ(test::gridRows(formatted.target)[3][ColDur], "01:30:00.000");

    Pass plain = pass(jobListText(jobs), false);
    EXPECT_EQ(plain.target.logLines()[16], "5400");
    EXPECT_EQ(test::gridRows(plain.target)[3][ColDur], "5400");

    // Three 9-hour jobs.
    Pass nine = pass(jobListText({{"a", "i", "o1", "2", k10h00, k19h00},
                                  {"b", "i", "o2", "2", k10h00, k19h00},
                                  {"c", "i", "o3", "2", k10h00, k19h00}}));
    EXPECT_EQ(nine.target.logLines()[23], "27:00:00.000");
    Pass ninePlain = pass(jobListText({{"a", "i", "o1", "2", k10h00, k19h00},
                                       {"b", "i", "o2", "2", k10h00, k19h00},
                                       {"c", "i", "o3", "2", k10h00, k19h00}}),
                          false);
    EXPECT_EQ(ninePlain.target.logLines()[23], "97200");

    // Two 13-hour jobs with the same output.
    Pass pair = pass(jobListText({{"a", "i", "o", "2", k10h00, k23h00}, {"b", "i", "o", "2", k23h00, kNextDay12h00}}));
    EXPECT_EQ(test::gridRows(pair.target)[3][ColName], "2pass");
    EXPECT_EQ(test::gridRows(pair.target)[3][ColDur], "26:00:00.000");
}

TEST_F(JobFilePass, TwoPassRowsCompareOutputsExactly)
{
    Pass three = pass(jobListText({{"a", "x\\a", "D:\\o.avi", "2", k10h00, k11h00},
                                   {"b", "x\\b", "D:\\o.avi", "2", k10h00, k11h00},
                                   {"c", "x\\c", "D:\\o.avi", "2", k10h00, k11h00}}));
    ASSERT_EQ(three.target.rowCount(), 7);
    EXPECT_EQ(test::gridRows(three.target)[3], (Row{"2pass", "b", "o.avi", "", "", "", "02:00:00.000", "file.jobs"}));
    EXPECT_EQ(test::gridRows(three.target)[5], (Row{"2pass", "c", "o.avi", "", "", "", "02:00:00.000", "file.jobs"}));

    Pass caseDiffers = pass(jobListText({{"a", "i", "D:\\O.avi", "2", k10h00, k11h00},
                                         {"b", "i", "D:\\o.avi", "2", k10h00, k11h00}}));
    EXPECT_EQ(caseDiffers.target.rowCount(), 4);

    Pass bothEmpty = pass(jobListText({{"a", "i", "", "2", "0 0", "0 0"}, {"b", "i", "", "2", "0 0", "0 0"}}));
    ASSERT_EQ(bothEmpty.target.rowCount(), 5);
    EXPECT_EQ(test::gridRows(bothEmpty.target)[3], (Row{"2pass", "i", "", "", "", "", "", "file.jobs"}));
}

TEST_F(JobFilePass, EndTimeOnTheLastLineIsRead)
{
    Pass p = pass("// $numjobs 1\n//\n// $job \"j\"\n// $input \"i\"\n// $output \"o\"\n// $state 2\n"
                  "// $start_time 01C88683 54B45000\n// $end_time 01C8868B B678B800");
    EXPECT_EQ(p.target.logLines().back(), "");
    EXPECT_EQ(test::gridRows(p.target)[1][ColDur], "01:00:00.000");
}

TEST_F(JobFilePass, RowsOfSuccessivePassesFollowOneAnother)
{
    Pass p;
    runPass(p, write("a.jobs", jobListText({{"a", "i", "o", "2", k10h00, k11h00}}, "2")), true, settingsB());
    runPass(p, write("b.jobs", jobListText({{"b", "i", "o", "2", k10h00, k11h00}})), true, settingsB());
    ASSERT_EQ(p.target.rowCount(), 4);
    EXPECT_EQ(test::gridRows(p.target)[1][ColJobfile], "a.jobs");
    EXPECT_EQ(test::gridRows(p.target)[2][ColJobfile], "b.jobs");
    EXPECT_EQ(test::gridRows(p.target)[2][ColName], "b");  // never paired across files
}

} // namespace
} // namespace chronell

namespace chronell {
namespace {

// Damaged copies of the example file: every pass ends in one of its ways,
// and a pass that returns leaves the grid at the row counter plus two rows.
TEST_F(JobFilePass, DamagedFilesEndOrderly)
{
    std::mt19937 random(12345);
    using namespace std::string_literals;
    const std::string damage = "\r\n\0\"$ /0123456789abcdefxX-"s;
    for (int round = 0; round < 300; ++round) {
        std::string bytes = kExampleFile;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 3) {
            case 0: bytes[at] = damage[random() % damage.size()]; break;
            case 1: bytes.erase(at, 1 + random() % 40); break;
            default: bytes.insert(at, 1, damage[random() % damage.size()]); break;
            }
        }
        Pass p;
        const std::string path = write("damaged.jobs", bytes);
        try {
            runPass(p, path, round % 2 == 0, settingsB());
        } catch (const ChronellError&) {
            continue;  // a count, state or time stamp that does not convert
        }
        EXPECT_EQ(p.target.rowCount(), p.rowCounter + 2) << "round " << round;
        const std::string last = p.target.logLines().back();
        EXPECT_TRUE(last.empty() || last == "Sum of jobs duration is 0." || last == "Enexpected end of file." ||
                    last == "Can't determine number of jobs." || last == "Can't open file, or file is empty.")
            << "round " << round << ": " << last;
    }
}

} // namespace
} // namespace chronell

namespace chronell {
namespace {

using test::ScopedTimeZone;

constexpr const char* kUnset = "00000000 00000000";

// A job whose start or end is unset has no duration: the zero text in the
// log, empty Start, End and Dur cells, nothing in the file's sum or a pair.
TEST_F(JobFilePass, UnsetStampGivesNoDuration)
{
    const struct {
        const char* what;
        std::string state, start, end;
    } cases[] = {
        {"waiting", "0", kUnset, kUnset},
        {"running", "1", k10h00, kUnset},
        {"aborting", "6", k10h00, kUnset},
        {"older writer's unset end", "1", k10h00, "0 0"},
        {"end without start", "2", kUnset, k11h00},
    };
    for (const auto& c : cases) {
        const Pass p = pass(jobListText({{"Busy", "in.avi", "out.avi", c.state, c.start, c.end},
                                         {"Done", "x.avi", "y.avi", "2", k10h00, k11h00}}));
        const Lines log = p.target.logLines();
        ASSERT_GE(log.size(), 9u) << c.what;
        EXPECT_EQ(log[7], "00:00:00.000") << c.what;
        EXPECT_EQ(log[log.size() - 2], "01:00:00.000") << c.what << ": only the finished job counts";
        const Row row = test::gridRows(p.target)[1];
        EXPECT_EQ(row[ColStart] + row[ColEnd] + row[ColDur], "") << c.what;
        const JobRecord* record = p.target.records().ofRow(1);
        ASSERT_NE(record, nullptr);
        EXPECT_FALSE(record->durationMs) << c.what;
    }
}

TEST_F(JobFilePass, PairWithARunningJobCountsTheFinishedOneOnly)
{
    const Pass p = pass(jobListText({{"Pass 1", "in.avi", "out.avi", "2", k10h00, k11h00},
                                     {"Pass 2", "in.avi", "out.avi", "1", k11h00, kUnset}}));
    EXPECT_EQ(test::gridRows(p.target)[3][ColDur], "01:00:00.000");
    const JobRecord* pair = p.target.records().ofRow(3);
    ASSERT_NE(pair, nullptr);
    EXPECT_TRUE(pair->twoPass);
    EXPECT_EQ(pair->durationMs, 3'600'000u);
    EXPECT_FALSE(pair->endUtc);
}

// Stamps of a file with a signature line are UTC and shown in local time;
// durations come from the stamps as written.
TEST_F(JobFilePass, SignedFileShowsItsUtcStampsInLocalTime)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not set the Windows time zone";
    const struct {
        const char* zone;
        bool signature;
        const char* start;  // 2023-03-26 00:30 UTC, or as given
        const char* end;
        const char* shownStart;
        const char* shownEnd;
        const char* duration;
    } cases[] = {
        {"UTC", true, "01d95f7a 19583400", "01d95f8a dce10400", "26.03.2023 00:30:00", "26.03.2023 02:30:00", "02:00:00.000"},
        // Summer time begins at 01:00 UTC: the clock jumps, the duration does not.
        {"Europe/Berlin", true, "01d95f7a 19583400", "01d95f8a dce10400", "26.03.2023 01:30:00", "26.03.2023 04:30:00", "02:00:00.000"},
        {"Europe/Berlin", false, "01d95f7a 19583400", "01d95f8a dce10400", "26.03.2023 00:30:00", "26.03.2023 02:30:00", "02:00:00.000"},
        // Summer time ends at 01:00 UTC: one hour apart, the same clock time.
        {"Europe/Berlin", true, "01da09ff 0cfbf400", "01da0a07 6ec05c00", "29.10.2023 02:30:00", "29.10.2023 02:30:00", "01:00:00.000"},
        // 2023-03-12 06:15 and 08:15 UTC, across New York's change at 07:00 UTC.
        {"America/New_York", true, "01d954a9 f9b90a00", "01d954ba bd41da00", "12.03.2023 01:15:00", "12.03.2023 04:15:00", "02:00:00.000"},
    };
    for (const auto& c : cases) {
        const ScopedTimeZone zone(c.zone);
        std::string text = jobListText({{"Clip", "in.avi", "out.avi", "2", c.start, c.end}});
        if (c.signature) text.insert(text.find("// $numjobs"), "// $signature 0 1\r\n");
        const Pass p = pass(text);
        const Lines log = p.target.logLines();
        ASSERT_GE(log.size(), 8u) << c.zone;
        EXPECT_EQ(log[5], std::string("Start_time: ") + c.shownStart) << c.zone << " " << c.signature;
        EXPECT_EQ(log[6], std::string("End_time: ") + c.shownEnd) << c.zone << " " << c.signature;
        EXPECT_EQ(log[7], c.duration) << c.zone << " " << c.signature;
        EXPECT_EQ(test::gridRows(p.target)[1][ColStart], c.shownStart) << c.zone;
    }
}

TEST_F(JobFilePass, SignatureAfterTheCountLineIsNotTheFilesSignature)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not set the Windows time zone";
    const ScopedTimeZone zone("Europe/Berlin");
    std::string text = jobListText({{"Clip", "in.avi", "out.avi", "2", "01d95f7a 19583400", "01d95f8a dce10400"}});
    text.insert(text.find("// $job"), "// $signature 0 1\r\n");
    EXPECT_EQ(pass(text).target.logLines()[5], "Start_time: 26.03.2023 00:30:00");
}

TEST_F(JobFilePass, RecordsCarryTheValuesAndTheOptionalLines)
{
    const ScopedTimeZone zone("UTC");
    Pass p;
    runPass(p, std::string(CHRONELL_FIXTURES_DIR) + "/runners/queue.jobs", true, settingsB());
    const auto& records = p.target.records().all();
    ASSERT_EQ(records.size(), 5u);  // four jobs and one pair

    const JobRecord& first = records[0];
    EXPECT_EQ(first.row, 1);
    EXPECT_EQ(first.name, "Holiday pass 1");
    EXPECT_EQ(first.input, "E:\\capture\\holiday.avi");
    EXPECT_EQ(first.state, 2);
    EXPECT_EQ(first.runnerName, "STUDIO-PC");
    EXPECT_EQ(first.runnerId, "8a7b6c5d00001f40");
    EXPECT_EQ(first.id, "4f3a2b1c00000001");
    EXPECT_FALSE(first.error);
    EXPECT_EQ(first.durationMs, 5'415'500u);
    EXPECT_EQ(first.startUtc->time_since_epoch().count(), 1'688'241'600'000);  // 2023-07-01 20:00 UTC
    EXPECT_EQ(first.jobFile, "queue.jobs");

    EXPECT_EQ(records[1].error, "Disk \"E:\\\" full!");
    EXPECT_TRUE(records[2].twoPass);
    EXPECT_EQ(records[2].durationMs, 5'415'500u + 1'860'000u);
    EXPECT_EQ(records[2].startUtc, first.startUtc);
    EXPECT_EQ(records[3].runnerName, "ATTIC \"2\"");
    EXPECT_TRUE(records[3].startUtc);
    EXPECT_FALSE(records[3].endUtc);
    EXPECT_FALSE(records[4].startShown);
    EXPECT_FALSE(records[4].runnerName);
}

TEST_F(JobFilePass, RecordsOfRowsTakenBackAreDropped)
{
    // The second job's file ends early: its reserved row and record go.
    std::string text = jobListText({{"One", "a.avi", "a.avi", "2", k10h00, k11h00}}, "2");
    text += "// $job \"Two\"\r\n";
    const Pass p = pass(text);
    EXPECT_EQ(p.target.records().all().size(), 1u);
}

} // namespace
} // namespace chronell
