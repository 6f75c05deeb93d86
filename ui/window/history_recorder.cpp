#include "ui/window/history_recorder.h"

#include <chrono>

#include "history/history_store.h"

namespace chronell {

std::vector<std::string> recordInHistory(const std::string& historyFile, const std::vector<JobRecord>& records,
                                         const std::string& folder)
{
    const auto now = std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
    return history::HistoryStore(historyFile).record(records, folder, now).notices;
}

} // namespace chronell
