#pragma once
// The rows of a results grid as the exports read them: the cells of each
// row (row 0 the header) and the record of each job row and two-pass row.
#include <array>
#include <string_view>

#include "analysis/job_record.h"
#include "report/grid_columns.h"

namespace chronell::report {

class GridRows {
public:
    virtual ~GridRows() = default;
    virtual int rowCount() const = 0;  // the header row included
    virtual std::string_view cell(int row, int column) const = 0;
    virtual const JobRecord* record(int row) const = 0;  // null for a row without one

    using Cells = std::array<std::string_view, kGridColumns>;
    // The cells of a row at once, for an export that reads them all.
    virtual Cells cells(int row) const
    {
        Cells all;
        for (int column = 0; column < kGridColumns; ++column) all[static_cast<std::size_t>(column)] = cell(row, column);
        return all;
    }
};

} // namespace chronell::report
