#include "platform/executable_path.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace chronell {
namespace {

namespace fs = std::filesystem;

TEST(ExecutablePath, IsThisTestProgram)
{
    const std::string path = executablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(fs::path(path).is_absolute()) << path;
    EXPECT_TRUE(fs::is_regular_file(path)) << path;
    EXPECT_TRUE(fs::equivalent(path, fs::path(CHRONELL_BIN_DIR) / ("chronell_platform_tests" CHRONELL_EXE_SUFFIX))) << path;
}

} // namespace
} // namespace chronell
