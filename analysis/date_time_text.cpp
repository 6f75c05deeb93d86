#include "analysis/date_time_text.h"

#include <cstddef>

#include "analysis/duration.h"
#include "analysis/regional_settings.h"
#include "platform/ascii.h"

namespace chronell {

namespace {

bool isQuote(char c) { return c == '"' || c == '\''; }

// Case-insensitive test whether `picture` has `word` at `pos`.
bool startsWithWord(std::string_view picture, std::size_t pos, std::string_view word)
{
    if (picture.size() - pos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (upperAscii(picture[pos + i]) != word[i]) return false;
    return true;
}

// Position after the quoted text that opens at `pos` (to the end when unclosed).
std::size_t afterQuoted(std::string_view picture, std::size_t pos)
{
    const std::size_t close = picture.find(picture[pos], pos + 1);
    return close == std::string_view::npos ? picture.size() : close + 1;
}

// Whether an hour element at `pos` reads a 12-hour clock by looking ahead:
// past quoted text, the first a or A before any further h must start an
// AM/PM element.
bool amPmAhead(std::string_view picture, std::size_t pos)
{
    for (std::size_t i = pos; i < picture.size();) {
        const char c = upperAscii(picture[i]);
        if (isQuote(c)) {
            i = afterQuoted(picture, i);
            continue;
        }
        if (c == 'H') return false;
        if (c == 'A')
            return startsWithWord(picture, i, "AMPM") || startsWithWord(picture, i, "AM/PM") ||
                   startsWithWord(picture, i, "A/P");
        ++i;
    }
    return false;
}

void appendSeparator(std::string& text, char separator)
{
    if (separator != '\0') text += separator;  // a NUL separator writes nothing
}

// Elements: d dd ddd dddd, m mm (minutes right after an hour letter), mmm
// mmmm+, y yy yyy+, h hh+, s ss+, AMPM AM/PM A/P, / :, quoted text. Runs of
// a letter count in either case. We have no era calendars: g and e, like
// every other character, are copied unchanged.
void appendPicture(std::string& text, std::string_view picture, const DecodedDateTime& t,
                   const RegionalSettings& settings)
{
    char lastLetter = '\0';  // the last picture letter met, quoted text aside
    bool amPmSeen = false;

    for (std::size_t pos = 0; pos < picture.size();) {
        const char c = picture[pos];
        if (isQuote(c)) {
            // Copied without the quotes; an unclosed quote runs to the end.
            const std::size_t close = picture.find(c, pos + 1);
            const std::size_t stop = close == std::string_view::npos ? picture.size() : close;
            text.append(picture.substr(pos + 1, stop - pos - 1));
            pos = afterQuoted(picture, pos);
            continue;
        }
        if (c == '/') {
            appendSeparator(text, settings.dateSeparator);
            ++pos;
            continue;
        }
        if (c == ':') {
            appendSeparator(text, settings.timeSeparator);
            ++pos;
            continue;
        }
        if (!isAsciiLetter(c)) {
            text += c;
            ++pos;
            continue;
        }

        const char letter = upperAscii(c);
        if (letter == 'A') {
            // The designators: AMPM from the settings, AM/PM and A/P as written.
            const bool pm = t.hour >= 12;
            if (startsWithWord(picture, pos, "AMPM")) {
                text += pm ? settings.pmDesignator : settings.amDesignator;
                pos += 4;
            } else if (startsWithWord(picture, pos, "AM/PM")) {
                text.append(picture.substr(pm ? pos + 3 : pos, 2));
                pos += 5;
            } else if (startsWithWord(picture, pos, "A/P")) {
                text += picture[pm ? pos + 2 : pos];
                pos += 3;
            } else {
                text += c;
                lastLetter = letter;
                ++pos;
                continue;
            }
            amPmSeen = true;
            lastLetter = letter;
            continue;
        }

        std::size_t run = 1;
        while (pos + run < picture.size() && upperAscii(picture[pos + run]) == letter) ++run;
        const std::size_t next = pos + run;

        switch (letter) {
        case 'D':
            if (run <= 2) appendZeroPadded(text, static_cast<std::uint32_t>(t.day), static_cast<unsigned>(run));
            else if (run == 3) text += settings.shortDayNames[static_cast<std::size_t>(t.dayOfWeek)];
            else text += settings.longDayNames[static_cast<std::size_t>(t.dayOfWeek)];
            break;
        case 'M':
            if (run <= 2) {
                const int number = lastLetter == 'H' ? t.minute : t.month;
                appendZeroPadded(text, static_cast<std::uint32_t>(number), static_cast<unsigned>(run));
            } else if (run == 3) {
                text += settings.shortMonthNames[static_cast<std::size_t>(t.month - 1)];
            } else {
                text += settings.longMonthNames[static_cast<std::size_t>(t.month - 1)];
            }
            break;
        case 'Y':
            if (run <= 2) appendZeroPadded(text, static_cast<std::uint32_t>(t.year % 100), 2);
            else appendZeroPadded(text, static_cast<std::uint32_t>(t.year), 4);
            break;
        case 'H': {
            int hour = t.hour;
            if (amPmSeen || amPmAhead(picture, next)) {
                if (hour == 0) hour = 12;
                else if (hour > 12) hour -= 12;
            }
            appendZeroPadded(text, static_cast<std::uint32_t>(hour), run >= 2 ? 2 : 1);
            break;
        }
        case 'S':
            appendZeroPadded(text, static_cast<std::uint32_t>(t.second), run >= 2 ? 2 : 1);
            break;
        default:
            text.append(picture.substr(pos, run));
            break;
        }
        lastLetter = letter;
        pos = next;
    }
}

} // namespace

std::string formatDateTime(std::string_view picture, TDateTime value, const RegionalSettings& settings)
{
    std::string text;
    appendPicture(text, picture, decodeDateTime(value), settings);
    return text;
}

void appendDateTimeText(std::string& text, TDateTime value, const RegionalSettings& settings)
{
    const DecodedDateTime t = decodeDateTime(value);
    appendPicture(text, settings.shortDatePicture, t, settings);
    // Milliseconds never show and do not count.
    if (t.hour != 0 || t.minute != 0 || t.second != 0) {
        text += ' ';
        appendPicture(text, settings.longTimePicture, t, settings);
    }
}

std::string dateTimeText(TDateTime value, const RegionalSettings& settings)
{
    std::string text;
    appendDateTimeText(text, value, settings);
    return text;
}

} // namespace chronell
