// The real program ended by the desktop: SIGTERM and SIGHUP take the way
// of File, Exit, so the settings are written and the exit status is 0.
#include <gtest/gtest.h>

#include <csignal>

#include "settings/settings_store.h"
#include "support/program_process.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using test::TempFolder;

TEST(TerminationWatch, TermAndHupEndTheProgramAsExitDoes)
{
    for (const int signal : {SIGTERM, SIGHUP}) {
        TempFolder folder;
        const pid_t pid = test::startProgram(test::programCopyIn(folder.path()), {"/given folder", "*.given"},
                                             {"QT_QPA_PLATFORM=offscreen"});
        ASSERT_GT(pid, 0);
        EXPECT_EQ(test::exitStatusWhenEnded(pid, signal), 0) << signal;

        // Written by the destruction handler, the values of the window.
        const SettingsStore written(folder.file("Settings.ini"));
        EXPECT_EQ(written.readText("CHRONELL", "Directory", "(missing)"), "/given folder") << signal;
        EXPECT_EQ(written.readText("CHRONELL", "Mask", "(missing)"), "*.given") << signal;
        EXPECT_EQ(written.readText("Window", "TabHeight", "(missing)"), "229") << signal;
    }
}

} // namespace
} // namespace chronell
