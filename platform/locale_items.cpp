#include "platform/locale_items.h"

// On Windows the regional items come from the locale functions themselves
// (windows_locale_items); these are the POSIX locale's.
#ifndef _WIN32
#include <langinfo.h>
#include <locale.h>

namespace chronell {

namespace {

// Owns a locale object of our own, so that the process's global locale and
// that of the thread are never consulted or changed.
class LocaleObject {
public:
    explicit LocaleObject(const std::string& name)
        : handle_(newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(0)))
    {
    }
    ~LocaleObject()
    {
        if (handle_ != static_cast<locale_t>(0)) freelocale(handle_);
    }
    LocaleObject(const LocaleObject&) = delete;
    LocaleObject& operator=(const LocaleObject&) = delete;

    bool valid() const { return handle_ != static_cast<locale_t>(0); }

    std::string item(nl_item which) const
    {
        const char* text = nl_langinfo_l(which, handle_);
        return text != nullptr ? std::string(text) : std::string();
    }

private:
    locale_t handle_;
};

template <std::size_t N>
void readItems(const LocaleObject& locale, const nl_item (&which)[N], std::array<std::string, N>& into)
{
    for (std::size_t i = 0; i < N; ++i) into[i] = locale.item(which[i]);
}

constexpr nl_item kShortMonths[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                      ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
constexpr nl_item kLongMonths[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                     MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
constexpr nl_item kShortDays[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
constexpr nl_item kLongDays[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};

} // namespace

std::optional<LocaleItems> readLocaleItems(const std::string& localeName)
{
    const LocaleObject locale(localeName);
    if (!locale.valid()) return std::nullopt;

    LocaleItems items;
    items.dateFormat = locale.item(D_FMT);
    items.timeFormat = locale.item(T_FMT);
    items.timeFormatAmPm = locale.item(T_FMT_AMPM);
    items.amString = locale.item(AM_STR);
    items.pmString = locale.item(PM_STR);
    items.radixChar = locale.item(RADIXCHAR);
    readItems(locale, kShortMonths, items.shortMonthNames);
    readItems(locale, kLongMonths, items.longMonthNames);
    readItems(locale, kShortDays, items.shortDayNames);  // DAY_1 and ABDAY_1 are Sunday
    readItems(locale, kLongDays, items.longDayNames);
    return items;
}

} // namespace chronell
#endif
