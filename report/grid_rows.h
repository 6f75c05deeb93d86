#pragma once
// The rows of a results grid as the exports read them: the cells of each
// row (row 0 the header) and the record of each job row and two-pass row.
#include <string_view>

#include "analysis/in_memory_target.h"
#include "analysis/job_record.h"

namespace chronell::report {

class GridRows {
public:
    virtual ~GridRows() = default;
    virtual int rowCount() const = 0;  // the header row included
    virtual std::string_view cell(int row, int column) const = 0;
    virtual const JobRecord* record(int row) const = 0;  // null for a row without one
};

// The rows of an in-memory grid.
class InMemoryGridRows : public GridRows {
public:
    explicit InMemoryGridRows(const InMemoryTarget& target) : target_(target) {}
    int rowCount() const override { return target_.rowCount(); }
    std::string_view cell(int row, int column) const override
    {
        return target_.row(row)[static_cast<std::size_t>(column)];
    }
    const JobRecord* record(int row) const override { return target_.records().ofRow(row); }

private:
    const InMemoryTarget& target_;
};

} // namespace chronell::report
