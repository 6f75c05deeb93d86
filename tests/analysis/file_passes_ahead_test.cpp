// Passes made on worker threads hand the sink exactly what passes made in
// place, one file after the other, hand it.
#include "analysis/file_passes_ahead.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/run_events.h"
#include "platform/chronell_error.h"
#include "support/job_list_text.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using test::jobListText;

constexpr const char* k10h00 = "01C88683 54B45000";
constexpr const char* k11h00 = "01C8868B B678B800";
constexpr const char* kUnset = "00000000 00000000";

// Every event with all its values.
struct Event {
    explicit Event(std::string what_, JobRecord record_ = {}, int read_ = -1,
                   TDateTime startShown_ = 0, TDateTime endShown_ = 0)
        : what(std::move(what_)), record(std::move(record_)), read(read_), startShown(startShown_), endShown(endShown_)
    {
    }
    std::string what;
    JobRecord record;  // a default one for events without a record
    int read;
    TDateTime startShown;
    TDateTime endShown;
    std::string end;

    bool operator==(const Event&) const = default;
};

class EventValues : public RunSink {
public:
    std::vector<Event> events;

    void jobsCounted(std::int32_t count, int reservedRows) override
    {
        events.emplace_back("count " + std::to_string(count) + " " + std::to_string(reservedRows));
    }
    void job(const JobEvent& e) override
    {
        events.emplace_back("job", e.record, static_cast<int>(e.read), e.startShown, e.endShown);
    }
    void pair(const JobRecord& record) override { events.emplace_back("pair", record); }
    void fileEnded(const FileEndEvent& e) override
    {
        Event event("end");
        event.end = std::string(e.path) + " " + std::to_string(static_cast<int>(e.how)) + " " +
                    std::to_string(e.wholeJobs) + " " + std::to_string(e.totalMilliseconds) + " " +
                    std::to_string(e.secondsSum) + " " + std::to_string(e.unread.value());
        events.push_back(event);
    }
};

// One file of each kind a folder may hold, and the rows each takes.
constexpr int kRowsOfKind[] = {3, 3, 1, 1, 0, 0, 1};

std::vector<std::string> fileKinds()
{
    std::string extras = jobListText({{"X", "in x.avi", "out x.avi", "3", k10h00, k11h00}});
    extras.insert(extras.find("// $start_time"),
                  "// $runner_name \"PC\"\r\n// $runner_id 1f\r\n// $error \"it \\\"failed\\\"\"\r\n// $id 7\r\n");
    std::string signed_ = jobListText({{"S", "i", "o", "2", "01d95f7a 19583400", "01d95f8a dce10400"}});
    signed_.insert(signed_.find("// $numjobs"), "// $signature 0 1\r\n");
    return {
        jobListText({{"A long job name to be kept", "C:\\a rather long input path\\clip.avi", "C:\\out\\same.avi",
                      "2", k10h00, k11h00},
                     {"B", "C:\\a rather long input path\\clip.avi", "C:\\out\\same.avi", "2", k10h00, k11h00}}),
        jobListText({{"Running", "i", "o", "1", k10h00, kUnset}, {"Waiting", "i", "o", "0", kUnset, kUnset}}),
        extras,
        signed_,
        "// job list\r\n// $job \"A\"\r\n",  // no count
        "",  // read and found empty
        jobListText({{"A", "i", "a", "2", k10h00, k11h00}}, "3") + "// $job \"Cut\"\r\n// $input \"x\"\r\n",
    };
}

std::vector<std::string> writeFolder(test::TempFolder& folder, const std::vector<std::string>& texts)
{
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string number = std::to_string(100 + i);
        paths.push_back(folder.write("f" + number + ".jobs", texts[i]));
    }
    return paths;
}

// Hands out every file in order, as a run does; the error, if one ends it.
std::optional<ChronellError> handOutAll(const std::vector<std::string>& paths, unsigned workers, EventValues& sink)
{
    FilePassesAhead passes(paths, workers);
    int rowCounter = 0;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        sink.events.emplace_back("file " + std::to_string(i));
        try {
            passes.handOut(i, sink, rowCounter);
        } catch (const ChronellError& error) {
            return error;
        }
    }
    sink.events.emplace_back("rows " + std::to_string(rowCounter));
    return std::nullopt;
}

TEST(FilePassesAhead, WorkersHandOutWhatPassesInPlaceHandOut)
{
    // More files than the workers may run ahead of, so that they wait for
    // room; a file the last, so that some finish before it is handed out.
    const std::vector<std::string> kinds = fileKinds();
    std::vector<std::string> texts;
    for (int i = 0; i < 100; ++i) texts.push_back(kinds[static_cast<std::size_t>(i) % kinds.size()]);
    test::TempFolder folder;
    const std::vector<std::string> paths = writeFolder(folder, texts);

    EventValues inPlace;
    ASSERT_FALSE(handOutAll(paths, 0, inPlace));
    int rows = 0;
    for (int i = 0; i < 100; ++i) rows += kRowsOfKind[i % std::size(kRowsOfKind)];
    ASSERT_EQ(inPlace.events.back().what, "rows " + std::to_string(rows));
    for (const unsigned workers : {1u, 2u, 5u, 200u}) {
        EventValues ahead;
        EXPECT_FALSE(handOutAll(paths, workers, ahead));
        EXPECT_TRUE(ahead.events == inPlace.events) << workers << " workers";
    }
}

TEST(FilePassesAhead, AnErrorEndsTheFilesAtItsFile)
{
    const std::vector<std::string> kinds = fileKinds();
    std::vector<std::string> texts(40, kinds[0]);
    texts[17] = jobListText({{"A", "i", "o", "2", k10h00, k11h00}, {"B", "i", "o", "x", k10h00, k11h00}});
    texts[30] = jobListText({{"A", "i", "o", "y", k10h00, k11h00}});  // never reached
    test::TempFolder folder;
    const std::vector<std::string> paths = writeFolder(folder, texts);

    EventValues inPlace;
    const auto inPlaceError = handOutAll(paths, 0, inPlace);
    ASSERT_TRUE(inPlaceError);
    EXPECT_EQ(inPlaceError->path(), paths[17]);
    EXPECT_EQ(inPlace.events.back().what, "job");
    for (const unsigned workers : {1u, 3u}) {
        EventValues ahead;
        const auto error = handOutAll(paths, workers, ahead);
        ASSERT_TRUE(error) << workers << " workers";
        EXPECT_EQ(error->path(), inPlaceError->path());
        EXPECT_EQ(error->line(), inPlaceError->line());
        EXPECT_STREQ(error->what(), inPlaceError->what());
        EXPECT_TRUE(ahead.events == inPlace.events) << workers << " workers";
    }
}

} // namespace
} // namespace chronell
