#pragma once
// The results grid saved to a file: the bytes chronell-report --rows prints
// for the same rows (TSV and JSON with the host's line breaks, as a text-mode
// standard output writes them; CSV with its own CR LF), written whole or not
// at all.
#include <optional>
#include <string>
#include <system_error>

#include "analysis/instant.h"
#include "report/grid_rows.h"
#include "report/row_export.h"

namespace chronell::report {

// Writes the rows to `path` through a temporary file beside it, which takes
// its place only when every byte is written; `now`: when the rows were made,
// for the time so far of running jobs. False with the system's reason in
// `error` when that fails; the old file, if any, then stays as it was.
bool writeRowsFile(const std::string& path, ExportFormat format, const GridRows& rows,
                   std::optional<Instant> now, std::error_code& error);

} // namespace chronell::report
