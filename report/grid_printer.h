#pragma once
// The grid printer: makes the results grid's cells from a run's events and
// keeps the grid's row rules. A run's grid starts as the header row and one
// empty row; a file's job count reserves its rows; a file that ends early
// gives back the rows its jobs did not take; a pair adds its own row; the
// run's end drops the spare row (a run stopped by an error keeps them all).
#include <cstdint>
#include <string_view>

#include "analysis/date_time_text.h"
#include "analysis/run_events.h"
#include "report/grid_store.h"
#include "report/row_export.h"

namespace chronell {
struct RegionalSettings;
}

namespace chronell::report {

class GridPrinter : public RunSink {
public:
    // Dates and numbers follow `settings`; `formatted` chooses hh:mm:ss.zzz
    // durations over seconds; with `keepsRecords` the store also gets the
    // record of each row, judged by `leftBehind` when it is given.
    GridPrinter(GridStore& store, const RegionalSettings& settings, bool formatted, bool keepsRecords,
                LeftBehindTest leftBehind = {});

    void runBegun() override;
    void jobsCounted(std::int32_t count, int reservedRows) override;
    void job(const JobEvent& event) override;
    void pair(const JobRecord& record) override;
    void fileEnded(const FileEndEvent& event) override;
    void runEnded() override;

private:
    // Writes the cells every job and pair row has; gives the row.
    GridStore::Row& writeRow(const JobRecord& record);
    // Writes the duration cell when the duration is above 0 seconds; false
    // when it is not (the row then shows no times).
    bool setDuration(GridStore::Row& row, const JobRecord& record);

    GridStore& store_;
    const RegionalSettings& settings_;
    DateTimeTexts dateTimes_;
    bool formatted_;
    bool keepsRecords_;
    LeftBehindTest leftBehind_;
    int reservedRows_ = 0;  // of the file being passed over
};

// The status column's word for a job state; empty for a state without one.
std::string_view statusWord(std::int32_t state);

} // namespace chronell::report
