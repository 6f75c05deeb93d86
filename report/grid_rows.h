#pragma once
// The rows of a results grid as the exports read them: the cells of each
// row (row 0 the header) and the record of each job row and two-pass row.
#include <string_view>

#include "analysis/job_record.h"

namespace chronell::report {

class GridRows {
public:
    virtual ~GridRows() = default;
    virtual int rowCount() const = 0;  // the header row included
    virtual std::string_view cell(int row, int column) const = 0;
    virtual const JobRecord* record(int row) const = 0;  // null for a row without one
};

} // namespace chronell::report
