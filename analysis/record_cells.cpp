#include "analysis/record_cells.h"

#include <iterator>

#include "analysis/date_time_text.h"
#include "analysis/duration.h"
#include "platform/paths.h"

namespace chronell {

std::string_view statusWord(std::int32_t state)
{
    static constexpr std::string_view words[] = {"Waiting", "In Progress", "Done",
                                                 "Postponed", "Aborted", "Error"};
    if (state < 0 || state >= static_cast<std::int32_t>(std::size(words))) return {};
    return words[state];
}

InMemoryTarget::Row recordCells(const JobRecord& record, bool formattedTime, const RegionalSettings& settings)
{
    InMemoryTarget::Row cells;
    cells[ColName] = record.name;
    cells[ColSource] = windowsFileNamePart(record.input);
    cells[ColDest] = windowsFileNamePart(record.output);
    if (record.state) cells[ColStatus] = statusWord(*record.state);
    cells[ColJobfile] = record.jobFile;
    const DurationFields fields = durationFieldsFromMilliseconds(record.durationMs.value_or(0));
    const double seconds = secondsValue(fields);
    if (seconds > 0) {
        cells[ColDur] = durationText(fields, seconds, formattedTime, settings);
        if (!record.twoPass) {
            if (record.startShown) appendDateTimeText(cells[ColStart], *record.startShown, settings);
            if (record.endShown) appendDateTimeText(cells[ColEnd], *record.endShown, settings);
        }
    }
    return cells;
}

} // namespace chronell
