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

#include "analysis/job_record.h"
#include "analysis/record_list.h"
#include "report/grid_columns.h"
#include "report/grid_rows.h"

namespace chronell::report {

class GridStore : public GridRows {
public:
    using Row = std::array<std::string, kGridColumns>;

    // The header row and one empty data row.
    GridStore() = default;

    int rowCount() const override { return rowCount_; }
    std::string_view cell(int row, int column) const override { return this->row(row)[static_cast<std::size_t>(column)]; }
    const JobRecord* record(int row) const override { return records_.ofRow(row); }

    // The cells of a row: the captions for row 0, empty ones for a row never
    // written or let go of. Throws std::out_of_range beyond the row count.
    const Row& row(int index) const;
    // The records in row order.
    const RecordList& records() const { return records_; }

    // A value below 1 is taken as 1; new rows are empty, dropped rows lose
    // their cells and records.
    void setRowCount(int rows);
    // Back to the header row and one empty data row.
    void clear();
    // The cells of a data row below the row count, to fill. Rows are
    // written in ascending order.
    Row& rowToWrite(int row);
    void addRecord(JobRecord record) { records_.add(std::move(record)); }
    // Lets go of the cells and records of the rows before `row`.
    void forgetBelow(int row);

private:
    int rowCount_ = 2;
    int firstHeld_ = 1;  // the row rows_.front() holds
    std::deque<Row> rows_;  // from firstHeld_ up to the last row written
    RecordList records_;
};

// The captions of the header row as a row of cells.
const GridStore::Row& gridHeaderRow();

} // namespace chronell::report
