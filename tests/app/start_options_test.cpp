// The window's command line before any window: the help and the version
// without a display, a file given as the folder, and no display at all.
#include "app/start_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace chronell {
namespace {

using Arguments = std::vector<std::string>;

TEST(StartOptions, HelpAndVersionAreAnsweredWithoutAWindow)
{
    for (const Arguments& arguments : {Arguments{"--help"}, Arguments{"-h"}})
        EXPECT_EQ(textInsteadOfWindow(arguments), std::string(kWindowUsage));
    for (const Arguments& arguments : {Arguments{"--version"}, Arguments{"-V"}})
        EXPECT_EQ(textInsteadOfWindow(arguments), std::string("chronell 0.1\n"));
    for (const Arguments& arguments : {Arguments{}, Arguments{"/jobs"}, Arguments{"/jobs", "--help"}})
        EXPECT_FALSE(textInsteadOfWindow(arguments));
}

TEST(StartOptions, AFileGivenAsTheFolderStandsForItsFolderAndName)
{
    const test::TempFolder folder;
    const std::string file = folder.write("queue.jobs", "");
    const struct {
        Arguments given;
        Arguments taken;
    } cases[] = {
        {{file}, {folder.string(), "queue.jobs"}},
        {{file, "*.x", "/f"}, {folder.string(), "queue.jobs", "/f"}},
        {{folder.string(), "*.x"}, {folder.string(), "*.x"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        Arguments arguments = c.given;
        takeFileArgument(arguments);
        EXPECT_EQ(arguments, c.taken);
    }
}

// The real program with no display to open.
test::ProgramResult runWithoutDisplay(const Arguments& arguments)
{
    const test::TempFolder folder;
    return test::runProgram(std::string(CHRONELL_BIN_DIR) + "/chronell", arguments, folder.string(),
                            {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}});
}

TEST(StartOptions, WithoutADisplayTheVersionIsPrintedAndTheWindowSaysItCannotOpen)
{
    const test::ProgramResult version = runWithoutDisplay({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "chronell 0.1\n");
    const test::ProgramResult help = runWithoutDisplay({"-h"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: chronell [FOLDER [MASK [/f]]]\n", 0), 0u);

    const test::ProgramResult window = runWithoutDisplay({});
    EXPECT_EQ(window.status, 1);
    EXPECT_EQ(window.err, "chronell: cannot open a display\n");
}

} // namespace
} // namespace chronell
