#pragma once
// The results grid: its row count, the cells of its rows as bytes (row 0 is
// the header row) and the records of its job and two-pass rows. Only rows up
// to the last one written hold storage: a row reserved and never written (a
// file may reserve millions) costs nothing. The report lets go of rows once
// they are printed; the window keeps them all, its Qt model over them.
#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/job_record.h"
#include "analysis/record_list.h"
#include "report/grid_columns.h"
#include "report/grid_rows.h"

namespace chronell::report {

// The captions of the header row as a row of cells.
const std::array<std::string, kGridColumns>& gridHeaderRow();

class GridStore : public GridRows {
public:
    using Row = std::array<std::string, kGridColumns>;

    // The header row and one empty data row.
    GridStore() = default;

    int rowCount() const override { return rowCount_; }
    std::string_view cell(int row, int column) const override { return this->row(row)[static_cast<std::size_t>(column)]; }
    const JobRecord* record(int row) const override { return records_.ofRow(row); }
    Cells cells(int row) const override;

    // The cells of a row: the header's for row 0 (the captions unless
    // written), empty ones for a row never written or let go of. Throws std::out_of_range beyond the row count.
    const Row& row(int index) const;
    // The records in row order.
    const RecordList& records() const { return records_; }

    // A value below 1 is taken as 1; new rows are empty, dropped rows lose
    // their cells and records.
    void setRowCount(int rows);
    // Back to the header row and one empty data row; the header keeps its cells.
    void clear();
    // The cells of a row below the row count, to fill (row 0 the header
    // row). Rows are written in ascending order.
    Row& rowToWrite(int row);
    // One cell; an empty text in a row not held changes nothing, so that no
    // storage is made for it.
    void setCell(int row, int column, std::string_view text);
    JobRecord& addRecord(const JobRecord& record) { return records_.add(record); }
    JobRecord& addRecord(JobRecord&& record) { return records_.add(std::move(record)); }
    // Lets go of the cells and records of the rows before `row`.
    void forgetBelow(int row);

private:
    int rowCount_ = 2;
    Row header_ = gridHeaderRow();
    int firstHeld_ = 1;  // the row rows_.front() holds
    std::deque<Row> rows_;  // from firstHeld_ up to the last row written
    // Rows let go of, their cells emptied: the memory of their texts serves
    // the next rows written, so that a streamed export allocates little.
    std::vector<Row> spare_;
    RecordList records_;
};

} // namespace chronell::report
