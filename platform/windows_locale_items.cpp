#include "platform/windows_locale_items.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace chronell {

namespace {

std::optional<std::string> localeInfo(LCID locale, LCTYPE item, int room)
{
    std::string buffer(static_cast<std::size_t>(room), '\0');
    const int written = GetLocaleInfoA(locale, item, buffer.data(), room);
    if (written <= 0) return std::nullopt;
    buffer.resize(static_cast<std::size_t>(written - 1));  // without its NUL
    return buffer;
}

constexpr int kSeparatorRoom = 2;  // one character and the NUL
constexpr int kTextRoom = 256;

} // namespace

WindowsLocaleItems readWindowsLocaleItems()
{
    SetThreadLocale(LOCALE_USER_DEFAULT);
    const LCID locale = GetThreadLocale();
    WindowsLocaleItems items;
    items.decimalSeparator = localeInfo(locale, LOCALE_SDECIMAL, kSeparatorRoom);
    items.dateSeparator = localeInfo(locale, LOCALE_SDATE, kSeparatorRoom);
    items.timeSeparator = localeInfo(locale, LOCALE_STIME, kSeparatorRoom);
    items.shortDate = localeInfo(locale, LOCALE_SSHORTDATE, kTextRoom);
    items.amDesignator = localeInfo(locale, LOCALE_S1159, kTextRoom);
    items.pmDesignator = localeInfo(locale, LOCALE_S2359, kTextRoom);
    items.hoursLeadingZero = localeInfo(locale, LOCALE_ITLZERO, kTextRoom);
    items.clock24 = localeInfo(locale, LOCALE_ITIME, kTextRoom);
    items.designatorBefore = localeInfo(locale, LOCALE_ITIMEMARKPOSN, kTextRoom);
    for (int i = 0; i < 12; ++i) {
        items.shortMonthNames[i] = localeInfo(locale, LOCALE_SABBREVMONTHNAME1 + i, kTextRoom);
        items.longMonthNames[i] = localeInfo(locale, LOCALE_SMONTHNAME1 + i, kTextRoom);
    }
    for (int i = 0; i < 7; ++i) {
        items.shortDayNames[i] = localeInfo(locale, LOCALE_SABBREVDAYNAME1 + i, kTextRoom);
        items.longDayNames[i] = localeInfo(locale, LOCALE_SDAYNAME1 + i, kTextRoom);
    }
    return items;
}

} // namespace chronell
#endif
