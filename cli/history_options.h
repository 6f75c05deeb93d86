#pragma once
// The history's options of chronell-report: recording a run, and reading
// the history instead of a folder.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "report/period_hours.h"

namespace chronell::report {

struct HistoryOptions {
    bool record = false;  // --record: the run is recorded in the history
    bool read = false;    // --history: the history is read instead of a folder
    std::optional<std::chrono::sys_days> since;  // local dates, both included
    std::optional<std::chrono::sys_days> until;
    std::optional<Period> by;  // --by: hours per runner per period
    std::string store;         // --store: the history file; empty for the user's
};

// Takes the history option at `arguments[index]` (and the value after it
// for "--since DATE", "--until DATE" and "--store FILE"), moving `index` past
// what it took. False when the argument is not one of them; `error` is set
// for one of them given wrongly.
bool takeHistoryOption(const std::vector<std::string>& arguments, std::size_t& index, HistoryOptions& options,
                       std::string& error);

// The history options' rules against each other and the rest: empty when
// they hold, else the usage error.
std::string historyOptionsError(const HistoryOptions& options, bool hasOutput, bool hasSummaryOrTimeline,
                                bool hasFolder);

} // namespace chronell::report
