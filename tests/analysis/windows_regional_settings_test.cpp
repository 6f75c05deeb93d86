// On Windows: the record that loadRegionalSettings gives makes the texts
// that the locale functions themselves give, for the user's locale.
#include <gtest/gtest.h>

#include "analysis/date_time.h"
#include "analysis/date_time_text.h"
#include "analysis/regional_settings.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace chronell {
namespace {

#ifdef _WIN32

class WindowsRegionalSettings : public ::testing::Test {
protected:
    void SetUp() override { settings = loadRegionalSettings(); }

    static TDateTime valueOf(const SYSTEMTIME& time)
    {
        FILETIME fileTime{};
        EXPECT_TRUE(SystemTimeToFileTime(&time, &fileTime));
        return fileTimeToDateTime(FileTime{fileTime.dwLowDateTime, fileTime.dwHighDateTime});
    }

    static std::string systemDate(const SYSTEMTIME& time, DWORD flags, const char* picture)
    {
        char text[256];
        const int length = GetDateFormatA(LOCALE_USER_DEFAULT, flags, &time, picture, text, sizeof text);
        return length > 0 ? std::string(text, static_cast<std::size_t>(length - 1)) : std::string("(failed)");
    }

    static std::string systemTime(const SYSTEMTIME& time)
    {
        char text[256];
        const int length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, sizeof text);
        return length > 0 ? std::string(text, static_cast<std::size_t>(length - 1)) : std::string("(failed)");
    }

    RegionalSettings settings;
};

// Morning and afternoon of every month, so that both designators, hours
// with and without a second digit, and every day of the week are met.
TEST_F(WindowsRegionalSettings, DateTimeTextsAreTheLocaleFunctionsTexts)
{
    for (WORD month = 1; month <= 12; ++month) {
        for (const WORD hour : {WORD{7}, WORD{13}, WORD{23}}) {
            const SYSTEMTIME time{2008, month, 0, static_cast<WORD>(month + 2), hour, 5, 9, 0};
            const TDateTime value = valueOf(time);
            EXPECT_EQ(dateTimeText(value, settings),
                      systemDate(time, DATE_SHORTDATE, nullptr) + " " + systemTime(time));
            EXPECT_EQ(formatDateTime("dddd, d mmmm yyyy (ddd, mmm)", value, settings),
                      systemDate(time, 0, "dddd, d MMMM yyyy (ddd, MMM)"));
        }
    }
}

TEST_F(WindowsRegionalSettings, DecimalSeparatorIsTheLocales)
{
    char separator[8];
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator), 0);
    EXPECT_EQ(std::string(1, settings.decimalSeparator), separator);
}

#else

TEST(WindowsRegionalSettings, LocaleFunctions)
{
    GTEST_SKIP() << "compares with the Windows locale functions, which only Windows has";
}

#endif

} // namespace
} // namespace chronell
