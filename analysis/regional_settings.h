#pragma once
// The user's regional settings that date-time and float texts follow, with
// their defaults, and their filling from the platform's locale.
#include <array>
#include <string>

namespace chronell {

struct LocaleItems;
struct WindowsLocaleItems;

struct RegionalSettings {
    char decimalSeparator = '.';  // '\0' writes nothing
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string shortDatePicture = "m/d/yy";
    std::string amDesignator = "am";
    std::string pmDesignator = "pm";
    bool hoursLeadingZero = false;
    bool clock24 = false;
    bool designatorBefore = false;
    std::string longTimePicture = "h:mm:ss AMPM";
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January", "February", "March",     "April",
                                               "May",     "June",     "July",      "August",
                                               "September", "October", "November", "December"};
    std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};

    bool operator==(const RegionalSettings&) const = default;
};

// One of h:mm:ss AMPM, hh:mm:ss AMPM, AMPM h:mm:ss, AMPM hh:mm:ss, h:mm:ss, hh:mm:ss.
std::string buildLongTimePicture(bool hoursLeadingZero, bool clock24, bool designatorBefore);

// The record for the given locale items (strftime formats converted to pictures).
RegionalSettings regionalSettingsFromLocaleItems(const LocaleItems& items);

// The record for the items of the Windows locale functions: a missing item
// keeps its default, a flag is set when its decimal number is not 0.
RegionalSettings regionalSettingsFromWindowsItems(const WindowsLocaleItems& items);

// The record of the user's locale (on Windows its locale items, elsewhere
// LC_TIME and LC_NUMERIC of the environment); defaults where the locale
// gives nothing.
RegionalSettings loadRegionalSettings();

} // namespace chronell
