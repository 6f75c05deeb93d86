#pragma once
// The pass over one job-list file: reads it and hands its events to a sink
// (file order: the job count, each job, each two-pass pair, how it ended).
#include <string>

namespace chronell {

class RunSink;

// Reads the file at `path` into `fileBuffer` (kept by the caller across
// files, so that each file's bytes need no fresh memory) and hands its
// events to `sink`, advancing `rowCounter` (the grid row taken last) by the
// rows its whole jobs and pairs take. Throws ChronellError when a job
// count, a state or a time stamp cannot be converted, after handing out the
// job as far as it was read.
void processJobFile(RunSink& sink, int& rowCounter, const std::string& path, std::string& fileBuffer);

} // namespace chronell
