#pragma once
// Save Results As: the results grid's rows and their records written to a
// file by the report's exporters, so that the file holds exactly what
// chronell-report --rows prints for the same run.
#include <QString>

#include <optional>

#include "report/grid_rows.h"
#include "report/row_export.h"

namespace chronell {

// Writes the rows to `path` whole or not at all: into a file beside it that
// takes its place only when everything has been written. `runTime`: when
// the rows were made, for the time so far of running jobs. Throws
// ChronellError "Unable to write to PATH: REASON" when that fails, and then
// leaves no file of its own behind.
void saveResults(const report::GridRows& rows, report::ExportFormat format, const QString& path,
                 std::optional<Instant> runTime);

} // namespace chronell
