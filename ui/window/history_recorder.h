#pragma once
// How the window keeps its runs in the history: the real recorder writes
// them to the history file; tests hand their own.
#include <functional>
#include <string>
#include <vector>

#include "analysis/job_record.h"

namespace chronell {

// Records a run's records (row order) over `folder` in the history file;
// returns the notices of what went wrong with the history, if anything.
using HistoryRecorder = std::function<std::vector<std::string>(
    const std::string& historyFile, const std::vector<JobRecord>& records, const std::string& folder)>;

std::vector<std::string> recordInHistory(const std::string& historyFile, const std::vector<JobRecord>& records,
                                         const std::string& folder);

} // namespace chronell
