#pragma once
// Instants and this machine's local wall-clock time: milliseconds since 1970
// read as if they were UTC, for ticks at round local times, and texts.
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/instant.h"

namespace chronell {
class DateTimeTexts;
struct RegionalSettings;
}

namespace chronell::report {

std::int64_t localMilliseconds(Instant instant);

// The instant at which the local clock shows `local`.
Instant instantOfLocalMilliseconds(std::int64_t local);

// The date-time text of the local time at `instant`, appended to `text`.
void appendLocalDateTimeText(std::string& text, Instant instant, const DateTimeTexts& texts);

// The local time at `instant` by a date-time picture ("hh:mm", "mmm yyyy").
std::string localPictureText(Instant instant, std::string_view picture, const RegionalSettings& settings);

} // namespace chronell::report
