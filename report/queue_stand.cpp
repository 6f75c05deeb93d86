#include "report/queue_stand.h"

#include <algorithm>

#include "analysis/decimal_text.h"
#include "report/running_jobs.h"

namespace chronell::report {

void QueueStand::add(const JobRecord& record)
{
    if (record.twoPass || !record.state) return;
    if (record.startUtc && record.endUtc) {
        firstStart = std::min(firstStart.value_or(*record.startUtc), *record.startUtc);
        lastEnd = std::max(lastEnd.value_or(*record.endUtc), *record.endUtc);
    }
    if (record.leftBehind) {
        // Its runner is gone: VirtualDub marks it aborted when it loads the list.
        ++failed;
        return;
    }
    switch (*record.state) {
    case kWaitingState:
        ++waiting;
        break;
    case kInProgressState:
    case kAbortingState:
    case kStartingState:
        ++inProgress;
        break;
    case kDoneState:
        ++done;
        break;
    case kAbortedState:
    case kErrorState:
        ++failed;
        break;
    default:
        break;
    }
    if (isRunning(record)) runningSince = std::min(runningSince.value_or(*record.startUtc), *record.startUtc);
}

std::string standText(const QueueStand& stand, Instant now)
{
    std::string text = decimalText(stand.waiting) + " waiting, " + decimalText(stand.inProgress) + " running";
    if (stand.runningSince) text += " for " + clockText(elapsedMs(*stand.runningSince, now));
    return text;
}

std::string queueFinishedText(const QueueStand& stand)
{
    std::string text = decimalText(stand.done) + " done";
    if (stand.failed > 0) text += ", " + decimalText(stand.failed) + " failed";
    const std::uint64_t span = stand.firstStart && stand.lastEnd ? elapsedMs(*stand.firstStart, *stand.lastEnd) : 0;
    return text + " - " + clockText(span);
}

bool QueueEndWatch::justFinished(const QueueStand& stand)
{
    const bool wasOpen = open_.value_or(false);
    open_ = !stand.finished();
    return wasOpen && stand.finished();
}

} // namespace chronell::report
