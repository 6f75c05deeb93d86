#include "report/record_grid_rows.h"

#include "analysis/date_time_text.h"
#include "analysis/duration.h"
#include "platform/paths.h"
#include "report/grid_printer.h"

namespace chronell::report {

namespace {

// The cells as the run's grid printer writes them: Start, End and Dur only
// with a duration, a pair without Start and End.
GridStore::Row recordCells(const JobRecord& record, bool formattedTime, const RegionalSettings& settings)
{
    GridStore::Row cells;
    cells[ColName] = record.name;
    cells[ColSource] = windowsFileNamePart(record.input);
    cells[ColDest] = windowsFileNamePart(record.output);
    if (record.state) cells[ColStatus] = statusWord(*record.state);
    cells[ColJobfile] = record.jobFile;
    const DurationFields fields = durationFieldsFromMilliseconds(record.durationMs.value_or(0));
    const double seconds = secondsValue(fields);
    if (seconds > 0) {
        cells[ColDur] = durationText(fields, seconds, formattedTime, settings);
        if (!record.twoPass) {
            if (record.startShown) appendDateTimeText(cells[ColStart], *record.startShown, settings);
            if (record.endShown) appendDateTimeText(cells[ColEnd], *record.endShown, settings);
        }
    }
    return cells;
}

} // namespace

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
    if (row == 0) return gridHeaderRow()[at];
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
