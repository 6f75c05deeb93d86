#include "report/record_grid_rows.h"

#include "analysis/record_cells.h"

namespace chronell::report {

RecordGridRows::RecordGridRows(const std::vector<JobRecord>& records, bool formattedTime,
                               const RegionalSettings& settings)
    : records_(records), formatted_(formattedTime), settings_(settings)
{
}

int RecordGridRows::rowCount() const
{
    return static_cast<int>(records_.size()) + 1;
}

std::string_view RecordGridRows::cell(int row, int column) const
{
    const auto at = static_cast<std::size_t>(column);
    if (row == 0) return gridHeaderTexts()[at];
    if (row != cachedRow_) {
        cells_ = recordCells(records_[static_cast<std::size_t>(row - 1)], formatted_, settings_);
        cachedRow_ = row;
    }
    return cells_[at];
}

const JobRecord* RecordGridRows::record(int row) const
{
    return row > 0 ? &records_[static_cast<std::size_t>(row - 1)] : nullptr;
}

} // namespace chronell::report
