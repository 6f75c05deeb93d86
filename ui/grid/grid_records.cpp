#include "ui/grid/grid_records.h"

#include <utility>

#include "report/record_grid_rows.h"
#include "ui/grid/results_grid_model.h"

namespace chronell {

void showRecords(ResultsGridModel& model, const std::vector<JobRecord>& records, bool formattedTime,
                 const RegionalSettings& settings)
{
    const report::RecordGridRows rows(records, formattedTime, settings);
    model.beginBatch();
    report::GridStore& store = model.store();
    store.clear();
    store.setRowCount(rows.rowCount());
    for (int row = 1; row < rows.rowCount(); ++row) {
        report::GridStore::Row& cells = store.rowToWrite(row);
        for (int column = 0; column < kGridColumns; ++column)
            cells[static_cast<std::size_t>(column)] = rows.cell(row, column);
        JobRecord record = *rows.record(row);
        record.row = row;
        store.addRecord(std::move(record));
    }
    model.endBatch();
}

} // namespace chronell
