#pragma once
// The rows of records kept beyond the run that wrote them (the history),
// their cells made again as the run made them, so that the exports print
// them as they print a run.
#include <vector>

#include "report/grid_store.h"
#include "report/grid_rows.h"

namespace chronell {
struct RegionalSettings;
}

namespace chronell::report {

class RecordGridRows : public GridRows {
public:
    // `records` in row order, numbered from 1; they must outlive this.
    RecordGridRows(const std::vector<JobRecord>& records, bool formattedTime, const RegionalSettings& settings);

    int rowCount() const override;
    std::string_view cell(int row, int column) const override;
    const JobRecord* record(int row) const override;

private:
    const std::vector<JobRecord>& records_;
    bool formatted_;
    const RegionalSettings& settings_;
    // The cells of the row asked last: exports read a row's cells in turn.
    mutable int cachedRow_ = -1;
    mutable GridStore::Row cells_;
};

} // namespace chronell::report
