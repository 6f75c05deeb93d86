#include "analysis/regional_settings.h"

#include <cstddef>
#include <optional>
#include <string_view>

#include "analysis/integer_text.h"
#include "platform/ascii.h"
#include "platform/locale_items.h"
#include "platform/paths.h"
#include "platform/windows_locale_items.h"

namespace chronell {

namespace {

// One strftime conversion: "%", flags, width, an E or O modifier, the letter.
struct Conversion {
    std::size_t begin = 0;
    std::size_t end = 0;  // one past the conversion letter
    bool unpadded = false;  // the "-" or "_" flag: no leading zero
    char letter = '\0';
};

// The conversion that starts at `pos` (a "%"); nothing when the text ends inside it.
std::optional<Conversion> conversionAt(std::string_view format, std::size_t pos)
{
    Conversion c;
    c.begin = pos;
    std::size_t i = pos + 1;
    while (i < format.size() && std::string_view("-_0^#").find(format[i]) != std::string_view::npos) {
        if (format[i] == '-' || format[i] == '_') c.unpadded = true;
        ++i;
    }
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') ++i;
    if (i < format.size() && (format[i] == 'E' || format[i] == 'O')) ++i;
    if (i >= format.size()) return std::nullopt;
    c.letter = format[i];
    c.end = i + 1;
    return c;
}

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The picture elements of the date conversions we know; others are dropped.
std::optional<std::string_view> dateElement(const Conversion& c)
{
    switch (c.letter) {
    case 'd': return c.unpadded ? "d" : "dd";
    case 'e': return "d";
    case 'm': return c.unpadded ? "M" : "MM";
    case 'y': return "yy";
    case 'Y': return "yyyy";
    case 'b':
    case 'h': return "MMM";
    case 'B': return "MMMM";
    case 'a': return "ddd";
    case 'A': return "dddd";
    case 'D': return "MM/dd/yy";
    case 'F': return "yyyy-MM-dd";
    case '%': return "%";
    case 'n': return "\n";
    case 't': return "\t";
    default: return std::nullopt;
    }
}

// Builds a picture from a strftime date format. Literal letters go between
// double quotes so that they are not read as elements, and a literal quote
// between quotes of the other kind.
class PictureBuilder {
public:
    void element(std::string_view text)
    {
        flushLetters();
        // Two elements of the same letter side by side would read as one run.
        if (!picture_.empty() && !text.empty() && isAsciiLetter(text.front()) &&
            lowerAscii(picture_.back()) == lowerAscii(text.front()))
            picture_ += "\"\"";
        picture_ += text;
    }

    void literal(char c)
    {
        if (isAsciiLetter(c)) {
            letters_ += c;
            return;
        }
        flushLetters();
        if (c == '"') picture_ += "'\"'";
        else if (c == '\'') picture_ += "\"'\"";
        else picture_ += c;
    }

    std::string finish()
    {
        flushLetters();
        return picture_;
    }

private:
    void flushLetters()
    {
        if (letters_.empty()) return;
        picture_ += '"' + letters_ + '"';
        letters_.clear();
    }

    std::string picture_;
    std::string letters_;
};

std::string datePictureOf(std::string_view dateFormat)
{
    PictureBuilder builder;
    for (std::size_t i = 0; i < dateFormat.size();) {
        if (dateFormat[i] == '%') {
            if (const auto c = conversionAt(dateFormat, i)) {
                if (const auto text = dateElement(*c)) builder.element(*text);
                i = c->end;
                continue;
            }
        }
        builder.literal(dateFormat[i]);
        ++i;
    }
    return builder.finish();
}

// The first character of the picture, outside quoted text, that is neither
// a letter nor a digit; '/' when there is none or it is part of a
// multi-byte character.
char dateSeparatorOf(std::string_view picture)
{
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = picture.find(c, i + 1);
            if (close == std::string_view::npos) break;
            i = close;
            continue;
        }
        if (isAsciiLetter(c) || isAsciiDigit(c)) continue;
        return static_cast<unsigned char>(c) >= 0x80 ? '/' : c;
    }
    return '/';
}

// Replaces %T, %R and %r by what they stand for, so that the hour and the
// character after it can be found.
std::string expandTimeFormat(std::string_view format, std::string_view amPmFormat)
{
    if (amPmFormat.empty() || amPmFormat.find("%r") != std::string_view::npos)
        amPmFormat = "%I:%M:%S %p";
    std::string expanded;
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] == '%') {
            if (const auto c = conversionAt(format, i)) {
                if (c->letter == 'T') expanded += "%H:%M:%S";
                else if (c->letter == 'R') expanded += "%H:%M";
                else if (c->letter == 'r') expanded += amPmFormat;
                else expanded += format.substr(c->begin, c->end - c->begin);
                i = c->end;
                continue;
            }
        }
        expanded += format[i];
        ++i;
    }
    return expanded;
}

bool isHourLetter(char letter) { return letter == 'H' || letter == 'k' || letter == 'I' || letter == 'l'; }

// The first conversion of the format whose letter passes `wanted`.
template <typename Predicate>
std::optional<Conversion> findConversion(std::string_view format, Predicate wanted)
{
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] == '%') {
            if (const auto c = conversionAt(format, i)) {
                if (wanted(c->letter)) return c;
                i = c->end;
                continue;
            }
        }
        ++i;
    }
    return std::nullopt;
}

// A one-byte item gives its byte, an empty one NUL, a longer one the default.
char separatorOf(const std::string& item, char fallback)
{
    if (item.empty()) return '\0';
    return item.size() == 1 ? item[0] : fallback;
}

} // namespace

std::string buildLongTimePicture(bool hoursLeadingZero, bool clock24, bool designatorBefore)
{
    std::string picture = hoursLeadingZero ? "hh:mm:ss" : "h:mm:ss";
    if (clock24) return picture;
    return designatorBefore ? "AMPM " + picture : picture + " AMPM";
}

RegionalSettings regionalSettingsFromLocaleItems(const LocaleItems& items)
{
    RegionalSettings settings;

    if (!items.dateFormat.empty()) {
        settings.shortDatePicture = datePictureOf(items.dateFormat);
        settings.dateSeparator = dateSeparatorOf(settings.shortDatePicture);
    }

    const std::string timeFormat = expandTimeFormat(items.timeFormat, items.timeFormatAmPm);
    if (const auto hour = findConversion(timeFormat, isHourLetter)) {
        settings.clock24 = hour->letter == 'H' || hour->letter == 'k';
        settings.hoursLeadingZero = (hour->letter == 'H' || hour->letter == 'I') && !hour->unpadded;
        if (hour->end < timeFormat.size()) {
            const char after = timeFormat[hour->end];
            if (after != '%' && static_cast<unsigned char>(after) < 0x80) settings.timeSeparator = after;
        }
    }

    const std::string amPmFormat = expandTimeFormat(items.timeFormatAmPm, items.timeFormatAmPm);
    const auto designator = findConversion(amPmFormat, [](char l) { return l == 'p' || l == 'P'; });
    const auto amPmHour = findConversion(amPmFormat, isHourLetter);
    settings.designatorBefore = designator && amPmHour && designator->begin < amPmHour->begin;

    settings.longTimePicture =
        buildLongTimePicture(settings.hoursLeadingZero, settings.clock24, settings.designatorBefore);

    settings.amDesignator = items.amString;
    settings.pmDesignator = items.pmString;
    settings.decimalSeparator = separatorOf(items.radixChar, '.');

    // Names that the locale leaves empty keep the English defaults.
    const auto takeNames = [](const auto& from, auto& into) {
        for (std::size_t i = 0; i < from.size(); ++i)
            if (!from[i].empty()) into[i] = from[i];
    };
    takeNames(items.shortMonthNames, settings.shortMonthNames);
    takeNames(items.longMonthNames, settings.longMonthNames);
    takeNames(items.shortDayNames, settings.shortDayNames);
    takeNames(items.longDayNames, settings.longDayNames);
    return settings;
}

RegionalSettings regionalSettingsFromWindowsItems(const WindowsLocaleItems& items)
{
    RegionalSettings settings;
    const auto separator = [](const WindowsLocaleItems::Item& item, char& into) {
        if (item) into = separatorOf(*item, into);
    };
    const auto text = [](const WindowsLocaleItems::Item& item, std::string& into) {
        if (item) into = *item;
    };
    const auto flag = [](const WindowsLocaleItems::Item& item, bool& into) {
        if (item) into = tryStrToInt(*item).value_or(0) != 0;
    };
    separator(items.decimalSeparator, settings.decimalSeparator);
    separator(items.dateSeparator, settings.dateSeparator);
    separator(items.timeSeparator, settings.timeSeparator);
    text(items.shortDate, settings.shortDatePicture);
    text(items.amDesignator, settings.amDesignator);
    text(items.pmDesignator, settings.pmDesignator);
    flag(items.hoursLeadingZero, settings.hoursLeadingZero);
    flag(items.clock24, settings.clock24);
    flag(items.designatorBefore, settings.designatorBefore);
    settings.longTimePicture =
        buildLongTimePicture(settings.hoursLeadingZero, settings.clock24, settings.designatorBefore);
    for (std::size_t i = 0; i < 12; ++i) {
        text(items.shortMonthNames[i], settings.shortMonthNames[i]);
        text(items.longMonthNames[i], settings.longMonthNames[i]);
    }
    // The platform lists Monday first; the record starts with Sunday.
    for (std::size_t i = 0; i < 7; ++i) {
        text(items.shortDayNames[i], settings.shortDayNames[(i + 1) % 7]);
        text(items.longDayNames[i], settings.longDayNames[(i + 1) % 7]);
    }
    return settings;
}

RegionalSettings loadRegionalSettings()
{
    if constexpr (kWindowsHost) {
        return regionalSettingsFromWindowsItems(readWindowsLocaleItems());
    } else {
        // "" takes LC_TIME and LC_NUMERIC from the environment, LC_ALL first.
        const auto items = readLocaleItems("");
        return items ? regionalSettingsFromLocaleItems(*items) : RegionalSettings{};
    }
}

} // namespace chronell
