#pragma once
// The regional items as the Windows locale functions give them, for the
// thread's locale. Each is absent when the platform does not give it; a
// separator is asked with room for one character, so a longer one is absent.
#include <array>
#include <optional>
#include <string>

namespace chronell {

struct WindowsLocaleItems {
    using Item = std::optional<std::string>;
    Item decimalSeparator;  // LOCALE_SDECIMAL
    Item dateSeparator;     // LOCALE_SDATE
    Item timeSeparator;     // LOCALE_STIME
    Item shortDate;         // LOCALE_SSHORTDATE
    Item amDesignator;      // LOCALE_S1159
    Item pmDesignator;      // LOCALE_S2359
    Item hoursLeadingZero;  // LOCALE_ITLZERO
    Item clock24;           // LOCALE_ITIME
    Item designatorBefore;  // LOCALE_ITIMEMARKPOSN
    std::array<Item, 12> shortMonthNames;
    std::array<Item, 12> longMonthNames;
    std::array<Item, 7> shortDayNames;  // Monday first, as the platform lists them
    std::array<Item, 7> longDayNames;   // Monday first
};

// Makes the user's default locale the thread's locale, then reads its
// items. Windows only.
WindowsLocaleItems readWindowsLocaleItems();

} // namespace chronell
