#include "analysis/integer_text.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/chronell_error.h"

namespace chronell {
namespace {

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

class IntegerTextRule : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerTextRule, QuietFormReadsOrRefuses)
{
    EXPECT_EQ(tryStrToInt(GetParam().text), GetParam().expected) << "text: '" << GetParam().text << "'";
}

TEST_P(IntegerTextRule, RaisingFormAgreesAndNamesTheText)
{
    const IntegerCase& c = GetParam();
    if (c.expected) {
        EXPECT_EQ(StrToInt(c.text), *c.expected);
        return;
    }
    try {
        StrToInt(c.text);
        FAIL() << "no failure for '" << c.text << "'";
    } catch (const ChronellError& error) {
        EXPECT_EQ(std::string(error.what()), std::string("'") + c.text + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IntegerTextRule,
    ::testing::Values(
        // decimal
        IntegerCase{"0", 0}, IntegerCase{"3", 3}, IntegerCase{"0042", 42}, IntegerCase{"+7", 7},
        IntegerCase{"-2", -2}, IntegerCase{"2147483647", 2147483647},
        IntegerCase{"-2147483648", INT32_MIN}, IntegerCase{"2147483648", std::nullopt},
        IntegerCase{"-2147483649", std::nullopt}, IntegerCase{"99999999999999999999", std::nullopt},
        // hexadecimal with every prefix
        IntegerCase{"$10", 16}, IntegerCase{"x1F", 31}, IntegerCase{"X1f", 31}, IntegerCase{"0x20", 32},
        IntegerCase{"0X20", 32}, IntegerCase{"-$10", -16}, IntegerCase{"+$ff", 255},
        IntegerCase{"$7FFFFFFF", 2147483647}, IntegerCase{"$80000000", INT32_MIN},
        IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"-$FFFFFFFF", 1}, IntegerCase{"$100000000", std::nullopt},
        IntegerCase{"$000000000000010", 16},
        // blanks: leading spaces only; never a tab, never trailing
        IntegerCase{"  12", 12}, IntegerCase{" -$a", -10}, IntegerCase{"\t12", std::nullopt},
        IntegerCase{"12 ", std::nullopt}, IntegerCase{" 3 ", std::nullopt}, IntegerCase{"- 1", std::nullopt},
        // nothing to read, or something else
        IntegerCase{"", std::nullopt}, IntegerCase{" ", std::nullopt}, IntegerCase{"-", std::nullopt},
        IntegerCase{"+", std::nullopt}, IntegerCase{"$", std::nullopt}, IntegerCase{"0x", std::nullopt},
        IntegerCase{"-0x", std::nullopt}, IntegerCase{"$g", std::nullopt}, IntegerCase{"12px", std::nullopt},
        IntegerCase{"1.5", std::nullopt}, IntegerCase{"x", std::nullopt}, IntegerCase{"--1", std::nullopt},
        IntegerCase{"1e3", std::nullopt}));

} // namespace
} // namespace chronell
