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

TEST(HugePageHeap, RestartsOnlyWhereHugePagesAreOnRequestAndNothingElseIsSet)
{
    EXPECT_TRUE(restartForHugePages("madvise", nullptr, nullptr));
    // "always" gives them without asking, "never" not at all.
    EXPECT_FALSE(restartForHugePages("always", nullptr, nullptr));
    EXPECT_FALSE(restartForHugePages("never", nullptr, nullptr));
    EXPECT_FALSE(restartForHugePages("", nullptr, nullptr));
    // The user's tunables, even none.
    EXPECT_FALSE(restartForHugePages("madvise", "", nullptr));
    EXPECT_FALSE(restartForHugePages("madvise", "glibc.malloc.hugetlb=0", nullptr));
    // A tool watching the program.
    EXPECT_FALSE(restartForHugePages("madvise", nullptr, "/usr/libexec/valgrind/vgpreload_core-amd64-linux.so"));
}

} // namespace
} // namespace chronell
