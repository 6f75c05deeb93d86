#include "analysis/job_extras.h"

#include <gtest/gtest.h>

namespace chronell {
namespace {

TEST(JobExtras, QuotedValuesAreUnescaped)
{
    const struct {
        const char* text;
        std::string value;
    } cases[] = {
        {"\"STUDIO-PC\"", "STUDIO-PC"},
        {"\"say \\\"hi\\\"\" trailing", "say \"hi\""},
        {"\"C:\\\\out\\\\\"", "C:\\out\\"},
        {"\"bang\\x21 \\x0a\\xC9\"", std::string("bang! \n\xC9")},
        {"\"bad \\xZZ \\q\"", "bad \\xZZ \\q"},  // not an escape: kept
        {"\"cut \\x4", "cut \\x4"},
        {"\"unterminated", "unterminated"},
        {"no quote", ""},
        {"\"ends in \\", "ends in \\"},
    };
    for (const auto& c : cases) EXPECT_EQ(unescapeQuoted(c.text), c.value) << c.text;
}

TEST(JobExtras, OnlyTheOptionalLinesAreTaken)
{
    JobExtras extras;
    for (const char* line : {"// $runner_name \"ATTIC\"", "// $runner_id 1b2c3d4e00000a10 ", "// $id 4f3a",
                             "// $error \"Disk full\"", "// $identity \"x\"", "// $runner_names \"y\"",
                             "x // $id 99", "// $logent 1 text"})
        readJobExtraLine(line, extras);
    EXPECT_EQ(extras.runnerName, "ATTIC");
    EXPECT_EQ(extras.runnerId, "1b2c3d4e00000a10");
    EXPECT_EQ(extras.id, "4f3a");
    EXPECT_EQ(extras.error, "Disk full");
}

} // namespace
} // namespace chronell
