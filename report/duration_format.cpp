#include "report/duration_format.h"

#include "analysis/duration.h"

namespace chronell::report {

std::string millisecondsText(std::uint64_t milliseconds, bool formatted, const RegionalSettings& settings)
{
    const DurationFields fields = durationFieldsFromMilliseconds(milliseconds);
    return durationText(fields, secondsValue(fields), formatted, settings);
}

} // namespace chronell::report
