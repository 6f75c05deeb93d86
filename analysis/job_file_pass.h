#pragma once
// The pass over one job-list file: log block, result rows, two-pass rows and
// the file's total.
#include <string>

namespace chronell {

class ProcessingTarget;
struct RegionalSettings;

// Reads the file at `path` and writes into `target`, advancing `rowCounter`
// (the index of the grid row written last). Throws ChronellError when a job
// count, a state or a time stamp cannot be converted.
// `formattedTime` chooses hh:mm:ss.zzz durations over seconds.
void proc_file(ProcessingTarget& target, const RegionalSettings& settings, int& rowCounter,
               const std::string& path, bool formattedTime);

// The same, reading the file into `fileBuffer`, which a caller keeps across
// files so that each file's bytes need no fresh memory.
void proc_file(ProcessingTarget& target, const RegionalSettings& settings, int& rowCounter,
               const std::string& path, bool formattedTime, std::string& fileBuffer);

} // namespace chronell
