#pragma once
// chronell-report --wait: the folder read again each time it has changed and
// gone quiet, until no matching job is waiting or in progress, or the time
// given runs out. Between readings it sleeps on the folder's change
// notifications; it never polls.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <system_error>

#include "analysis/instant.h"
#include "report/queue_stand.h"

namespace chronell {
class FolderChangeWait;
}

namespace chronell::report {

// One reading of the folder.
struct QueueReading {
    QueueStand stand;
    // A file was caught while it was being written: cut short, without its
    // job count, locked, or with a value that does not read. The reading is
    // not trusted until the file has been read again.
    bool caughtMidWrite = false;
    std::optional<std::string> error;  // the text of an error that ended the reading
    std::error_code searchError;       // the folder could not be searched
    std::string searchedFolder;
};

struct WaitClocks {
    std::function<Instant()> wall;  // the time of a reading and of a redraw
    std::function<std::chrono::steady_clock::time_point()> steady;  // for the time limit
};

enum class WaitEnd { Finished, TimedOut, Failed };

struct WaitOptions {
    std::optional<std::chrono::milliseconds> limit;  // none: waits as long as it takes
    std::chrono::milliseconds quietTime{500};  // the folder quiet this long after a change
    int midWriteRetries = 3;  // readings again after catching a file mid-write
    // How often the shown stand is redrawn while nothing changes; none: never.
    std::optional<std::chrono::milliseconds> redraw;
};

// Reads with `read` (handed the reading's time) until the queue has
// finished; `show` is handed the stand of each reading that leaves it
// waiting and, while nothing changes, the stand again every `redraw`.
// `changes` must watch the folder before the first reading, so that no
// change is missed. A reading caught mid-write is read again once the folder
// has been quiet, up to `midWriteRetries` times in a row, and then taken as
// it is. `last` is the last reading. Failed when the folder could not be
// searched (last.searchError), an error ended a reading read again as often
// as allowed (last.error), or the folder could no longer be watched
// (changes.error()).
WaitEnd waitForQueue(const std::function<QueueReading(Instant now)>& read, FolderChangeWait& changes,
                     const WaitClocks& clocks, const WaitOptions& options,
                     const std::function<void(const QueueStand&, Instant now)>& show, QueueReading& last);

} // namespace chronell::report
