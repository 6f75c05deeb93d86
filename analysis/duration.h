#pragma once
// Durations: the fields of a date-time difference (days kept in the hours),
// their seconds value, and their texts.
#include <cstdint>
#include <string>

namespace chronell {

struct RegionalSettings;

struct DurationFields {
    std::uint64_t hours = 0;  // no upper bound: a day or more stays in the hours
    std::uint16_t minutes = 0;
    std::uint16_t seconds = 0;
    std::uint16_t milliseconds = 0;
};

// |difference in days| as whole milliseconds, rounded half to even.
std::uint64_t durationMilliseconds(double differenceInDays);

DurationFields durationFieldsFromMilliseconds(std::uint64_t milliseconds);

// Fields of a difference in days (end minus start, possibly negative).
DurationFields durationFieldsOf(double differenceInDays);

// hours*3600 + minutes*60 + seconds + milliseconds/1000.
double secondsValue(const DurationFields& fields);

// Appends the decimal digits of `number` to `text`, zero-filled on the left
// to `width`; never cut.
void appendZeroPadded(std::string& text, std::uint64_t number, unsigned width);

// hh:mm:ss.zzz with fixed ':' and '.', as in 01:02:03.456 or 100:00:00.000.
std::string formattedDurationText(const DurationFields& fields);

// General number format, 15 significant digits, the given decimal separator
// ('\0' writes none). Independent of the C library's locale.
std::string floatText(double value, char decimalSeparator);

// The formatted duration text when `formatted`, else the float text of `seconds`.
std::string durationText(const DurationFields& fields, double seconds, bool formatted,
                         const RegionalSettings& settings);

} // namespace chronell
