#include "platform/paths.h"

#include <gtest/gtest.h>

namespace chronell {
namespace {

TEST(Paths, HostSeparator)
{
#ifdef _WIN32
    EXPECT_EQ(kPathSeparator, '\\');
#else
    EXPECT_EQ(kPathSeparator, '/');
#endif
}

TEST(Paths, WindowsFileNamePart)
{
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\video\\clip.avi", "clip.avi"},
        {"C:clip.avi", "clip.avi"},
        {"\\\\server\\share\\clip.avi", "clip.avi"},
        {"D:/video/clip.avi", "clip.avi"},
        {"video\\sub/clip.avi", "clip.avi"},
        {"C:\\video\\", ""},
        {"clip.avi", "clip.avi"},
        {"", ""},
        {"C:\\my video\\clip 1.avi", "clip 1.avi"},
    };
    for (const auto& c : cases) EXPECT_EQ(windowsFileNamePart(c.path), c.name) << c.path;
}

TEST(Paths, HostFileNamePart)
{
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"/home/user/jobs/clip.jobs", "clip.jobs"},
        {"jobs/clip.jobs", "clip.jobs"},
        {"/home/user/jobs/", ""},
        {"clip.jobs", "clip.jobs"},
        {"", ""},
#ifdef _WIN32
        {"C:\\jobs\\clip.jobs", "clip.jobs"},
        {"C:clip.jobs", "clip.jobs"},
#else
        // A backslash or colon is an ordinary character of a Linux name.
        {"/jobs/C:\\clip.jobs", "C:\\clip.jobs"},
#endif
    };
    for (const auto& c : cases) EXPECT_EQ(hostFileNamePart(c.path), c.name) << c.path;
}

} // namespace
} // namespace chronell
