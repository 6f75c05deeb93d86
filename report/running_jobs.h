#pragma once
// A queue that is running, as its records show it: how long a job in
// progress has run so far, and which jobs were left behind by a runner of
// this computer whose process has ended. The time is handed in: nothing
// here reads a clock.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/instant.h"
#include "analysis/job_record.h"

namespace chronell {
class ProcessTable;
}

namespace chronell::report {

inline constexpr std::int32_t kWaitingState = 0;
inline constexpr std::int32_t kInProgressState = 1;
inline constexpr std::int32_t kDoneState = 2;
inline constexpr std::int32_t kAbortedState = 4;
inline constexpr std::int32_t kErrorState = 5;
inline constexpr std::int32_t kAbortingState = 6;
inline constexpr std::int32_t kStartingState = 7;

// In progress with its start set and its end not, and not left behind.
bool isRunning(const JobRecord& record);

// Milliseconds from `start` to `now`; 0 when `start` lies after `now` (a
// runner's clock ahead of ours).
std::uint64_t elapsedMs(Instant start, Instant now);

// How long a running job has run at `now`; nothing for a job that is not
// running.
std::optional<std::uint64_t> runningMs(const JobRecord& record, Instant now);

// hh:mm:ss of whole seconds, the hours at least two digits: "02:14:05".
std::string clockText(std::uint64_t milliseconds);

// The process id in a runner id: its low 32 bits (the high half is a hash
// of the computer's name). Nothing when the text is not one to sixteen hex
// digits, or the process id is 0.
std::optional<std::uint32_t> runnerProcessId(std::string_view runnerId);

// Judges records by the computer they are read on: a job in progress or
// aborting was left behind when its runner name is this computer's name
// (ASCII case ignored) and its runner's process no longer runs. Jobs of
// other computers, and jobs without a usable runner id, are never judged.
class LeftBehindJudge {
public:
    explicit LeftBehindJudge(const ProcessTable& processes);
    bool operator()(const JobRecord& record) const;

private:
    const ProcessTable& processes_;
    std::string computerName_;
};

} // namespace chronell::report
