#include "analysis/processing_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/chronell_error.h"
#include "analysis/regional_settings.h"
#include "platform/paths.h"
#include "support/grid_rows.h"
#include "support/host.h"
#include "support/printed_run.h"
#include "support/job_list_text.h"
#include "support/sample_settings.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using test::jobListText;
using test::settingsB;
using test::TempFolder;
using Row = test::PrintedRun::Row;
using Lines = std::vector<std::string>;

constexpr const char* k10h00 = "01C88683 54B45000";
constexpr const char* k11h00 = "01C8868B B678B800";


std::string jobsFile(int jobs, const std::string& prefix)
{
    std::vector<test::JobLines> lines;
    for (int i = 0; i < jobs; ++i)
        lines.push_back({prefix + std::to_string(i), "C:\\in.avi", "C:\\" + prefix + std::to_string(i) + ".avi",
                         "2", k10h00, k11h00});
    return jobListText(lines);
}

TEST(JoinFolder, AddsTheSeparatorOnlyWhenMissing)
{
    struct Case {
        const char* folder;
        const char* mask;
        const char* searchPath;
    };
    // '/' stands for the host's separator.
    std::vector<Case> cases{{"/jobs", "*.jobs", "/jobs/*.jobs"},
                            {"/jobs/", "*.jobs", "/jobs/*.jobs"},
                            {"", "*.jobs", "/*.jobs"},
                            {"/jobs", "", "/jobs/"},
                            {"/", "a", "/a"}};
    if (kWindowsHost) cases.push_back({"C:", "*.jobs", "C:/*.jobs"});  // a drive alone gets one too
    const auto host = [](std::string path) {
        std::replace(path.begin(), path.end(), '/', kPathSeparator);
        return path;
    };
    for (const auto& c : cases) EXPECT_EQ(joinFolder(host(c.folder), c.mask), host(c.searchPath)) << c.folder;
}

class ProcessingRun : public ::testing::Test {
protected:
    void run()
    {
        inputs.folder = folder.string();
        test::printRun(target, inputs, settingsB());
    }
    TempFolder folder;
    test::PrintedRun target;
    RunInputs inputs;
};

TEST_F(ProcessingRun, LogTextOfTheExampleFileByteForByte)
{
    folder.write("clip.jobs",
                 "// job list\r\n// $numjobs 2\r\n//\r\n// $job \"Clip one\"\r\n// $input \"D:\\video\\clip1.avi\"\r\n"
                 "// $output \"D:\\out\\clip.avi\"\r\n// $state 2\r\n// $start_time 01c8b2a6 22e7f000\r\n"
                 "// $end_time 01c8b2ac 12f934a0\r\n// (further lines of the first job)\r\n// $job \"Clip two\"\r\n"
                 "// $input \"D:\\video\\clip2.avi\"\r\n// $output \"D:\\out\\clip.avi\"\r\n// $state 2\r\n"
                 "// $start_time 01c8b2ac 6c3b3e00\r\n// $end_time 01c8b2b2 e28eeec0\r\n"
                 "// (further lines of the second job)\r\n");
    inputs.formattedTime = true;
    run();
    EXPECT_EQ(target.logText(),
              "clip.jobs\n----------------\nNumber of jobs: 2\nJob name: Clip one\nInput: D:\\video\\clip1.avi\n"
              "Output: D:\\out\\clip.avi\nState: 2\nStart_time: 10.05.2008 14:00:00\n"
              "End_time: 10.05.2008 14:42:30\n00:42:30.250\nJob name: Clip two\nInput: D:\\video\\clip2.avi\n"
              "Output: D:\\out\\clip.avi\nState: 2\nStart_time: 10.05.2008 14:45:00\n"
              "End_time: 10.05.2008 15:31:15\n00:46:15.500\n================\n01:28:45.750\n\n");
    EXPECT_EQ(target.rowCount(), 4);  // spare row removed
}

TEST_F(ProcessingRun, RowsOfAllFilesInNameOrderAndTheSpareRowRemoved)
{
    folder.write("b.jobs", jobsFile(3, "b"));
    folder.write("A.jobs", jobsFile(2, "a"));
    folder.write("notes.txt", "not a job list");
    run();
    ASSERT_EQ(target.rowCount(), 6);
    EXPECT_EQ(test::gridRows(target)[1][ColName], "a0");
    EXPECT_EQ(test::gridRows(target)[3][ColName], "b0");
    EXPECT_EQ(test::gridRows(target)[5][ColName], "b2");
    const Lines log = target.logLines();
    EXPECT_EQ(log[0], "A.jobs");
    EXPECT_EQ(log[1], "----------------");
}

TEST_F(ProcessingRun, NoEntryLeavesHeaderAndOneEmptyRow)
{
    folder.write("a.jobs", jobsFile(2, "a"));
    run();
    ASSERT_EQ(target.rowCount(), 3);

    const std::size_t logged = target.logLines().size();
    inputs.mask = "*.none";
    run();
    EXPECT_EQ(target.rowCount(), 2);
    EXPECT_EQ(test::gridRows(target)[1], Row{});  // the first run's row is cleared
    EXPECT_TRUE(target.records().all().empty());
    EXPECT_EQ(target.logLines().size(), logged);  // a run that finds nothing logs nothing
}

TEST_F(ProcessingRun, EmptyMaskAndMissingFolderFindNothing)
{
    folder.write("a.jobs", jobsFile(1, "a"));
    inputs.mask = "";
    run();
    EXPECT_EQ(target.rowCount(), 2);
    EXPECT_TRUE(target.logText().empty());

    inputs.mask = "*.jobs";
    inputs.folder = folder.string() + "/missing";
    test::printRun(target, inputs, settingsB());
    EXPECT_EQ(target.rowCount(), 2);
}

TEST_F(ProcessingRun, SecondRunLogsAfterTheFirst)
{
    folder.write("a.jobs", jobsFile(1, "a"));
    run();
    const std::size_t firstRun = target.logLines().size();
    run();
    const Lines log = target.logLines();
    ASSERT_EQ(log.size(), 2 * firstRun);
    EXPECT_EQ(log[firstRun], "a.jobs");
}

TEST_F(ProcessingRun, EveryMatchingEntryIsHandedToThePass)
{
    folder.write("a.jobs", jobsFile(1, "a"));
    std::filesystem::create_directory(folder.path() / "old.jobs");
    folder.write(".hidden.jobs", jobsFile(1, "h"));
    if (!kWindowsHost) test::makeFifo(folder.file("pipe.jobs"));  // Windows folders hold no FIFOs
    inputs.mask = "*";
    run();
    const Lines log = target.logLines();
    const auto at = [&](const std::string& name) {
        for (std::size_t i = 0; i + 2 < log.size(); ++i)
            if (log[i] == name) return log[i + 2];
        return std::string("(absent)");
    };
    EXPECT_EQ(at("."), "Can't open file, or file is empty.");
    EXPECT_EQ(at(".."), "Can't open file, or file is empty.");
    EXPECT_EQ(at("old.jobs"), "Can't open file, or file is empty.");
    if (!kWindowsHost) {
        EXPECT_EQ(at("pipe.jobs"), "Can't open file, or file is empty.");
    }
    EXPECT_EQ(at(".hidden.jobs"), "Number of jobs: 1");
    EXPECT_EQ(target.rowCount(), 3);
}

TEST_F(ProcessingRun, MaskWithAFolderPartReadsTheFileFound)
{
    folder.write("sub/inner.jobs", jobsFile(1, "inner"));
    // A backslash is an ordinary character of a Linux name.
    for (const char* mask : kWindowsHost ? std::vector<const char*>{"sub/*.jobs", "sub\\*.jobs"}
                                               : std::vector<const char*>{"sub/*.jobs"}) {
        target = test::PrintedRun{};
        inputs.mask = mask;
        run();
        const Lines log = target.logLines();
        ASSERT_GE(log.size(), 3u) << mask;
        EXPECT_EQ(log[0], "inner.jobs") << mask;
        EXPECT_EQ(log[2], "Number of jobs: 1") << mask;
        EXPECT_EQ(test::gridRows(target)[1][ColName], "inner0") << mask;
    }
}

TEST_F(ProcessingRun, SearchedFolderIsTheFolderJoinedWithTheMasksFolderPart)
{
    const std::string sep(1, kPathSeparator);
    const struct {
        std::string folder;
        std::string mask;
        std::string searched;
    } cases[] = {
        {folder.string(), "*.jobs", folder.string()},
        {folder.string() + sep, "*.jobs", folder.string()},
        {folder.string(), "nosuchdir" + sep + "*.jobs", folder.string() + sep + "nosuchdir"},
    };
    for (const auto& c : cases) {
        inputs.folder = c.folder;
        inputs.mask = c.mask;
        const RunOutcome outcome = test::printRun(target, inputs, settingsB());
        EXPECT_EQ(outcome.searchedFolder, c.searched) << c.mask;
    }
}

TEST(FileAsFolder, AFileNamedAsTheFolderGivesItsFolderAndItsNameAsTheMask)
{
    const TempFolder folder;
    const std::string file = folder.write("queue.jobs", "");
    const struct {
        std::string folder;
        std::string expectedFolder;
        std::string expectedMask;
    } cases[] = {
        {file, folder.string(), "queue.jobs"},
        {folder.string(), folder.string(), "*.jobs"},  // a folder stays as it is
        {folder.file("missing.jobs"), folder.file("missing.jobs"), "*.jobs"},
    };
    for (const auto& c : cases) {
        std::string folderText = c.folder;
        std::string mask = "*.jobs";
        takeFileAsFolderAndMask(folderText, mask);
        EXPECT_EQ(folderText, c.expectedFolder) << c.folder;
        EXPECT_EQ(mask, c.expectedMask) << c.folder;
    }
}

TEST_F(ProcessingRun, FilesWithoutRowsLeaveTwoRows)
{
    folder.write("a.jobs", "// no count\n");
    folder.write("b.jobs", "");
    run();
    EXPECT_EQ(target.rowCount(), 2);
    EXPECT_EQ(target.logLines(), (Lines{"a.jobs", "----------------", "Can't determine number of jobs.", "b.jobs",
                                        "----------------", "Can't open file, or file is empty."}));
}

TEST_F(ProcessingRun, ErrorInTheSecondOfThreeFilesEndsTheRun)
{
    folder.write("1.jobs", jobsFile(1, "one"));
    folder.write("2.jobs", jobListText({{"two-a", "i", "o1", "2", k10h00, k11h00}, {"two-b", "i", "o2", "x", k10h00, k11h00}}));
    folder.write("3.jobs", jobsFile(1, "three"));
    inputs.folder = folder.string();
    try {
        test::printRun(target, inputs, settingsB());
        FAIL() << "no failure";
    } catch (const ChronellError& error) {
        EXPECT_STREQ(error.what(), "'x' is not a valid integer value");
    }
    const Lines log = target.logLines();
    EXPECT_EQ(log.back(), "Output: o2");
    EXPECT_EQ(std::count(log.begin(), log.end(), "3.jobs"), 0);
    // header, file 1's row, file 2's two reserved rows (first filled), spare row
    ASSERT_EQ(target.rowCount(), 5);
    EXPECT_EQ(test::gridRows(target)[1][ColName], "one0");
    EXPECT_EQ(test::gridRows(target)[2][ColName], "two-a");
    EXPECT_EQ(test::gridRows(target)[3], Row{});
    EXPECT_EQ(test::gridRows(target)[4], Row{});
}

} // namespace
} // namespace chronell
