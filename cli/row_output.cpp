#include "cli/row_output.h"

#include <array>
#include <string_view>

#include "analysis/display_text.h"

namespace chronell::report {

namespace {

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

void appendJsonString(std::string& out, std::string_view bytes)
{
    static constexpr char hex[] = "0123456789abcdef";
    out.push_back('"');
    for (const char c : displayUtf8(bytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte < 0x20) {
            out.append("\\u00");
            out.push_back(hex[byte >> 4]);
            out.push_back(hex[byte & 0xF]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

constexpr std::array<std::string_view, kGridColumns> kJsonKeys{
    "name", "source", "dest", "start", "end", "status", "dur", "jobfile"};

} // namespace

std::string rowsAsTsv(const std::deque<InMemoryTarget::Row>& rows)
{
    std::string out;
    for (const auto& row : rows) {
        for (int column = 0; column < kGridColumns; ++column) {
            if (column > 0) out.push_back('\t');
            out.append(row[column]);
        }
        out.push_back('\n');
    }
    return out;
}

std::string rowsAsCsv(const std::deque<InMemoryTarget::Row>& rows)
{
    std::string out;
    for (const auto& row : rows) {
        for (int column = 0; column < kGridColumns; ++column) {
            if (column > 0) out.push_back(',');
            appendCsvField(out, row[column]);
        }
        out.append("\r\n");
    }
    return out;
}

std::string rowsAsJson(const std::deque<InMemoryTarget::Row>& rows)
{
    std::string out = "[";
    for (std::size_t r = 1; r < rows.size(); ++r) {
        out.append(r == 1 ? "\n  {" : ",\n  {");
        for (int column = 0; column < kGridColumns; ++column) {
            if (column > 0) out.append(", ");
            appendJsonString(out, kJsonKeys[column]);
            out.append(": ");
            appendJsonString(out, rows[r][column]);
        }
        out.push_back('}');
    }
    out.append(rows.size() > 1 ? "\n]\n" : "]\n");
    return out;
}

} // namespace chronell::report
