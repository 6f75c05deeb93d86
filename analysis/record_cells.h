#pragma once
// The cells of a results-grid row made again from its record, as the pass
// over a file writes them: for rows that were kept beyond the run that
// wrote them (the history).
#include <cstdint>
#include <string_view>

#include "analysis/in_memory_target.h"
#include "analysis/job_record.h"

namespace chronell {

struct RegionalSettings;

// The Status text of a state: Waiting, In Progress, Done, Postponed,
// Aborted, Error; empty for other states.
std::string_view statusWord(std::int32_t state);

// Name, Source, Dest, Start, End, Status, Dur and Jobfile of the row. Start,
// End and Dur stay empty without a duration, as they do in a run.
InMemoryTarget::Row recordCells(const JobRecord& record, bool formattedTime, const RegionalSettings& settings);

} // namespace chronell
