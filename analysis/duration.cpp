#include "analysis/duration.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "analysis/regional_settings.h"

namespace chronell {

std::uint64_t durationMilliseconds(double differenceInDays)
{
    // The exact product |days| * 86400000 is rounded once, half to even.
    // 86400000 = 2^10 * 84375: the power of two is exact in a double; the
    // whole part of days * 1024 times 84375 is exact in integers; the
    // fraction times 84375 is carried as a double plus its exact error (fma).
    if (std::isnan(differenceInDays)) return 0;
    const double scaled = std::fabs(differenceInDays) * 1024.0;
    constexpr double kSaturation = 2.0e14;  // scaled * 84375 beyond 2^64 past here
    if (scaled >= kSaturation) return std::numeric_limits<std::uint64_t>::max();

    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;  // exact
    const double product = fraction * 84375.0;
    const double error = std::fma(fraction, 84375.0, -product);  // exact product = product + error
    const double below = std::floor(product);
    const double rest = product - below;  // exact, a multiple of the unit of `product`

    std::uint64_t result = static_cast<std::uint64_t>(whole) * 84375u + static_cast<std::uint64_t>(below);
    // `error` is below half the unit of `product`, so it only matters for a
    // rest of exactly one half.
    if (rest > 0.5 || (rest == 0.5 && error > 0.0) || (rest == 0.5 && error == 0.0 && result % 2 == 1))
        ++result;
    return result;
}

DurationFields durationFieldsFromMilliseconds(std::uint64_t milliseconds)
{
    DurationFields fields;
    const std::uint64_t minuteCount = milliseconds / 60000;
    const std::uint64_t rest = milliseconds % 60000;
    fields.hours = minuteCount / 60;
    fields.minutes = static_cast<std::uint16_t>(minuteCount % 60);
    fields.seconds = static_cast<std::uint16_t>(rest / 1000);
    fields.milliseconds = static_cast<std::uint16_t>(rest % 1000);
    return fields;
}

DurationFields durationFieldsOf(double differenceInDays)
{
    // Days are kept in the hours: 25 h 30 min stay 25:30:00.000.
    return durationFieldsFromMilliseconds(durationMilliseconds(differenceInDays));
}

double secondsValue(const DurationFields& fields)
{
    // The exact millisecond count divided once, so that the double is the
    // nearest one to the decimal value.
    const std::uint64_t milliseconds =
        (fields.hours * 3600 + fields.minutes * 60u + fields.seconds) * 1000 +
        fields.milliseconds;
    return static_cast<double>(milliseconds) / 1000.0;
}

void appendZeroPadded(std::string& text, std::uint64_t number, unsigned width)
{
    if (number < 100 && width <= 2) {  // the fields of dates and times, without a conversion
        if (number >= 10 || width == 2) text.push_back(static_cast<char>('0' + number / 10));
        text.push_back(static_cast<char>('0' + number % 10));
        return;
    }
    std::array<char, 20> digits{};  // the 20 digits of the largest 64-bit number
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    const auto count = static_cast<unsigned>(end - digits.data());
    if (count < width) text.append(width - count, '0');
    text.append(digits.data(), end);
}

std::string formattedDurationText(const DurationFields& fields)
{
    std::string text;
    text.reserve(16);
    appendZeroPadded(text, fields.hours, 2);
    text += ':';
    appendZeroPadded(text, fields.minutes, 2);
    text += ':';
    appendZeroPadded(text, fields.seconds, 2);
    text += '.';
    appendZeroPadded(text, fields.milliseconds, 3);
    return text;
}

std::string durationText(const DurationFields& fields, double seconds, bool formatted,
                         const RegionalSettings& settings)
{
    return formatted ? formattedDurationText(fields) : floatText(seconds, settings.decimalSeparator);
}

} // namespace chronell
