#pragma once
// A job row or two-pass row of the results grid as values, handed to the
// target beside the row's texts so that other views need not parse text.
#include <cstdint>
#include <optional>
#include <string>

#include "analysis/date_time.h"
#include "analysis/instant.h"

namespace chronell {

struct JobRecord {
    int row = 0;  // the results-grid row the record belongs to
    bool twoPass = false;
    std::string name;  // "2pass" for a two-pass row
    std::string input;  // bytes as read
    std::string output;
    std::optional<std::int32_t> state;  // absent for a two-pass row
    // The time stamps as instants; absent when unset. A two-pass row spans
    // from its first job's start to its second job's end.
    std::optional<Instant> startUtc;
    std::optional<Instant> endUtc;
    // The date-time values shown in the log and grid (local time).
    std::optional<TDateTime> startShown;
    std::optional<TDateTime> endShown;
    // |end - start| of the stamps as written (the sum of both for a two-pass
    // row); absent when a stamp is unset.
    std::optional<std::uint64_t> durationMs;
    std::string jobFile;  // the job-list file's name
    // Read beyond the six markers; absent when the file does not have them.
    std::optional<std::string> runnerName;
    std::optional<std::string> runnerId;
    std::optional<std::string> error;  // unescaped
    std::optional<std::string> id;
    // A job in progress or aborting whose runner, on this computer, no
    // longer runs; judged by whoever holds the record (false until then).
    bool leftBehind = false;

    bool operator==(const JobRecord&) const = default;
};

} // namespace chronell
