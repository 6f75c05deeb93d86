// chronell-report --wait run as a program over a folder that the test
// rewrites while it waits.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/process_table.h"
#include "support/host.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using test::TempFolder;

// A queue file as a newer VirtualDub writes it, one job in `state`.
std::string queueText(int state, const std::string& runnerName = "STUDIO", const std::string& runnerId = "1b2c3d4e00000a10")
{
    const bool ended = state == 2 || state == 5;
    std::string text = "// VirtualDub job list (Sylia script format)\r\n"
                       "// $signature 0 0\r\n"
                       "// $numjobs 1\r\n"
                       "//\r\n"
                       "\r\n"
                       "// $job \"Tape 1\"\r\n"
                       "// $input \"F:\\tape\\one.avi\"\r\n"
                       "// $output \"F:\\out\\one.avi\"\r\n"
                       "// $state "
                     + std::to_string(state) + "\r\n";
    if (state != 0) text += "// $runner_id " + runnerId + "\r\n// $runner_name \"" + runnerName + "\"\r\n";
    text += state == 0 ? "// $start_time 00000000 00000000\r\n" : "// $start_time 01d9acaa 6f8bf000\r\n";
    text += ended ? "// $end_time 01d9acb1 4d0ec000\r\n" : "// $end_time 00000000 00000000\r\n";
    if (state == 5) text += "// $error \"Disk full\"\r\n";
    text += "// $script\r\n\r\nVirtualDub.Close();\r\n\r\n// $endjob\r\n//\r\n//--------------------------------------------------\r\n// $done\r\n";
    return text;
}

test::ProgramResult runReport(const TempFolder& folder, const std::vector<std::string>& arguments)
{
    return test::runProgram(std::string(CHRONELL_BIN_DIR) + "/chronell-report" + CHRONELL_EXE_SUFFIX, arguments,
                            folder.string(), {{"LC_ALL", "C"}, {"TZ", "UTC"}});
}

// The report waits on a running job while the test rewrites its file as
// the job ends. Whether the rewrite comes before or after the report's
// first reading, the outcome is the same; the pause makes it likely that
// the report is already waiting.
TEST(ReportWait, EndsWhenTheRunningJobEnds)
{
    const struct {
        int endState;
        int status;
    } cases[] = {{2, 0}, {5, 4}};
    for (const auto& c : cases) {
        const TempFolder folder;
        folder.write("queue.jobs", queueText(1));
        auto waiting = std::async(std::launch::async, [&folder] { return runReport(folder, {"--wait=60", "--summary", "."}); });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        folder.write("queue.jobs", queueText(c.endState));
        const test::ProgramResult result = waiting.get();
        EXPECT_EQ(result.status, c.status) << c.endState;
        EXPECT_NE(result.out.find(c.endState == 2 ? "    Done" : "    Error"), std::string::npos) << result.out;
        EXPECT_EQ(result.err, "") << c.endState;
    }
}

TEST(ReportWait, GivesUpAfterTheTimeGiven)
{
    const TempFolder folder;
    folder.write("queue.jobs", queueText(0));
    const test::ProgramResult result = runReport(folder, {"--wait=1", "."});
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.out, "");
}

// A job in progress whose runner is this computer and whose process does
// not run will never end: the report does not wait for it, and counts it failed.
TEST(ReportWait, AJobLeftBehindIsNotWaitedFor)
{
    const TempFolder folder;
    folder.write("queue.jobs", queueText(1, SystemProcessTable().computerName(), "1b2c3d4efffffffc"));
    const test::ProgramResult result = runReport(folder, {"--wait", "--rows=json", "."});
    EXPECT_EQ(result.status, 4);
    EXPECT_NE(result.out.find("\"left_behind\": true"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("running_ms"), std::string::npos) << result.out;
}

TEST(ReportWait, AFolderThatCannotBeSearchedIsAnError)
{
    const TempFolder folder;
    const test::ProgramResult result = runReport(folder, {"--wait", "missing"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind("chronell-report: cannot search 'missing': ", 0), 0u) << result.err;
}

} // namespace
} // namespace chronell
