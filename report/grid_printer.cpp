#include "report/grid_printer.h"

#include <utility>

#include "analysis/date_time_text.h"
#include "analysis/duration.h"
#include "platform/paths.h"

namespace chronell::report {

std::string_view statusWord(std::int32_t state)
{
    static constexpr std::string_view words[] = {"Waiting", "In Progress", "Done",
                                                 "Postponed", "Aborted", "Error"};
    if (state < 0 || state >= static_cast<std::int32_t>(std::size(words))) return {};
    return words[state];
}

GridPrinter::GridPrinter(GridStore& store, const RegionalSettings& settings, bool formatted, bool keepsRecords,
                         LeftBehindTest leftBehind)
    : store_(store),
      settings_(settings),
      dateTimes_(settings),
      formatted_(formatted),
      keepsRecords_(keepsRecords),
      leftBehind_(std::move(leftBehind))
{
}

void GridPrinter::runBegun()
{
    store_.clear();
}

void GridPrinter::jobsCounted(std::int32_t, int reservedRows)
{
    reservedRows_ = reservedRows;
    store_.setRowCount(store_.rowCount() + reservedRows);
}

void GridPrinter::job(const JobEvent& event)
{
    if (event.read != JobRead::Whole) return;
    const JobRecord& record = event.record;
    GridStore::Row& row = writeRow(record);
    row[ColStatus] = statusWord(record.state.value_or(-1));
    if (setDuration(row, record)) {
        row[ColStart].clear();
        dateTimes_.append(row[ColStart], event.startShown);
        row[ColEnd].clear();
        dateTimes_.append(row[ColEnd], event.endShown);
    }
    if (!keepsRecords_) return;
    JobRecord& kept = store_.addRecord(record);
    if (leftBehind_) kept.leftBehind = leftBehind_(record);
}

void GridPrinter::pair(const JobRecord& record)
{
    store_.setRowCount(store_.rowCount() + 1);
    setDuration(writeRow(record), record);
    if (keepsRecords_) store_.addRecord(record);
}

void GridPrinter::fileEnded(const FileEndEvent& event)
{
    if (event.how == FileEnd::UnexpectedEnd) store_.setRowCount(store_.rowCount() - (reservedRows_ - event.wholeJobs));
}

void GridPrinter::runEnded()
{
    if (store_.rowCount() > 2) store_.setRowCount(store_.rowCount() - 1);
}

GridStore::Row& GridPrinter::writeRow(const JobRecord& record)
{
    GridStore::Row& row = store_.rowToWrite(record.row);
    row[ColName] = record.name;
    row[ColSource] = windowsFileNamePart(record.input);
    row[ColDest] = windowsFileNamePart(record.output);
    row[ColJobfile] = record.jobFile;
    return row;
}

bool GridPrinter::setDuration(GridStore::Row& row, const JobRecord& record)
{
    const DurationFields fields = durationFieldsFromMilliseconds(record.durationMs.value_or(0));
    const double seconds = secondsValue(fields);
    if (seconds <= 0) return false;
    row[ColDur] = durationText(fields, seconds, formatted_, settings_);
    return true;
}

} // namespace chronell::report
