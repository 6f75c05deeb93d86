#pragma once
// The results grid exported as TSV, RFC 4180 CSV or JSON, written into a
// sink as it is made.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/instant.h"
#include "report/grid_rows.h"
#include "report/text_sink.h"

namespace chronell::report {

enum class ExportFormat { Tsv, Csv, Json };

// Whether a job's record was left behind by its runner; without one, the
// record's own mark stands.
using LeftBehindTest = std::function<bool(const JobRecord&)>;

// Only rows with a cell written are exported: nothing found gives the header
// alone (JSON: an empty array).
// TSV: header first, cells separated by tabs, bytes as they are but for
// backslash, tab, LF and CR, written as \\, \t, \n and \r.
// CSV: header first, quoted where needed, CR LF line ends.
// JSON: the data rows (no header) as an array of objects: the cells under
// the header's keys as UTF-8 texts, then the row's record (state,
// start_utc, end_utc, duration_ms, pair, runner, runner_id, error, id; null
// where a row has no such value); a running job's row adds its time so far
// at `now`, the run's time ("running_ms"), a job left behind by its runner
// "left_behind": true.
void writeRows(ExportFormat format, const GridRows& rows, TextSink& sink, std::optional<Instant> now = std::nullopt);

// A CSV field: quoted, quotes doubled, when it holds a comma, quote or line end.
void appendCsvField(std::string& out, std::string_view cell);

// The same, row by row as the rows become final, so that a long export
// needs no more than its row at a time. Rows are given in order from the
// header row 0; finish() ends the text.
class RowExporter {
public:
    RowExporter(ExportFormat format, TextSink& sink, std::optional<Instant> now = std::nullopt,
                LeftBehindTest leftBehind = {});
    void row(const GridRows& rows, int row);
    void finish();

private:
    ExportFormat format_;
    TextSink& sink_;
    std::optional<Instant> now_;
    LeftBehindTest leftBehind_;
    std::string line_;
    int dataRows_ = 0;
};

// A TSV cell with its escapes, as PostgreSQL's text format and jq's @tsv
// write them, so that a tab or line break inside a cell cannot split it.
void appendTsvField(std::string& out, std::string_view cell);

} // namespace chronell::report
