#pragma once
// The records of a results grid's rows, kept in row order beside the grid
// and dropped with the rows they belong to.
#include <utility>
#include <vector>

#include "analysis/job_record.h"

namespace chronell {

class RecordList {
public:
    // Adds a record behind the others (rows ascending), made in its place.
    JobRecord& add(const JobRecord& record) { return records_.emplace_back(record); }
    JobRecord& add(JobRecord&& record) { return records_.emplace_back(std::move(record)); }
    // Drops the records of rows at and beyond `rowCount`.
    void keepBelow(int rowCount)
    {
        while (!records_.empty() && records_.back().row >= rowCount) records_.pop_back();
    }
    // Drops the records of rows before `row`.
    void dropBelow(int row);
    void clear() { records_.clear(); }

    const std::vector<JobRecord>& all() const { return records_; }
    // The record of a row, or null.
    const JobRecord* ofRow(int row) const;

private:
    std::vector<JobRecord> records_;  // rows ascending
};

} // namespace chronell
