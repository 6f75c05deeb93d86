#include "platform/paths.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(Paths, HostFolderPart)
{
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"/home/user/jobs/*.jobs", "/home/user/jobs/"},
        {"jobs/sub/*.jobs", "jobs/sub/"},
        {"/jobs/", "/jobs/"},
        {"/*.jobs", "/"},
        {"*.jobs", ""},
        {"", ""},
#ifdef _WIN32
        {"C:\\jobs\\*.jobs", "C:\\jobs\\"},
        {"C:\\jobs/sub\\*.jobs", "C:\\jobs/sub\\"},
        {"C:\\jobs\\sub/*.jobs", "C:\\jobs\\sub/"},
        {"C:*.jobs", "C:"},
        {"\\\\server\\share\\*.jobs", "\\\\server\\share\\"},
#else
        {"/jobs/sub\\*.jobs", "/jobs/"},
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hostFolderPart(c.path), c.folder) << c.path;
        EXPECT_EQ(std::string(hostFolderPart(c.path)) + std::string(hostFileNamePart(c.path)), c.path);
    }
}

} // namespace
} // namespace chronell
