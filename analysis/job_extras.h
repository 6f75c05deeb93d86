#pragma once
// The optional lines that newer writers put into a job's header beside the
// six markers: the runner's name and id, the error text and the job's id.
#include <optional>
#include <string>
#include <string_view>

namespace chronell {

inline constexpr std::string_view kSignatureMarker = "// $signature";
inline constexpr std::string_view kScriptMarker = "// $script";

struct JobExtras {
    std::optional<std::string> runnerName;
    std::optional<std::string> runnerId;
    std::optional<std::string> error;
    std::optional<std::string> id;
};

// Takes the value of `line` into `extras` when the line begins with one of
// the optional markers; other lines are passed over.
void readJobExtraLine(std::string_view line, JobExtras& extras);

// The text between the first double quote of `text` and the next unescaped
// one (or the end), with "\\", "\"" and "\xNN" decoded; other bytes, and a
// backslash before anything else, stand as they are.
std::string unescapeQuoted(std::string_view text);

} // namespace chronell
