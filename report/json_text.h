#pragma once
// Pieces of JSON text: strings from job-list bytes, instants, nulls.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/job_record.h"

namespace chronell::report {

// A JSON string of the bytes read as display text (UTF-8 when valid, else
// Windows-1252): quotes, backslashes and control characters escaped.
void appendJsonString(std::string& out, std::string_view bytes);

// The string, or null.
void appendJsonOptionalString(std::string& out, const std::optional<std::string>& bytes);

// ISO 8601 in UTC, "2008-05-10T12:00:00Z", with ".mmm" when the milliseconds
// are not 0; null when absent.
void appendJsonInstant(std::string& out, const std::optional<Instant>& instant);

// The number, or null.
void appendJsonNumber(std::string& out, const std::optional<std::int64_t>& number);

// "2008-05-10T12:00:00Z" as above, without quotes.
void appendIsoUtc(std::string& out, Instant instant);
std::string isoUtcText(Instant instant);

} // namespace chronell::report
