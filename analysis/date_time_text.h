#pragma once
// Date-time texts by the picture language of the regional settings.
#include <string>
#include <string_view>

#include "analysis/date_time.h"

namespace chronell {

struct RegionalSettings;

// Applies a picture (d..dddd, m..mmmm with minutes after an hour letter, y..yyyy, h/hh,
// s/ss, AMPM, AM/PM, A/P, /, :, quoted text) to a value.
std::string formatDateTime(std::string_view picture, TDateTime value,
                           const RegionalSettings& settings);

// The short date, followed by a blank and the long time when the time of
// day has hours, minutes or seconds other than 0.
std::string dateTimeText(TDateTime value, const RegionalSettings& settings);

// The same text appended to `text`.
void appendDateTimeText(std::string& text, TDateTime value, const RegionalSettings& settings);

} // namespace chronell
