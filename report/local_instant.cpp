#include "report/local_instant.h"

#include "analysis/date_time.h"
#include "analysis/date_time_text.h"
#include "platform/local_time.h"

namespace chronell::report {

namespace {

FileTime localFileTime(Instant instant)
{
    const FileTime utc = fileTimeOf(instant);
    return utcToLocalFileTime(utc).value_or(utc);
}

} // namespace

std::int64_t localMilliseconds(Instant instant)
{
    return instantOf(localFileTime(instant)).time_since_epoch().count();
}

Instant instantOfLocalMilliseconds(std::int64_t local)
{
    const FileTime wallClock = fileTimeOf(Instant(std::chrono::milliseconds(local)));
    return instantOf(localToUtcFileTime(wallClock).value_or(wallClock));
}

void appendLocalDateTimeText(std::string& text, Instant instant, const DateTimeTexts& texts)
{
    texts.append(text, fileTimeToDateTime(localFileTime(instant)));
}

std::string localPictureText(Instant instant, std::string_view picture, const RegionalSettings& settings)
{
    return formatDateTime(picture, fileTimeToDateTime(localFileTime(instant)), settings);
}

} // namespace chronell::report
