#pragma once
// A watched refresh's reading of the folder, printed aside into a grid and
// log lines of its own: a reading that caught a file while it was being
// written is read again later, and until then the window keeps its rows.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "report/grid_store.h"
#include "report/row_export.h"

namespace chronell {

struct WatchedReading {
    report::GridStore grid;
    std::vector<std::string> logLines;
    // A file ended short, could not be read, or held a value that does not
    // read: the file was most likely caught in the middle of being written.
    bool caughtMidWrite = false;
    std::optional<std::string> error;  // the error box's text of an error that ended the reading
    RunOutcome outcome;
    std::size_t filesDone = 0;
};

// Reads the folder and mask of `inputs` as Process does, records judged by
// `leftBehind`; an error that ends the reading is kept in it, not thrown.
WatchedReading readWatchedFolder(const RunInputs& inputs, const RegionalSettings& settings,
                                 const report::LeftBehindTest& leftBehind);

// How often a reading caught mid-write is read again before it is taken as it is.
inline constexpr int kMidWriteRereads = 3;

} // namespace chronell
