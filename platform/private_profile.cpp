#include "platform/private_profile.h"

#include <optional>
#include <vector>

#include "platform/paths.h"
#include "platform/read_file.h"
#include "platform/rewrite_file.h"

namespace chronell {

namespace {

// ---- The file as lines -------------------------------------------------

// One line of the file: its text [begin, end) and the offset after its line
// break (equal to end for a last line without one).
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

// A UTF-8 byte-order mark that editors put at the start of a file.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Lines end at LF; a CR before the LF, or a CR that ends the file, belongs
// to the line break. A byte-order mark at the start is no part of the first
// line, and stays in the file on write since it lies before it.
std::vector<Line> splitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t begin = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (begin < text.size()) {
        const std::size_t feed = text.find('\n', begin);
        Line line;
        line.begin = begin;
        line.next = feed == std::string_view::npos ? text.size() : feed + 1;
        line.end = feed == std::string_view::npos ? text.size() : feed;
        if (line.end > begin && text[line.end - 1] == '\r') --line.end;
        lines.push_back(line);
        begin = line.next;
    }
    return lines;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        const auto upperA = ca >= 'a' && ca <= 'z' ? ca - 'a' + 'A' : ca;
        const auto upperB = cb >= 'a' && cb <= 'z' ? cb - 'a' + 'A' : cb;
        if (upperA != upperB) return false;
    }
    return true;
}

// ---- What a line holds -------------------------------------------------

enum class LineKind { Other, Section, Key };

// A line, after its leading blanks: "[name]" opens a section (the name ends
// at the first ']', or at the end of a line without one); "name=value" is a
// key; anything else (blank lines, ";" comments, text without '=') is kept
// and ignored.
struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section or key name, blanks trimmed
    std::string_view value;  // key value, blanks trimmed, quotes kept
};

ParsedLine parseLine(std::string_view text)
{
    ParsedLine parsed;
    const std::string_view content = trimBlanks(text);
    if (content.empty() || content.front() == ';') return parsed;
    if (content.front() == '[') {
        const std::string_view inner = content.substr(1);
        parsed.kind = LineKind::Section;
        parsed.name = trimBlanks(inner.substr(0, inner.find(']')));
        return parsed;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) return parsed;
    parsed.kind = LineKind::Key;
    parsed.name = trimBlanks(content.substr(0, equals));
    parsed.value = trimBlanks(content.substr(equals + 1));
    return parsed;
}

std::string_view lineText(std::string_view text, const Line& line)
{
    return text.substr(line.begin, line.end - line.begin);
}

// Where a section and a key stand in the file. Only the first section of a
// name counts, and in it only the first key of a name.
struct Location {
    std::optional<std::size_t> section;  // index of the section's line
    std::optional<std::size_t> key;      // index of the key's line
    std::size_t lastOfSection = 0;       // the section's line or its last key line
};

Location locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
                std::string_view key)
{
    Location location;
    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lineText(text, lines[i]));
        if (parsed.kind == LineKind::Section && equalNoCase(parsed.name, section)) break;
    }
    if (i == lines.size()) return location;
    location.section = i;
    location.lastOfSection = i;
    for (++i; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lineText(text, lines[i]));
        if (parsed.kind == LineKind::Section) break;
        if (parsed.kind != LineKind::Key) continue;
        location.lastOfSection = i;
        if (!location.key && equalNoCase(parsed.name, key)) location.key = i;
    }
    return location;
}

// A value in matching double or single quotes is taken without them.
std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The file's own line break, taken from its first line; the host's for a
// file without one.
std::string_view lineBreakOf(std::string_view text)
{
    const std::size_t feed = text.find('\n');
    if (feed == std::string_view::npos) return kHostLineBreak;
    return feed > 0 && text[feed - 1] == '\r' ? "\r\n" : "\n";
}

// The file's bytes with the key set to the value.
std::string withValue(const std::string& old, std::string_view section, std::string_view key,
                      std::string_view value)
{
    const std::string_view text = old;
    const std::string_view lineBreak = lineBreakOf(text);
    const std::vector<Line> lines = splitLines(text);
    const Location location = locate(text, lines, section, key);

    std::string result;
    result.reserve(old.size() + section.size() + key.size() + value.size() + 8);

    if (location.key) {
        // The key's line becomes "name=value", the name spelt as in the file;
        // its line break and every other byte stay.
        const Line& line = lines[*location.key];
        result.append(text.substr(0, line.begin));
        result.append(parseLine(lineText(text, line)).name);
        result.append("=").append(value);
        result.append(text.substr(line.end));
        return result;
    }

    // What ends a last line that has no line feed before a line is added
    // after it: a lone CR that ends the file becomes CR LF (a line break
    // after it would leave the CR inside the line), no line end at all gets
    // the file's line break.
    const auto closingOf = [&](std::size_t next) { return text[next - 1] == '\r' ? std::string_view("\n") : lineBreak; };

    const std::string keyLine = std::string(key) + "=" + std::string(value);
    if (location.section) {
        // A new key goes after the section's last key line (or its header).
        // A last line without a line feed is closed before the new line
        // instead, so that the file keeps ending as it did.
        const Line& line = lines[location.lastOfSection];
        result.append(text.substr(0, line.next));
        if (text[line.next - 1] == '\n')
            result.append(keyLine).append(lineBreak);
        else
            result.append(closingOf(line.next)).append(keyLine);
        result.append(text.substr(line.next));
        return result;
    }

    // A new section goes at the end of the file.
    result.append(text);
    const bool endsOpen = !lines.empty() && text.back() != '\n';
    if (endsOpen) result.append(closingOf(text.size()));
    result.append("[").append(section).append("]").append(lineBreak);
    result.append(keyLine);
    if (!endsOpen) result.append(lineBreak);
    return result;
}

bool holdsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& path,
                                    std::size_t bufferSize)
{
    if (bufferSize == 0) return {};
    std::string found(defaultValue);
    std::string contents;
    if (readWholeFile(path, contents)) {
        const std::vector<Line> lines = splitLines(contents);
        const Location location = locate(contents, lines, section, key);
        if (location.key) found = unquote(parseLine(lineText(contents, lines[*location.key])).value);
    }
    if (found.size() > bufferSize - 1) found.resize(bufferSize - 1);
    return found;
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path, std::error_code& reason)
{
    // A line break in a name or value would make lines of its own.
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value)) {
        reason = std::make_error_code(std::errc::invalid_argument);
        return false;
    }
    reason = rewriteFile(path, [&](const std::string& old) { return withValue(old, section, key, value); });
    return !reason;
}

} // namespace chronell
