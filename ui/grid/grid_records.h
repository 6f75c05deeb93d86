#pragma once
// Fills a results grid with records kept beyond the run that wrote them
// (the history), their cells made as a run makes them, so that the grid
// shows, sorts and filters them as it does a run's.
#include <vector>

#include "analysis/job_record.h"

namespace chronell {

struct RegionalSettings;
class ResultsGridModel;

// `records` in row order; the grid keeps copies, numbered as its rows from 1.
void showRecords(ResultsGridModel& model, const std::vector<JobRecord>& records, bool formattedTime,
                 const RegionalSettings& settings);

} // namespace chronell
