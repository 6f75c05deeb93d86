#pragma once
// Date-time texts by the picture language of the regional settings.
#include <string>
#include <string_view>
#include <vector>

#include "analysis/date_time.h"

namespace chronell {

struct RegionalSettings;

// Applies a picture (d..dddd, m..mmmm with minutes after an hour letter, y..yyyy, h/hh,
// s/ss, AMPM, AM/PM, A/P, /, :, quoted text) to a value.
std::string formatDateTime(std::string_view picture, TDateTime value,
                           const RegionalSettings& settings);

// A picture read once into its elements, for texts of many values.
class DateTimePicture {
public:
    explicit DateTimePicture(std::string_view picture);

    void append(std::string& text, const DecodedDateTime& value, const RegionalSettings& settings) const;

private:
    // One element of a picture, read once: what it writes, and for a text
    // element its bytes (for a written AM/PM pair, the AM text then the PM text).
    struct Element {
        enum class Kind {
            Text, DateSeparator, TimeSeparator, Day, ShortDayName, LongDayName, Month, Minute,
            ShortMonthName, LongMonthName, Year2, Year4, Hour, Hour12, Second, Designator, WrittenAmPm
        };
        Kind kind;
        unsigned width = 0;  // of a number
        std::string text;
        std::size_t amSize = 0;  // WrittenAmPm: the AM text's share of `text`
    };
    std::vector<Element> elements_;
};

// dateTimeText for the many values of a run or a view: the short date and
// long time pictures are read once. `settings` must outlive it unchanged.
class DateTimeTexts {
public:
    explicit DateTimeTexts(const RegionalSettings& settings);

    void append(std::string& text, TDateTime value) const;

private:
    const RegionalSettings& settings_;
    DateTimePicture date_;
    DateTimePicture time_;
};

// The short date, followed by a blank and the long time when the time of
// day has hours, minutes or seconds other than 0.
std::string dateTimeText(TDateTime value, const RegionalSettings& settings);

// The same text appended to `text`.
void appendDateTimeText(std::string& text, TDateTime value, const RegionalSettings& settings);

} // namespace chronell
