#include "analysis/job_extras.h"

#include "analysis/integer_text.h"

namespace chronell {

namespace {

// The rest of the line after the marker and its separating blanks, when the
// line begins with the marker followed by a blank.
std::optional<std::string_view> valueAfter(std::string_view line, std::string_view marker)
{
    if (!line.starts_with(marker) || line.size() == marker.size() || line[marker.size()] != ' ')
        return std::nullopt;
    std::string_view value = line.substr(marker.size());
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    return value;
}

} // namespace

std::string unescapeQuoted(std::string_view text)
{
    std::string value;
    const auto open = text.find('"');
    if (open == std::string_view::npos) return value;
    for (std::size_t i = open + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') break;
        if (c != '\\' || i + 1 == text.size()) {
            value.push_back(c);
            continue;
        }
        const char next = text[i + 1];
        if (next == '\\' || next == '"') {
            value.push_back(next);
            ++i;
        } else if (const auto byte = next == 'x' && i + 3 < text.size()
                                         ? tryHexDigits(text.substr(i + 2, 2))
                                         : std::nullopt) {
            value.push_back(static_cast<char>(*byte));
            i += 3;
        } else {
            value.push_back(c);
        }
    }
    return value;
}

void readJobExtraLine(std::string_view line, JobExtras& extras)
{
    // The letter after "// $" tells the optional lines apart from the rest cheaply.
    if (line.size() < 5 || !line.starts_with("// $")) return;
    if (line[4] != 'r' && line[4] != 'e' && line[4] != 'i') return;
    if (const auto value = valueAfter(line, "// $runner_name")) {
        extras.runnerName = unescapeQuoted(*value);
    } else if (const auto value = valueAfter(line, "// $runner_id")) {
        extras.runnerId = std::string(*value);
    } else if (const auto value = valueAfter(line, "// $error")) {
        extras.error = unescapeQuoted(*value);
    } else if (const auto value = valueAfter(line, "// $id")) {
        extras.id = std::string(*value);
    }
}

} // namespace chronell
