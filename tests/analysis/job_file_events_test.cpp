// The events of the pass over one file, as values, before any printer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/job_file_pass.h"
#include "analysis/processing_run.h"
#include "analysis/run_events.h"
#include "platform/chronell_error.h"
#include "support/job_list_text.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"

namespace chronell {
namespace {

using test::jobListText;
using test::JobLines;

constexpr const char* k10h00 = "01C88683 54B45000";  // 15 March 2008 10:00:00
constexpr const char* k11h00 = "01C8868B B678B800";
constexpr const char* kUnset = "00000000 00000000";

// Every event as a line of its values.
class EventLog : public RunSink {
public:
    std::vector<std::string> lines;

    void jobsCounted(std::int32_t count, int reservedRows) override
    {
        lines.push_back("count " + std::to_string(count) + " reserving " + std::to_string(reservedRows));
    }
    void job(const JobEvent& event) override
    {
        static const char* const reads[] = {"name", "input", "output", "state", "start", "whole"};
        const JobRecord& r = event.record;
        std::string line = std::string("job ") + reads[static_cast<int>(event.read)] + " " + r.name;
        if (event.read == JobRead::Whole) line += " row " + std::to_string(r.row) + values(r);
        lines.push_back(line);
    }
    void pair(const JobRecord& r) override
    {
        lines.push_back("pair row " + std::to_string(r.row) + " " + r.output + values(r));
    }
    void fileEnded(const FileEndEvent& event) override
    {
        static const char* const hows[] = {"done", "cannot open", "no count", "unexpected end"};
        lines.push_back(std::string("end ") + hows[static_cast<int>(event.how)] + " whole " +
                        std::to_string(event.wholeJobs) + " ms " + std::to_string(event.totalMilliseconds));
    }

private:
    static std::string values(const JobRecord& r)
    {
        std::string text = r.state ? " state " + std::to_string(*r.state) : std::string(" no state");
        text += r.durationMs ? " ms " + std::to_string(*r.durationMs) : std::string(" no ms");
        text += r.startUtc ? " start" : " no start";
        text += r.endUtc ? " end" : " no end";
        if (r.runnerName) text += " runner " + *r.runnerName;
        return text + " in " + r.jobFile;
    }
};

struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> events;
    bool throws = false;
};

TEST(JobFileEvents, EachWayAFileGoes)
{
    const test::ScopedTimeZone zone("UTC");
    std::string signed_ = jobListText({{"S", "i", "o", "2", "01d95f7a 19583400", "01d95f8a dce10400"}});
    signed_.insert(signed_.find("// $numjobs"), "// $signature 0 1\r\n");
    std::string cut = jobListText({{"A", "i", "a", "2", k10h00, k11h00}}, "2") + "// $job \"B\"\r\n// $input \"x\"\r\n";
    std::string withRunner = jobListText({{"R", "i", "o", "2", k10h00, k11h00}});
    withRunner.insert(withRunner.find("// $start_time"), "// $runner_name \"PC\"\r\n");

    const Case cases[] = {
        {"done, with a pair", jobListText({{"A", "i", "o", "2", k10h00, k11h00}, {"B", "i", "o", "2", k10h00, k11h00}}),
         {"count 2 reserving 2", "job whole A row 1 state 2 ms 3600000 start end in f.jobs",
          "job whole B row 2 state 2 ms 3600000 start end in f.jobs",
          "pair row 3 o no state ms 7200000 start end in f.jobs", "end done whole 2 ms 7200000"}},
        {"running", jobListText({{"A", "i", "o", "1", k10h00, kUnset}}),
         {"count 1 reserving 1", "job whole A row 1 state 1 no ms start no end in f.jobs", "end done whole 1 ms 0"}},
        {"unset stamps", jobListText({{"A", "i", "o", "0", kUnset, kUnset}}),
         {"count 1 reserving 1", "job whole A row 1 state 0 no ms no start no end in f.jobs",
          "end done whole 1 ms 0"}},
        {"signature file", signed_,
         {"count 1 reserving 1", "job whole S row 1 state 2 ms 7200000 start end in f.jobs",
          "end done whole 1 ms 7200000"}},
        {"optional lines", withRunner,
         {"count 1 reserving 1", "job whole R row 1 state 2 ms 3600000 start end runner PC in f.jobs",
          "end done whole 1 ms 3600000"}},
        {"no count", "// job list\r\n// $job \"A\"\r\n", {"end no count whole 0 ms 0"}},
        {"empty", "", {"end cannot open whole 0 ms 0"}},
        {"unexpected end", cut,
         {"count 2 reserving 2", "job whole A row 1 state 2 ms 3600000 start end in f.jobs", "job input B",
          "end unexpected end whole 1 ms 3600000"}},
        {"a state that does not read", jobListText({{"A", "i", "o", "x", k10h00, k11h00}}),
         {"count 1 reserving 1", "job output A"}, true},
        {"an end beyond the year 9999", jobListText({{"A", "i", "o", "2", k10h00, "24C85A5E D1C04000"}}),
         {"count 1 reserving 1", "job start A"}, true},
    };
    test::TempFolder folder;
    for (const Case& c : cases) {
        EventLog events;
        int rowCounter = 0;
        std::string buffer;
        bool threw = false;
        try {
            processJobFile(events, rowCounter, folder.write("f.jobs", c.bytes), buffer);
        } catch (const ChronellError&) {
            threw = true;
        }
        EXPECT_EQ(events.lines, c.events) << c.what;
        EXPECT_EQ(threw, c.throws) << c.what;
    }
}

// The run hands its sink the run's bounds and each entry's name; an error
// stops it after telling the sink.
class RunBounds : public EventLog {
public:
    void runBegun() override { lines.push_back("begun"); }
    void fileBegun(std::string_view name) override { lines.push_back("file " + std::string(name)); }
    void runEnded() override { lines.push_back("ended"); }
    void runStopped() override { lines.push_back("stopped"); }
};

TEST(RunEvents, RunBoundsAndEntries)
{
    test::TempFolder folder;
    folder.write("a.jobs", "");
    RunInputs inputs;
    inputs.folder = folder.string();
    RunBounds ended;
    runProcessing(ended, inputs);
    EXPECT_EQ(ended.lines, (std::vector<std::string>{"begun", "file a.jobs", "end cannot open whole 0 ms 0", "ended"}));

    folder.write("b.jobs", jobListText({{"A", "i", "o", "x", k10h00, k11h00}}));
    RunBounds stopped;
    EXPECT_THROW(runProcessing(stopped, inputs), ChronellError);
    EXPECT_EQ(stopped.lines, (std::vector<std::string>{"begun", "file a.jobs", "end cannot open whole 0 ms 0",
                                                       "file b.jobs", "count 1 reserving 1", "job output A",
                                                       "stopped"}));
}

} // namespace
} // namespace chronell
