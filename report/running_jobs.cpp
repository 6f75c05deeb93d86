#include "report/running_jobs.h"

#include "analysis/duration.h"
#include "analysis/integer_text.h"
#include "platform/ascii.h"
#include "platform/process_table.h"

namespace chronell::report {

bool isRunning(const JobRecord& record)
{
    return record.state == kInProgressState && record.startUtc && !record.endUtc && !record.leftBehind;
}

std::uint64_t elapsedMs(Instant start, Instant now)
{
    const auto elapsed = (now - start).count();
    return static_cast<std::uint64_t>(elapsed > 0 ? elapsed : 0);
}

std::optional<std::uint64_t> runningMs(const JobRecord& record, Instant now)
{
    if (!isRunning(record)) return std::nullopt;
    return elapsedMs(*record.startUtc, now);
}

std::string clockText(std::uint64_t milliseconds)
{
    const std::uint64_t seconds = milliseconds / 1000;
    std::string text;
    appendZeroPadded(text, seconds / 3600, 2);
    text.push_back(':');
    appendZeroPadded(text, seconds / 60 % 60, 2);
    text.push_back(':');
    appendZeroPadded(text, seconds % 60, 2);
    return text;
}

std::optional<std::uint32_t> runnerProcessId(std::string_view runnerId)
{
    if (runnerId.empty() || runnerId.size() > 16) return std::nullopt;
    const std::size_t lowDigits = std::min<std::size_t>(runnerId.size(), 8);
    const std::string_view high = runnerId.substr(0, runnerId.size() - lowDigits);
    if (!high.empty() && !tryHexDigits(high)) return std::nullopt;
    const auto low = tryHexDigits(runnerId.substr(runnerId.size() - lowDigits));
    if (!low || *low == 0) return std::nullopt;
    return low;
}

LeftBehindJudge::LeftBehindJudge(const ProcessTable& processes)
    : processes_(processes), computerName_(processes.computerName())
{
}

bool LeftBehindJudge::operator()(const JobRecord& record) const
{
    if (record.state != kInProgressState && record.state != kAbortingState) return false;
    if (computerName_.empty() || !record.runnerName || !equalIgnoringAsciiCase(*record.runnerName, computerName_))
        return false;
    const auto processId = record.runnerId ? runnerProcessId(*record.runnerId) : std::nullopt;
    return processId && !processes_.processRuns(*processId);
}

} // namespace chronell::report
