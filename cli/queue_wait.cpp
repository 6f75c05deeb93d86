#include "cli/queue_wait.h"

#include <algorithm>

#include "platform/folder_change_wait.h"

namespace chronell::report {

namespace {

using std::chrono::milliseconds;
using Result = FolderChangeWait::Result;
using Clock = std::chrono::steady_clock;

// The waits between readings, within the time limit.
class Waits {
public:
    Waits(FolderChangeWait& changes, const WaitClocks& clocks, const WaitOptions& options)
        : changes_(changes),
          clocks_(clocks),
          options_(options),
          deadline_(options.limit ? clocks.steady() + *options.limit : Clock::time_point::max())
    {
    }

    // Until the folder changes; `tick` is called every redraw time meanwhile.
    Result untilChanged(const std::function<void()>& tick)
    {
        for (;;) {
            if (remaining() == milliseconds(0)) return Result::TimedOut;
            const milliseconds step = std::min(options_.redraw.value_or(milliseconds::max()), remaining());
            const Result result = changes_.wait(step);
            if (result != Result::TimedOut) return result;
            if (remaining() > milliseconds(0)) tick();
        }
    }

    // Until the folder has been quiet for the quiet time: Changed then.
    Result untilQuiet()
    {
        for (;;) {
            if (remaining() == milliseconds(0)) return Result::TimedOut;
            const milliseconds step = std::min(options_.quietTime, remaining());
            const Result result = changes_.wait(step);
            if (result == Result::Failed) return result;
            if (result == Result::TimedOut) return step == options_.quietTime ? Result::Changed : Result::TimedOut;
        }
    }

private:
    milliseconds remaining() const
    {
        if (deadline_ == Clock::time_point::max()) return milliseconds::max();
        return std::max(milliseconds(0), std::chrono::ceil<milliseconds>(deadline_ - clocks_.steady()));
    }

    FolderChangeWait& changes_;
    const WaitClocks& clocks_;
    const WaitOptions& options_;
    const Clock::time_point deadline_;  // max() without a time limit
};

WaitEnd endOf(Result result)
{
    return result == Result::Failed ? WaitEnd::Failed : WaitEnd::TimedOut;
}

} // namespace

WaitEnd waitForQueue(const std::function<QueueReading(Instant now)>& read, FolderChangeWait& changes,
                     const WaitClocks& clocks, const WaitOptions& options,
                     const std::function<void(const QueueStand&, Instant now)>& show, QueueReading& last)
{
    Waits waits(changes, clocks, options);
    int retries = 0;
    for (;;) {
        last = read(clocks.wall());
        if (last.searchError) return WaitEnd::Failed;
        if ((last.caughtMidWrite || last.error) && retries < options.midWriteRetries) {
            ++retries;
            if (const Result quiet = waits.untilQuiet(); quiet != Result::Changed) return endOf(quiet);
            continue;
        }
        if (last.error) return WaitEnd::Failed;
        if (last.stand.finished()) return WaitEnd::Finished;
        retries = 0;

        show(last.stand, clocks.wall());
        const Result changed = waits.untilChanged([&] { show(last.stand, clocks.wall()); });
        if (changed != Result::Changed) return endOf(changed);
        if (const Result quiet = waits.untilQuiet(); quiet != Result::Changed) return endOf(quiet);
    }
}

} // namespace chronell::report
