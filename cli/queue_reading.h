#pragma once
// One reading of the queue for --wait: the run over the folder with nothing
// printed, its records judged and counted.
#include "analysis/processing_run.h"
#include "cli/queue_wait.h"

namespace chronell::report {

class LeftBehindJudge;

// An error that ends the run is taken into the reading (it may come from a
// file caught while it was being written) instead of ending the program.
QueueReading readQueue(const RunInputs& inputs, const LeftBehindJudge& leftBehind);

} // namespace chronell::report
