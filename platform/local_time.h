#pragma once
// UTC file times to the machine's local time, by the time-zone rule in force
// at that instant (summer time included; TZ respected on Linux, the
// historical rules of the time zone on Windows).
#include <optional>

#include "platform/file_time.h"

namespace chronell {

// The local file time of a UTC file time; nothing when the platform cannot
// convert it (outside its range).
std::optional<FileTime> utcToLocalFileTime(const FileTime& utc);

// The UTC file time of a local wall-clock file time (an ambiguous or skipped
// hour of a summer-time change takes the platform's choice).
std::optional<FileTime> localToUtcFileTime(const FileTime& local);

// To be called after the program changes TZ (and calls tzset): the
// conversions keep the zone's offsets of the last hours asked for until then.
void timeZoneChanged();

} // namespace chronell
