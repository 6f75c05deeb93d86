// Locale items read through a locale object of our own.
#include <gtest/gtest.h>

#include <clocale>

#include "platform/locale_items.h"
#include "support/test_locales.h"

namespace chronell {
namespace {

#ifdef _WIN32

TEST(ReadLocaleItems, GlibcLocales)
{
    GTEST_SKIP() << "reads glibc locales, which Windows does not have; there the items come from the "
                    "locale functions (RegionalSettings tests)";
}

#else

TEST(ReadLocaleItems, CLocale)
{
    const auto items = readLocaleItems("C");
    ASSERT_TRUE(items.has_value());
    EXPECT_EQ(items->dateFormat, "%m/%d/%y");
    EXPECT_EQ(items->timeFormat, "%H:%M:%S");
    EXPECT_EQ(items->timeFormatAmPm, "%I:%M:%S %p");
    EXPECT_EQ(items->amString + items->pmString + items->radixChar, "AMPM.");
    EXPECT_EQ(items->longMonthNames[11], "December");
    EXPECT_EQ(items->shortDayNames[0], "Sun");
}

TEST(ReadLocaleItems, GermanLocaleLeavesTheGlobalLocaleAlone)
{
    const test::WithLocale german("de_DE.UTF-8");
    const std::string globalBefore = std::setlocale(LC_ALL, nullptr);
    const auto items = readLocaleItems("de_DE.UTF-8");
    ASSERT_TRUE(items.has_value());
    EXPECT_EQ(items->dateFormat, "%d.%m.%Y");
    EXPECT_EQ(items->radixChar, ",");
    EXPECT_EQ(items->longMonthNames[2], "M\xC3\xA4rz");
    EXPECT_EQ(items->shortDayNames[0], "So");  // Sunday first
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), globalBefore);
}

TEST(ReadLocaleItems, EmptyNameTakesEachCategoryFromTheEnvironmentLcAllFirst)
{
    const test::WithLocale german("de_DE.UTF-8");
    const test::ScopedEnv lang("LANG", std::nullopt), time("LC_TIME", "de_DE.UTF-8"), numeric("LC_NUMERIC", "C");
    for (const char* all : {"", "C"}) {
        const test::ScopedEnv lcAll("LC_ALL", *all ? std::optional<std::string>(all) : std::nullopt);
        const auto items = readLocaleItems("");
        ASSERT_TRUE(items.has_value());
        EXPECT_EQ(items->dateFormat, *all ? "%m/%d/%y" : "%d.%m.%Y") << all;
        EXPECT_EQ(items->radixChar, ".");
    }
}

TEST(ReadLocaleItems, UnknownLocaleGivesNothing)
{
    EXPECT_FALSE(readLocaleItems("xx_NOWHERE.UTF-8").has_value());
}

#endif

} // namespace
} // namespace chronell
