// The real program, run offscreen from a copy in a folder of its own, so
// that its settings file lands there, and ended as the desktop ends it: by
// a termination signal, which its window takes once it waits for the user.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/program_process.h"
#include "support/temp_folder.h"
#include "support/unwritable.h"

namespace chronell {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;

// The program copied into `folder`, started there with `arguments` on the
// offscreen platform (with `screens` as its screens when given) and ended
// by a termination signal. Returns its exit status, -1 when it did not exit
// by itself.
int runProgram(const TempFolder& folder, const std::vector<std::string>& arguments,
               const std::string& screens = {})
{
    std::string platform = "QT_QPA_PLATFORM=offscreen";
    if (!screens.empty()) platform += ":configfile=" + folder.write("screens.json", screens);
    return test::exitStatusWhenEnded(test::startProgram(test::programCopyIn(folder.path()), arguments, {platform}));
}

// The sections of a settings file, in the file's order, each with its
// "key=value" lines in order.
using Sections = std::vector<std::pair<std::string, std::vector<std::string>>>;

Sections sectionsOf(const std::string& text)
{
    Sections sections;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.starts_with("["))
            sections.emplace_back(line, std::vector<std::string>{});
        else if (!sections.empty())
            sections.back().second.push_back(line);
    }
    return sections;
}

// The value of `key` in the file's section `section`.
std::string valueOf(const Sections& sections, const std::string& section, const std::string& key)
{
    for (const auto& [name, lines] : sections) {
        if (name != "[" + section + "]") continue;
        for (const std::string& line : lines) {
            if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
        }
    }
    return "(missing)";
}

std::string windowTabHeight(const TempFolder& folder)
{
    return valueOf(sectionsOf(TempFolder::bytesOf(folder.file("Settings.ini"))), "Window", "TabHeight");
}

const std::string kStoredSettings =
    "[CHRONELL]\n"
    "Directory=/stored/folder/\n"
    "Mask=*.stored\n"
    "Formated Output=1\n"
    "Clear Log=0\n"
    "[ColumnWidths]\n"
    "Name=50\nSource=51\nDest=52\nStart=53\nEnd=54\nStatus=55\nDur=56\nJobfile=57\n"
    "[Window]\n"
    "Left=10\nTop=20\nWidth=700\nHeight=500\nTabHeight=77\n";

TEST(Program, FirstStartWritesAllSeventeenKeysWithTheirDefaults)
{
    TempFolder folder;
    ASSERT_EQ(runProgram(folder, {}), 0);

    const std::string written = TempFolder::bytesOf(folder.file("Settings.ini"));
    const Sections expected = {
        {"[CHRONELL]",
         {"Directory=" + folder.string() + "/", "Mask=*.jobs", "Formated Output=1", "Clear Log=1"}},
        {"[ColumnWidths]",
         {"Name=39", "Source=76", "Dest=76", "Start=92", "End=95", "Status=60", "Dur=73", "Jobfile=42"}},
        {"[Window]",
         {"Left=296", "Top=163", "Width=575", "Height=400", "TabHeight=" + windowTabHeight(folder)}},
    };
    EXPECT_EQ(sectionsOf(written), expected) << written;
    // The grid's height that the layout gave it at the designed size.
    EXPECT_EQ(windowTabHeight(folder), "229");
}

TEST(Program, ArgumentsReplaceTheStoredInputRowWhichIsNotRead)
{
    const struct {
        std::vector<std::string> arguments;
        const char* directory;
        const char* mask;
        const char* formatted;
    } cases[] = {
        {{"/given folder"}, "/given folder", "", "0"},
        {{"/given folder", "*.given"}, "/given folder", "*.given", "0"},
        {{"/given folder", "*.given", "/f"}, "/given folder", "*.given", "1"},
        {{"/given folder", "*.given", "/F"}, "/given folder", "*.given", "0"},
        {{"/given folder", "*.given", "-f"}, "/given folder", "*.given", "0"},
        {{"/given folder", "*.given", "/f", "more"}, "/given folder", "*.given", "1"},
        {{"", "", "/f"}, "/f", "", "0"},  // empty words hold no place
        {{"-reverse", "-style"}, "-reverse", "-style", "0"},  // no word is Qt's
    };
    for (const auto& c : cases) {
        TempFolder folder;
        folder.write("Settings.ini", kStoredSettings);
        ASSERT_EQ(runProgram(folder, c.arguments), 0) << c.directory;

        const Sections written = sectionsOf(TempFolder::bytesOf(folder.file("Settings.ini")));
        const std::string what = c.arguments.back();
        EXPECT_EQ(valueOf(written, "CHRONELL", "Directory"), c.directory) << what;
        EXPECT_EQ(valueOf(written, "CHRONELL", "Mask"), c.mask) << what;
        EXPECT_EQ(valueOf(written, "CHRONELL", "Formated Output"), c.formatted) << what;
        // The rest is restored as usual and written back as it was.
        EXPECT_EQ(valueOf(written, "CHRONELL", "Clear Log"), "0") << what;
        EXPECT_EQ(valueOf(written, "ColumnWidths", "Name"), "50") << what;
        EXPECT_EQ(valueOf(written, "ColumnWidths", "Jobfile"), "57") << what;
        EXPECT_EQ(valueOf(written, "Window", "Left"), "10") << what;
        EXPECT_EQ(valueOf(written, "Window", "Top"), "20") << what;
        EXPECT_EQ(valueOf(written, "Window", "Width"), "700") << what;
        EXPECT_EQ(valueOf(written, "Window", "Height"), "500") << what;
    }
}

TEST(Program, WithoutArgumentsTheStoredInputRowIsShown)
{
    TempFolder folder;
    folder.write("Settings.ini", kStoredSettings);
    ASSERT_EQ(runProgram(folder, {}), 0);
    const std::string written = TempFolder::bytesOf(folder.file("Settings.ini"));
    // Every value went through the window and back unchanged, the grid's
    // height (applied once the window is laid out) too.
    EXPECT_EQ(written, kStoredSettings);
}

TEST(Program, CopyInAFolderItCannotWriteKeepsItsSettingsInTheUserConfigFolder)
{
    const struct {
        const char* configHome;  // XDG_CONFIG_HOME below the test's folder; "" empty
        const char* settingsFile;
    } cases[] = {
        {"config", "config/Chronell/Settings.ini"},
        {"", "home/.config/Chronell/Settings.ini"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        fs::create_directories(folder.path() / "bin");
        fs::create_directories(folder.path() / "home");
        const fs::path program = test::programCopyIn(folder.path() / "bin");
        const test::Unwritable unwritable(folder.file("bin"));
        if (!unwritable.made()) GTEST_SKIP() << "this file system cannot make a folder unwritable for root";
        const std::string configHome = *c.configHome ? folder.file(c.configHome) : "";
        const auto run = [&](const std::vector<std::string>& arguments) {
            return test::exitStatusWhenEnded(test::startProgram(
                program, arguments,
                {"QT_QPA_PLATFORM=offscreen", "HOME=" + folder.file("home"), "XDG_CONFIG_HOME=" + configHome}));
        };

        // The first start shows the home folder, and the first exit makes the
        // folder, for the user alone.
        ASSERT_EQ(run({}), 0) << c.settingsFile;
        const std::string settingsFile = folder.file(c.settingsFile);
        EXPECT_EQ(valueOf(sectionsOf(TempFolder::bytesOf(settingsFile)), "CHRONELL", "Directory"),
                  folder.file("home") + "/")
            << c.settingsFile;
        EXPECT_EQ(fs::status(fs::path(settingsFile).parent_path()).permissions(), fs::perms::owner_all)
            << c.settingsFile;
        // The next start reads it there.
        ASSERT_EQ(run({"/given folder"}), 0) << c.settingsFile;
        ASSERT_EQ(run({}), 0) << c.settingsFile;
        EXPECT_EQ(valueOf(sectionsOf(TempFolder::bytesOf(settingsFile)), "CHRONELL", "Directory"), "/given folder")
            << c.settingsFile;
        EXPECT_FALSE(fs::exists(folder.file("bin/Settings.ini"))) << c.settingsFile;
    }
}

TEST(Program, SizeBelowTheMinimumOpensAtTheMinimum)
{
    TempFolder folder;
    folder.write("Settings.ini", "[Window]\nLeft=30\nTop=40\nWidth=100\nHeight=50\n");
    ASSERT_EQ(runProgram(folder, {}), 0);
    const Sections written = sectionsOf(TempFolder::bytesOf(folder.file("Settings.ini")));
    EXPECT_EQ(valueOf(written, "Window", "Left"), "30");
    EXPECT_EQ(valueOf(written, "Window", "Top"), "40");
    EXPECT_EQ(valueOf(written, "Window", "Width"), "575");
    EXPECT_EQ(valueOf(written, "Window", "Height"), "300");
}

TEST(Program, WindowOffEveryScreenIsBroughtOntoThePrimaryOne)
{
    // A primary screen of 1024 x 768 and a second one to its right.
    const std::string screens = R"({"screens": [
        {"name": "primary", "x": 0, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96},
        {"name": "second", "x": 1024, "y": 0, "width": 800, "height": 600, "logicalDpi": 96}]})";
    const struct {
        const char* what;
        const char* stored;  // Left, Top, Width, Height
        const char* opened;
    } cases[] = {
        {"far to the left", "-5000,163,575,400", "224,184,575,400"},
        {"below every screen", "296,5000,575,400", "224,184,575,400"},
        {"too big for the primary screen", "-5000,-5000,2000,1000", "0,0,1024,768"},
        {"on the second screen", "1500,100,575,400", "1500,100,575,400"},
        {"partly on a screen", "-500,-300,575,400", "-500,-300,575,400"},
        {"in the gap below the second screen", "1200,650,575,100", "224,234,575,300"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::string stored = c.stored;
        std::vector<std::string> values;
        for (std::size_t at = 0, comma = 0; comma != std::string::npos; at = comma + 1) {
            comma = stored.find(',', at);
            values.push_back(stored.substr(at, comma == std::string::npos ? comma : comma - at));
        }
        folder.write("Settings.ini", "[Window]\nLeft=" + values[0] + "\nTop=" + values[1] + "\nWidth="
                                         + values[2] + "\nHeight=" + values[3] + "\n");
        ASSERT_EQ(runProgram(folder, {}, screens), 0) << c.what;
        const Sections written = sectionsOf(TempFolder::bytesOf(folder.file("Settings.ini")));
        const std::string opened = valueOf(written, "Window", "Left") + "," + valueOf(written, "Window", "Top")
                                   + "," + valueOf(written, "Window", "Width") + ","
                                   + valueOf(written, "Window", "Height");
        EXPECT_EQ(opened, c.opened) << c.what;
    }
}

} // namespace
} // namespace chronell
