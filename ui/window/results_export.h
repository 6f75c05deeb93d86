#pragma once
// Save Results As: the results grid's rows and their records written to a
// file by the report's exporters, so that the file holds exactly what
// chronell-report --rows prints for the same run.
#include <QString>

#include <optional>

#include "analysis/record_list.h"
#include "report/grid_rows.h"
#include "report/row_export.h"

namespace chronell {

class ResultsGridModel;

// The grid's cells as bytes, with the records of the last run.
class WindowGridRows : public report::GridRows {
public:
    WindowGridRows(const ResultsGridModel& model, const RecordList& records) : model_(model), records_(records) {}
    int rowCount() const override;
    std::string_view cell(int row, int column) const override;
    const JobRecord* record(int row) const override { return records_.ofRow(row); }

private:
    const ResultsGridModel& model_;
    const RecordList& records_;
};

// Writes the rows to `path` whole or not at all: into a file beside it that
// takes its place only when everything has been written. `runTime`: when
// the rows were made, for the time so far of running jobs. Throws
// ChronellError "Unable to write to PATH: REASON" when that fails, and then
// leaves no file of its own behind.
void saveResults(const report::GridRows& rows, report::ExportFormat format, const QString& path,
                 std::optional<Instant> runTime);

} // namespace chronell
