#pragma once
// The seam over a plain in-memory grid and log, for the report and the
// tests. The log is kept as text, each line followed by a line feed, in
// chunks, so that a long run never copies what it has already logged. Only
// rows that were written hold cells: a row reserved and never filled costs
// nothing, however many a file reserves.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "analysis/processing_target.h"
#include "analysis/record_list.h"

namespace chronell {

class InMemoryTarget : public ProcessingTarget {
public:
    using Row = std::array<std::string, kGridColumns>;

    InMemoryTarget();

    void appendLogLine(std::string_view line) override;
    void clearLog() override;
    int rowCount() const override { return rowCount_; }
    void setRowCount(int rows) override;
    void setCell(int column, int row, std::string_view text) override;
    void focusGrid() override;
    void addRecord(JobRecord record) override;

    const std::vector<std::string>& logChunks() const { return log_; }
    std::string logText() const;
    std::vector<std::string> logLines() const;
    // The cells of a row (row 0 is the header); empty cells for a row never
    // written. Throws std::out_of_range beyond the row count.
    const Row& row(int index) const;
    // The records in row order; the record of a row, or null.
    const RecordList& records() const { return records_; }
    bool gridFocused() const { return gridFocused_; }

private:
    std::vector<std::string> log_;
    int rowCount_ = 2;
    std::vector<std::pair<int, Row>> written_;  // by row index, ascending
    RecordList records_;
    bool gridFocused_ = false;
};

// The header texts of the results grid, split from "Name,Source,...,Jobfile".
const InMemoryTarget::Row& gridHeaderTexts();

} // namespace chronell
