#include "report/row_export.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "report/grid_columns.h"
#include "report/json_text.h"
#include "report/running_jobs.h"

namespace chronell::report {

void appendCsvField(std::string& out, std::string_view cell)
{
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(cell);
        return;
    }
    out.push_back('"');
    for (const char c : cell) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

namespace {

// A data row with no cell written is a row the grid only reserved (or its
// one empty row when nothing was found): exports hold written rows only.
bool written(const GridRows::Cells& cells)
{
    return std::any_of(cells.begin(), cells.end(), [](std::string_view cell) { return !cell.empty(); });
}

// Each cell's key as it opens or continues a row's object.
constexpr std::array<std::string_view, kGridColumns> kJsonKeys{
    "{\"name\": ", ", \"source\": ", ", \"dest\": ", ", \"start\": ",
    ", \"end\": ", ", \"status\": ", ", \"dur\": ", ", \"jobfile\": "};

// One row's JSON object: its cells, then its record's values.
void appendJsonRow(std::string& out, const GridRows& rows, int row, const GridRows::Cells& cells,
                   std::optional<Instant> now, const LeftBehindTest& leftBehind)
{
    for (std::size_t column = 0; column < cells.size(); ++column) {
        out.append(kJsonKeys[column]);
        appendJsonString(out, cells[column]);
    }
    const JobRecord* record = rows.record(row);
    const JobRecord none;
    const JobRecord& values = record ? *record : none;
    out.append(", \"state\": ");
    appendJsonNumber(out, values.state);
    out.append(", \"start_utc\": ");
    appendJsonInstant(out, values.startUtc);
    out.append(", \"end_utc\": ");
    appendJsonInstant(out, values.endUtc);
    out.append(", \"duration_ms\": ");
    appendJsonNumber(out, values.durationMs);
    out.append(values.twoPass ? ", \"pair\": true" : ", \"pair\": false");
    out.append(", \"runner\": ");
    appendJsonOptionalString(out, values.runnerName);
    out.append(", \"runner_id\": ");
    appendJsonOptionalString(out, values.runnerId);
    out.append(", \"error\": ");
    appendJsonOptionalString(out, values.error);
    out.append(", \"id\": ");
    appendJsonOptionalString(out, values.id);
    JobRecord judged;
    judged.state = values.state;
    judged.startUtc = values.startUtc;
    judged.endUtc = values.endUtc;
    judged.leftBehind = leftBehind && record ? leftBehind(*record) : values.leftBehind;
    if (const auto running = now ? runningMs(judged, *now) : std::nullopt) {
        out.append(", \"running_ms\": ");
        appendJsonNumber(out, running);
    }
    if (judged.leftBehind) out.append(", \"left_behind\": true");
    out.push_back('}');
}

// The bytes a TSV field escapes, looked up by byte: most cells have none,
// and a table is quicker to ask than four comparisons.
constexpr std::array<bool, 256> kTsvEscaped = [] {
    std::array<bool, 256> escaped{};
    for (const unsigned char c : {'\\', '\t', '\n', '\r'}) escaped[c] = true;
    return escaped;
}();

} // namespace

void appendTsvField(std::string& out, std::string_view cell)
{
    // Runs of bytes without an escape are appended whole.
    std::size_t plain = 0;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (!kTsvEscaped[static_cast<unsigned char>(cell[i])]) continue;
        std::string_view escape;
        switch (cell[i]) {
        case '\\': escape = "\\\\"; break;
        case '\t': escape = "\\t"; break;
        case '\n': escape = "\\n"; break;
        default: escape = "\\r"; break;
        }
        out.append(cell.substr(plain, i - plain)).append(escape);
        plain = i + 1;
    }
    out.append(cell.substr(plain));
}

RowExporter::RowExporter(ExportFormat format, TextSink& sink, std::optional<Instant> now,
                         LeftBehindTest leftBehind)
    : format_(format), sink_(sink), now_(now), leftBehind_(std::move(leftBehind))
{
}

void RowExporter::row(const GridRows& rows, int row)
{
    const GridRows::Cells cells = rows.cells(row);
    if (row != 0 && !written(cells)) return;
    line_.clear();
    switch (format_) {
    case ExportFormat::Tsv:
        for (std::size_t column = 0; column < cells.size(); ++column) {
            if (column > 0) line_.push_back('\t');
            appendTsvField(line_, cells[column]);
        }
        line_.push_back('\n');
        break;
    case ExportFormat::Csv:
        for (std::size_t column = 0; column < cells.size(); ++column) {
            if (column > 0) line_.push_back(',');
            appendCsvField(line_, cells[column]);
        }
        line_.append("\r\n");
        break;
    case ExportFormat::Json:
        // The header row opens the array; data rows are its objects.
        if (row == 0) {
            line_.push_back('[');
        } else {
            line_.append(dataRows_ == 0 ? "\n  " : ",\n  ");
            appendJsonRow(line_, rows, row, cells, now_, leftBehind_);
            ++dataRows_;
        }
        break;
    }
    sink_.append(line_);
}

void RowExporter::finish()
{
    if (format_ == ExportFormat::Json) sink_.append(dataRows_ > 0 ? "\n]\n" : "]\n");
}

void writeRows(ExportFormat format, const GridRows& rows, TextSink& sink, std::optional<Instant> now)
{
    RowExporter exporter(format, sink, now);
    for (int row = 0; row < rows.rowCount(); ++row) exporter.row(rows, row);
    exporter.finish();
}

} // namespace chronell::report
