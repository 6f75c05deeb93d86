#include "report/row_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/grid_store.h"

namespace chronell::report {
namespace {

using std::chrono::milliseconds;

using Row = GridStore::Row;

// Rows given whole, the header first; no records.
class ListedRows : public GridRows {
public:
    explicit ListedRows(std::vector<Row> rows) : rows_(std::move(rows)) { rows_.insert(rows_.begin(), gridHeaderRow()); }
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    std::string_view cell(int row, int column) const override
    {
        return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    const JobRecord* record(int) const override { return nullptr; }

private:
    std::vector<Row> rows_;
};

std::string exported(ExportFormat format, const GridRows& rows)
{
    std::string text;
    {
        TextSink sink([&text](std::string_view block) {
            text.append(block);
            return true;
        });
        writeRows(format, rows, sink);
    }
    return text;
}

const char* const kTsvHeader = "Name\tSource\tDest\tStart\tEnd\tStatus\tDur\tJobfile\n";

TEST(RowExport, TsvEscapesBackslashTabAndLineBreaks)
{
    const struct {
        std::string cell;
        std::string written;
    } cases[] = {
        {"plain name", "plain name"},
        {"a\tb", "a\\tb"},
        {"line\nbreak", "line\\nbreak"},
        {"cr\r\nlf", "cr\\r\\nlf"},
        {"C:\\out\\x.avi", "C:\\\\out\\\\x.avi"},
        {"\\t as text", "\\\\t as text"},
        {"bytes \xe9\x01 kept", "bytes \xe9\x01 kept"},
        {"\t\r", "\\t\\r"},  // escapes side by side, first and last
        {"last\\", "last\\\\"},
    };
    for (const auto& c : cases) {
        const ListedRows rows({Row{c.cell, "", "", "", "", "", "", "q.jobs"}});
        EXPECT_EQ(exported(ExportFormat::Tsv, rows), kTsvHeader + c.written + "\t\t\t\t\t\t\tq.jobs\n") << c.cell;
    }
}

TEST(RowExport, RowsNeverWrittenAreLeftOut)
{
    const Row written{"Job", "", "", "", "", "Done", "", "q.jobs"};
    // Nothing found: the grid's one empty row; a stopped run: reserved rows.
    const ListedRows nothing({Row{}});
    EXPECT_EQ(exported(ExportFormat::Tsv, nothing), kTsvHeader);
    EXPECT_EQ(exported(ExportFormat::Csv, nothing), "Name,Source,Dest,Start,End,Status,Dur,Jobfile\r\n");
    EXPECT_EQ(exported(ExportFormat::Json, nothing), "[]\n");

    const ListedRows stopped({written, Row{}, Row{}});
    EXPECT_EQ(exported(ExportFormat::Tsv, stopped), std::string(kTsvHeader) + "Job\t\t\t\t\tDone\t\tq.jobs\n");
    const std::string json = exported(ExportFormat::Json, stopped);
    EXPECT_NE(json.find("\"name\": \"Job\""), std::string::npos) << json;
    EXPECT_EQ(json.find("\"name\": \"\""), std::string::npos) << json;
    EXPECT_TRUE(json.ends_with("}\n]\n")) << json;
}

// A grid of a header and records, each row named "job" and nothing more.
class RecordRows : public GridRows {
public:
    explicit RecordRows(std::vector<JobRecord> records) : records_(std::move(records)) {}
    int rowCount() const override { return static_cast<int>(records_.size()) + 1; }
    std::string_view cell(int row, int column) const override
    {
        if (row == 0) return gridHeaderRow()[static_cast<std::size_t>(column)];
        return column == ColName ? "job" : "";
    }
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
