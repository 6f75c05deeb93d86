#include "app/application_title.h"

#include <gtest/gtest.h>

namespace chronell {
namespace {

struct TitleCase {
    const char* path;
    const char* title;
};

TEST(ApplicationTitle, FromTheExecutablesFileName)
{
    const TitleCase cases[] = {
        {"/opt/VIEWER.EXE", "Viewer"},
        {"/opt/Viewer.Old.Exe", "Viewer"},            // cut at the first ".", not the last
        {"/opt/CamelCase", "Camelcase"},
        {"/opt/X", "X"},
        {"/opt/.hidden", ""},
        {"", ""},
        {"/opt/some.dir/CHRONELL", "Chronell"},       // a "." in a folder does not count
        {"/opt/Chronell-2.EXE", "Chronell-2"},
        {"/opt/A\xC4\xD6Z", "A\xC4\xD6z"},            // only ASCII letters change
        {"/opt/\xC4RGER.exe", "\xC4rger"},
    };
    for (const auto& c : cases) EXPECT_EQ(applicationTitle(c.path), c.title) << c.path;
}

TEST(ApplicationTitle, FirstCharacterFollowsTheHost)
{
#ifdef _WIN32
    const TitleCase cases[] = {
        {"C:\\Program Files\\Chronell\\VIEWER.EXE", "Viewer"},
        {"C:\\Program Files\\Chronell\\viewer.old.exe", "viewer"},
        {"C:\\chronell.exe", "chronell"},
    };
#else
    const TitleCase cases[] = {
        {"/usr/local/bin/chronell", "Chronell"},
        {"chronell", "Chronell"},                     // no folder
        {"/opt/viewer.old.exe", "Viewer"},
        {"/opt/x", "X"},
        {"/opt/1chronell", "1chronell"},
        {"/opt/\xE4rger", "\xE4rger"},                // only an ASCII letter goes up
    };
#endif
    for (const auto& c : cases) EXPECT_EQ(applicationTitle(c.path), c.title) << c.path;
}

} // namespace
} // namespace chronell
