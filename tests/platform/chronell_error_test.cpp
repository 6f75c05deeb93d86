#include "platform/chronell_error.h"

#include <gtest/gtest.h>

#include <string>

namespace chronell {
namespace {

struct BoxTextCase {
    std::string message;
    std::string shown;
};

class ErrorBoxText : public ::testing::TestWithParam<BoxTextCase> {};

TEST_P(ErrorBoxText, AppendsAFullStopOnlyAfterACharacterCodedAboveIt)
{
    EXPECT_EQ(errorBoxText(GetParam().message), GetParam().shown) << "message: '" << GetParam().message << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorBoxText,
    ::testing::Values(BoxTextCase{"a", "a."},
                      BoxTextCase{"a.", "a."},
                      BoxTextCase{"a?", "a?."},
                      BoxTextCase{"a!", "a!"},
                      BoxTextCase{"a)", "a)"},
                      BoxTextCase{"a ", "a "},
                      BoxTextCase{"", ""},
                      // Either side of "." (2E): "-" is 2D, "/" is 2F.
                      BoxTextCase{"a-", "a-"},
                      BoxTextCase{"a/", "a/."},
                      // Bytes above 7F are above "." too, not negative.
                      BoxTextCase{"caf\xE9", "caf\xE9."},
                      BoxTextCase{"'x' is not a valid integer value", "'x' is not a valid integer value."}));

} // namespace
} // namespace chronell
