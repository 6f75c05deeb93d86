#pragma once
// The results grid exported as TSV, RFC 4180 CSV or JSON, written into a
// sink as it is made.
#include "report/grid_rows.h"
#include "report/text_sink.h"

namespace chronell::report {

enum class ExportFormat { Tsv, Csv, Json };

// All rows, header first, cells separated by tabs, bytes as they are.
void writeTsv(const GridRows& rows, TextSink& sink);

// All rows, header first, quoted where needed, CR LF line ends.
void writeCsv(const GridRows& rows, TextSink& sink);

// The data rows (no header) as an array of objects: the cells under the
// header's keys as UTF-8 texts, then the row's record (state, start_utc,
// end_utc, duration_ms, pair, runner, runner_id, error, id; null where a
// row has no such value).
void writeJson(const GridRows& rows, TextSink& sink);

void writeRows(ExportFormat format, const GridRows& rows, TextSink& sink);

} // namespace chronell::report
