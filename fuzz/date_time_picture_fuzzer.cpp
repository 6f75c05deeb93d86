// The date-time picture formatter: any picture over any value, in the C
// locale's settings and in settings of long names; no crash, and a text no
// longer than the picture's elements can make.
#include <cstring>
#include <string>

#include "analysis/date_time_text.h"
#include "analysis/regional_settings.h"
#include "fuzz/fuzz_input.h"
#include "platform/chronell_error.h"

using chronell::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first eight bytes are the value, the rest the picture.
    double value = 0;
    if (size < sizeof value) return 0;
    std::memcpy(&value, data, sizeof value);
    const std::string_view picture = chronell::fuzz::bytesOf(data + sizeof value, size - sizeof value);

    static const chronell::RegionalSettings plain = chronell::loadRegionalSettings();
    static const chronell::RegionalSettings wordy = [] {
        chronell::RegionalSettings settings = plain;
        settings.amDesignator = "ante meridiem";
        settings.pmDesignator = "post meridiem";
        settings.dateSeparator = '-';
        settings.timeSeparator = '.';
        settings.shortDatePicture = "dddd, d. mmmm yyyy";
        return settings;
    }();
    for (const chronell::RegionalSettings* settings : {&plain, &wordy}) {
        try {
            const std::string text = chronell::formatDateTime(picture, value, *settings);
            // A month's or day's name is the longest element; none reaches 64 bytes.
            require(text.size() <= 64 * (picture.size() + 1), "a text bounded by its picture");
        } catch (const chronell::ChronellError&) {
            // A value beyond the years 1 to 9999 does not convert.
        }
    }
    return 0;
}
