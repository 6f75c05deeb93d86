// The float text: 15 significant digits, fixed or exponent notation, the
// given decimal separator, and no influence of the C library's locale.
#include <gtest/gtest.h>

#include <cstdint>

#include <clocale>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "analysis/duration.h"
#include "support/test_locales.h"

namespace chronell {
namespace {

const std::pair<double, const char*> kCases[] = {
    {0.0, "0"}, {-0.0, "0"}, {999999999999999.0, "999999999999999"}, {1e15, "1E15"}, {1.5e16, "1.5E16"},
    {0.0001, "0.0001"}, {0.00012345, "0.00012345"}, {0.00005, "5E-5"}, {86399.999, "86399.999"},
    {3723.456, "3723.456"}, {5400.0, "5400"}, {0.251, "0.251"}, {0.1 + 0.2, "0.3"},
    {-3723.456, "-3723.456"}, {-0.00005, "-5E-5"}, {-1e15, "-1E15"},
    {123456789012345678.0, "1.23456789012346E17"},  // 16th digit 6 rounds up
    {100000000000000.5, "100000000000001"},         // 16th digit exactly 5 rounds up
    {999999999999999.5, "1E15"},                    // the carry moves the exponent
    {999999999999999.4, "999999999999999"},
    {std::numeric_limits<double>::max(), "1.79769313486232E308"},
    {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
};

TEST(FloatText, GeneralFormatWith15Digits)
{
    for (const auto& [value, text] : kCases) EXPECT_EQ(floatText(value, '.'), text);
}

// Whole milliseconds, as seconds values are, read back digit for digit.
TEST(FloatText, WholeMillisecondsShowTheirDecimalDigits)
{
    const std::uint64_t counts[] = {1, 9, 10, 250, 999, 1000, 1001, 3723456, 5325750, 86399999, 97200000,
                                    123456789012, 999999999999999, 100000000000001};
    for (const std::uint64_t count : counts) {
        std::string expected = std::to_string(count / 1000);
        std::string fraction = std::to_string(1000 + count % 1000).substr(1);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        if (!fraction.empty()) expected += "." + fraction;
        EXPECT_EQ(floatText(static_cast<double>(count) / 1000.0, '.'), expected) << count;
    }
    EXPECT_EQ(floatText(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(floatText(2550.25 + 2775.5, '.'), "5325.75");
}

TEST(FloatText, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(floatText(3723.456, ','), "3723,456");
    EXPECT_EQ(floatText(1.5e16, ','), "1,5E16");
    EXPECT_EQ(floatText(0.0001, ','), "0,0001");
    EXPECT_EQ(floatText(3723.456, '\0'), "3723456");  // a NUL separator writes nothing
}

TEST(FloatText, IgnoresAGermanGlobalLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    {
        const test::WithLocale german(test::kGermanLocaleName);
        ASSERT_NE(std::setlocale(LC_ALL, test::kGermanLocaleName), nullptr);
    }
    char cLibraryText[16];
    std::snprintf(cLibraryText, sizeof cLibraryText, "%.1f", 1.5);
    std::vector<std::string> texts;
    for (const auto& c : kCases) texts.push_back(floatText(c.first, '.'));
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_STREQ(cLibraryText, "1,5");  // the German locale was in force
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i], kCases[i].second);
}

} // namespace
} // namespace chronell
