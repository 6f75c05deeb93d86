#pragma once
// The results grid printed as the run writes it: a row is final once a later
// row is written to (rows are written in order and never touched again), so
// it goes out then, and only the row being written is held. Rows reserved
// and never written are handed on empty, and the exporter leaves them out.
#include <optional>
#include <string_view>

#include "analysis/in_memory_target.h"
#include "report/row_export.h"

namespace chronell::report {

class StreamedRows : private GridRows {
public:
    // `now`: the run's time, for the time so far of running jobs.
    StreamedRows(ExportFormat format, TextSink& sink, Instant now)
        : exporter_(format, sink, now), printsRecords_(format == ExportFormat::Json)
    {
    }

    bool printsRecords() const { return printsRecords_; }

    void setCell(int column, int row, std::string_view text)
    {
        if (row != openRow_) open(row);
        if (row == openRow_) cells_[static_cast<std::size_t>(column)] = text;
    }
    void addRecord(JobRecord record)
    {
        if (record.row == openRow_) record_ = std::move(record);
    }
    // The grid's row count was lowered: a dropped open row is forgotten.
    void rowCountLowered(int rows)
    {
        if (openRow_ >= rows) {
            cells_ = {};
            record_.reset();
            openRow_ = -1;
        }
    }
    // Prints the rows not yet printed, up to the grid's row count, and ends the text.
    void finish(int rowCount)
    {
        printBelow(rowCount);
        exporter_.finish();
    }

private:
    // Prints every row before `row` and makes `row` the open one; a row
    // already printed stays as it went out.
    void open(int row)
    {
        if (row < printed_) return;
        printBelow(row);
        openRow_ = row;
        cells_ = {};
        record_.reset();
    }
    void printBelow(int row)
    {
        for (; printed_ < row; ++printed_) exporter_.row(*this, printed_);
    }

    int rowCount() const override { return printed_ + 1; }
    std::string_view cell(int row, int column) const override
    {
        if (row == 0) return gridHeaderTexts()[static_cast<std::size_t>(column)];
        return row == openRow_ ? std::string_view(cells_[static_cast<std::size_t>(column)]) : std::string_view();
    }
    const JobRecord* record(int row) const override { return row == openRow_ && record_ ? &*record_ : nullptr; }

    RowExporter exporter_;
    bool printsRecords_;
    int printed_ = 0;  // rows below this one have gone out
    int openRow_ = -1;
    InMemoryTarget::Row cells_;
    std::optional<JobRecord> record_;
};

} // namespace chronell::report
