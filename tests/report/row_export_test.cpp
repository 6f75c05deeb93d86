#include "report/row_export.h"

#include <gtest/gtest.h>

#include <map>

namespace chronell::report {
namespace {

using std::chrono::milliseconds;

// A grid of a header and records only; every cell empty.
class RecordRows : public GridRows {
public:
    explicit RecordRows(std::vector<JobRecord> records) : records_(std::move(records)) {}
    int rowCount() const override { return static_cast<int>(records_.size()) + 1; }
    std::string_view cell(int, int) const override { return {}; }
    const JobRecord* record(int row) const override { return &records_[static_cast<std::size_t>(row - 1)]; }

private:
    std::vector<JobRecord> records_;
};

std::string jsonOf(const std::vector<JobRecord>& records, std::optional<Instant> now)
{
    std::string text;
    TextSink sink([&text](std::string_view bytes) {
        text.append(bytes);
        return true;
    });
    writeRows(ExportFormat::Json, RecordRows(records), sink, now);
    sink.flush();
    return text;
}

// Only a running job's row carries its time so far, and only a job left
// behind says so; other rows keep the keys they had.
TEST(RowExport, JsonRowsOfAQueueThatIsRunning)
{
    const Instant start = Instant(milliseconds(1'688'169'600'000));
    JobRecord running;
    running.state = 1;
    running.startUtc = start;
    JobRecord leftBehind = running;
    leftBehind.leftBehind = true;
    JobRecord done = running;
    done.state = 2;
    done.endUtc = start + milliseconds(5);
    done.durationMs = 5;

    const std::string json = jsonOf({running, leftBehind, done}, start + milliseconds(90'500));
    std::vector<std::string> rows;
    for (std::size_t at = json.find("{"); at != std::string::npos; at = json.find("{", at + 1))
        rows.push_back(json.substr(at, json.find("}", at) - at + 1));
    ASSERT_EQ(rows.size(), 3u) << json;
    EXPECT_TRUE(rows[0].ends_with("\"id\": null, \"running_ms\": 90500}")) << rows[0];
    EXPECT_TRUE(rows[1].ends_with("\"id\": null, \"left_behind\": true}")) << rows[1];
    EXPECT_TRUE(rows[2].ends_with("\"id\": null}")) << rows[2];

    // Without the run's time, no time so far.
    EXPECT_EQ(jsonOf({running}, std::nullopt).find("running_ms"), std::string::npos);
}

} // namespace
} // namespace chronell::report
