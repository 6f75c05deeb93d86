#pragma once
// A duration in milliseconds as the report's views write it: hh:mm:ss.zzz
// when formatted, else seconds with the regional decimal separator.
#include <cstdint>
#include <string>

namespace chronell {
struct RegionalSettings;
}

namespace chronell::report {

std::string millisecondsText(std::uint64_t milliseconds, bool formatted, const RegionalSettings& settings);

} // namespace chronell::report
