#pragma once
// The raw locale items that regional settings are built from, read through
// nl_langinfo_l on a locale object of our own (never the global locale).
#include <array>
#include <optional>
#include <string>

namespace chronell {

struct LocaleItems {
    std::string dateFormat;      // D_FMT
    std::string timeFormat;      // T_FMT
    std::string timeFormatAmPm;  // T_FMT_AMPM
    std::string amString;        // AM_STR
    std::string pmString;        // PM_STR
    std::string radixChar;       // RADIXCHAR
    std::array<std::string, 12> shortMonthNames;
    std::array<std::string, 12> longMonthNames;
    std::array<std::string, 7> shortDayNames;  // Sunday first
    std::array<std::string, 7> longDayNames;   // Sunday first
};

// Items of the named locale; "" takes LC_TIME and LC_NUMERIC from the
// environment as setlocale would. Nothing when the locale does not exist.
// Linux only.
std::optional<LocaleItems> readLocaleItems(const std::string& localeName);

} // namespace chronell
