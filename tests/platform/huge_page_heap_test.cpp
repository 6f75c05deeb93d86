#include "platform/huge_page_heap.h"

#include <gtest/gtest.h>

namespace chronell {
namespace {

TEST(HugePageHeap, TheModeInForceIsTheBracketedOne)
{
    const struct {
        const char* file;
        const char* mode;
    } cases[] = {
        {"always [madvise] never\n", "madvise"},
        {"[always] madvise never\n", "always"},
        {"always madvise [never]\n", "never"},
        {"", ""},
        {"always madvise never\n", ""},
        {"always [madvise never\n", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(transparentHugePageMode(c.file), c.mode) << c.file;
}

TEST(HugePageHeap, RestartsOnlyWhereHugePagesAreOnRequestAndTheUserSetNoTunables)
{
    EXPECT_TRUE(restartForHugePages("madvise", nullptr));
    // "always" gives them without asking, "never" not at all.
    EXPECT_FALSE(restartForHugePages("always", nullptr));
    EXPECT_FALSE(restartForHugePages("never", nullptr));
    EXPECT_FALSE(restartForHugePages("", nullptr));
    EXPECT_FALSE(restartForHugePages("madvise", ""));
    EXPECT_FALSE(restartForHugePages("madvise", "glibc.malloc.hugetlb=0"));
}

} // namespace
} // namespace chronell
