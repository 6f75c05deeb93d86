// The status bar's text for each way a run can end.
#include <gtest/gtest.h>

#include "ui/window/run_status.h"

namespace {

using chronell::RunFacts;

RunFacts found(int jobs, int pairs, std::size_t files, std::uint64_t totalMs)
{
    RunFacts facts;
    facts.folder = "/srv/jobs";
    facts.mask = "*.jobs";
    facts.jobs = jobs;
    facts.pairs = pairs;
    facts.filesFound = files;
    facts.filesDone = files;
    facts.totalMs = totalMs;
    return facts;
}

TEST(RunStatus, SaysWhatARunFoundOrWhyItFoundNothing)
{
    RunFacts filtered = found(22, 1, 3, 20530000);
    filtered.shownJobs = 4;
    RunFacts missing = found(0, 0, 0, 0);
    missing.searchError = std::make_error_code(std::errc::no_such_file_or_directory);
    RunFacts blankFolder = found(0, 0, 0, 0);
    blankFolder.folder = "/srv/jobs ";
    RunFacts blankMask = found(0, 0, 0, 0);
    blankMask.mask = " *.jobs";
    RunFacts stopped = found(3, 0, 5, 1000);
    stopped.filesDone = 2;
    stopped.stoppedBy = QStringLiteral("'x1' is not a valid integer value.");
    RunFacts stoppedAtJob = stopped;
    stoppedAtJob.stoppedIn = "evening.jobs";
    stoppedAtJob.stoppedAtJob = 4;
    RunFacts stoppedAtCount = stoppedAtJob;
    stoppedAtCount.stoppedAtJob = 0;
    RunFacts unread = found(5, 0, 3, 60000);
    unread.unreadFiles = {"locked.jobs"};
    RunFacts manyUnread = found(0, 0, 5, 0);
    manyUnread.unreadFiles = {"a.jobs", "b.jobs", "c.jobs", "d\xE9.jobs", "e.jobs"};
    RunFacts stoppedAfterUnread = stoppedAtJob;
    stoppedAfterUnread.unreadFiles = {"locked.jobs"};
    RunFacts notUtf8 = found(0, 0, 0, 0);
    notUtf8.folder = "/srv/vid\xE9os";

    const struct {
        const char* what;
        RunFacts facts;
        const char* text;
    } cases[] = {
        {"jobs, a pair, files", found(22, 1, 3, 20530000), "22 jobs, 1 pair in 3 files - 05:42:10"},
        {"one of each", found(1, 0, 1, 999), "1 job in 1 file - 00:00:00"},
        {"pairs", found(4, 2, 1, 3600000), "4 jobs, 2 pairs in 1 file - 01:00:00"},
        {"a file without jobs", found(0, 0, 1, 0), "0 jobs in 1 file - 00:00:00"},
        {"beyond a day", found(2, 0, 2, 444600000), "2 jobs in 2 files - 123:30:00"},
        {"a filter", filtered, "4 of 22 jobs, 1 pair in 3 files - 05:42:10"},
        {"no folder", missing, "Cannot search '/srv/jobs': No such file or directory"},
        {"no match", found(0, 0, 0, 0), "No file matches '*.jobs' in '/srv/jobs'"},
        {"trailing blank", blankFolder, "No file matches '*.jobs' in '/srv/jobs ' (the folder starts or ends with a space)"},
        {"leading blank", blankMask, "No file matches ' *.jobs' in '/srv/jobs' (the mask starts or ends with a space)"},
        {"stopped", stopped, "Stopped in file 3: 'x1' is not a valid integer value."},
        {"stopped at a job", stoppedAtJob, "Stopped in evening.jobs, job 4: 'x1' is not a valid integer value."},
        {"stopped at the count", stoppedAtCount, "Stopped in evening.jobs: 'x1' is not a valid integer value."},
        {"an unread file", unread, "5 jobs in 3 files - 00:01:00; cannot read locked.jobs"},
        {"many unread files", manyUnread, "0 jobs in 5 files - 00:00:00; cannot read a.jobs, b.jobs, c.jobs and 2 more"},
        {"stopped after an unread file", stoppedAfterUnread,
         "Stopped in evening.jobs, job 4: 'x1' is not a valid integer value. (cannot read locked.jobs)"},
        {"folder bytes", notUtf8, "No file matches '*.jobs' in '/srv/vid\u00e9os'"},
    };
    for (const auto& c : cases) EXPECT_EQ(chronell::runStatusText(c.facts), QString::fromUtf8(c.text)) << c.what;
}

// The sink follows the files and jobs of a run as its events come.
TEST(RunStatus, EventsTellWhereARunStoppedAndWhatWasNotRead)
{
    RunFacts facts;
    chronell::RunFactsSink sink(facts);
    chronell::JobRecord record;
    const chronell::JobEvent event{record, chronell::JobRead::Whole};
    sink.fileBegun("first.jobs");
    sink.job(event);
    const auto ended = [](chronell::FileEnd how, std::error_code unread) {
        chronell::FileEndEvent event;
        event.how = how;
        event.unread = unread;
        return event;
    };
    sink.fileEnded(ended(chronell::FileEnd::Done, {}));
    sink.fileBegun("locked.jobs");
    sink.fileEnded(ended(chronell::FileEnd::CannotOpen, std::make_error_code(std::errc::permission_denied)));
    sink.fileBegun("empty.jobs");  // opened, found empty: read, not unread
    sink.fileEnded(ended(chronell::FileEnd::CannotOpen, {}));
    EXPECT_TRUE(facts.stoppedIn.empty()) << "every file ended";
    sink.fileBegun("broken.jobs");
    for (int i = 0; i < 3; ++i) sink.job(event);
    EXPECT_EQ(facts.stoppedIn, "broken.jobs");
    EXPECT_EQ(facts.stoppedAtJob, 3);
    EXPECT_EQ(facts.unreadFiles, std::vector<std::string>{"locked.jobs"});
}

} // namespace
