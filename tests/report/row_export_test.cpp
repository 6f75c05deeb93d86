#include "report/row_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/grid_store.h"

namespace chronell::report {
namespace {

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

} // namespace
} // namespace chronell::report
