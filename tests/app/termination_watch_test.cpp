// The real program ended by the desktop: SIGTERM and SIGHUP take the way
// of File, Exit, so the settings are written and the exit status is 0.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>

#include "settings/settings_store.h"
#include "support/program_process.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using test::TempFolder;

// Whether process `pid` has a handler of its own for `signal`: the mask of
// caught signals on the SigCgt line of its status.
bool catches(pid_t pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("SigCgt:")) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1u;
    }
    return false;
}

TEST(TerminationWatch, TermAndHupEndTheProgramAsExitDoes)
{
    for (const int signal : {SIGTERM, SIGHUP}) {
        TempFolder folder;
        const pid_t pid = test::startProgram(test::programCopyIn(folder.path()), {"/given folder", "*.given"},
                                             {"QT_QPA_PLATFORM=offscreen"});
        ASSERT_GT(pid, 0);
        // The signal is sent once the program has its handler; a program that
        // never installs one is ended by the signal and fails below.
        for (int attempt = 0; attempt < 3000 && !catches(pid, signal); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::kill(pid, signal);
        EXPECT_EQ(test::exitStatusOf(pid), 0) << signal;

        // Written by the destruction handler, the values of the window.
        const SettingsStore written(folder.file("Settings.ini"));
        EXPECT_EQ(written.readText("CHRONELL", "Directory", "(missing)"), "/given folder") << signal;
        EXPECT_EQ(written.readText("CHRONELL", "Mask", "(missing)"), "*.given") << signal;
        EXPECT_EQ(written.readText("Window", "TabHeight", "(missing)"), "229") << signal;
    }
}

} // namespace
} // namespace chronell
