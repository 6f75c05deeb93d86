// The window's state restored at start-up and saved when it is destroyed,
// with the settings file in a folder of the test's own.
#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <functional>

#include "settings/settings_store.h"
#include "tests/support/job_list_text.h"
#include "tests/support/temp_folder.h"
#include "tests/support/unwritable.h"
#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_view.h"
#include "ui/widgets/log_view.h"
#include "ui/widgets/status_legend.h"

namespace {

using chronell::SettingsStore;
using chronell::test::partsOf;
using chronell::test::TestCollaborators;
using chronell::test::unaskedCollaborators;
using chronell::test::settle;
using chronell::test::TempFolder;
using chronell::test::Unwritable;

// A window started up as the program starts it, its executable as if in `folder`.
std::unique_ptr<chronell::MainWindow> startedWindow(const TempFolder& folder, std::vector<std::string> arguments = {},
                                       chronell::WindowCollaborators collaborators = unaskedCollaborators())
{
    auto window = std::make_unique<chronell::MainWindow>(std::move(collaborators));
    window->startUp(std::move(arguments), folder.file("chronell"));
    return window;
}

void showAndSettle(chronell::MainWindow& window)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    settle();
}

std::string settingsOf(const TempFolder& folder)
{
    return TempFolder::bytesOf(folder.file("Settings.ini"));
}

std::string storedValue(const TempFolder& folder, const char* section, const char* key)
{
    return SettingsStore(folder.file("Settings.ini")).readText(section, key, "(missing)");
}

const char* const kColumnKeys[] = {"Name", "Source", "Dest", "Start", "End", "Status", "Dur", "Jobfile"};

// What the window shows for a key, as the key's text in the file would read.
std::string shownFor(chronell::MainWindow& window, const std::string& key)
{
    if (key == "Directory") return window.folderText();
    if (key == "Mask") return window.maskText();
    if (key == "Formated Output") return window.formattedTimeTicked() ? "1" : "0";
    if (key == "Clear Log") return window.clearLogTicked() ? "1" : "0";
    for (int column = 0; column < 8; ++column) {
        if (key == kColumnKeys[column]) return std::to_string(partsOf(window).resultsGrid->colWidth(column));
    }
    const QRect bounds = window.outerBounds();
    if (key == "Left") return std::to_string(bounds.left());
    if (key == "Top") return std::to_string(bounds.top());
    if (key == "Width") return std::to_string(bounds.width());
    if (key == "Height") return std::to_string(bounds.height());
    return "(no such key)";
}

TEST(WindowStateKept, FirstStartShowsTheDefaultsAndWritesEveryKeyAtExit)
{
    TempFolder folder;
    TestCollaborators boxes;
    auto window = startedWindow(folder, {}, boxes.collaborators());

    EXPECT_EQ(window->folderText(), folder.string() + "/");
    EXPECT_EQ(window->maskText(), "*.jobs");
    EXPECT_TRUE(window->formattedTimeTicked());
    EXPECT_TRUE(window->clearLogTicked());
    for (int column = 0; column < 8; ++column)
        EXPECT_EQ(partsOf(*window).resultsGrid->colWidth(column), chronell::kDesignedColumnWidths[column]) << column;
    EXPECT_EQ(window->outerBounds(), QRect(296, 163, 575, 400));
    EXPECT_FALSE(std::filesystem::exists(folder.file("Settings.ini")));  // reading creates nothing

    showAndSettle(*window);
    window.reset();
    EXPECT_EQ(settingsOf(folder),
              "[CHRONELL]\nDirectory=" + folder.string() + "/\nMask=*.jobs\nFormated Output=1\nClear Log=1\n"
              "[ColumnWidths]\nName=39\nSource=76\nDest=76\nStart=92\nEnd=95\nStatus=60\nDur=73\nJobfile=42\n"
              "[Window]\nLeft=296\nTop=163\nWidth=575\nHeight=400\nTabHeight=229\n"
              "[History]\nKeep History=1\n");
    EXPECT_TRUE(boxes.errors.empty());
}

TEST(WindowStateKept, StoredValuesAreShownAndWrittenBack)
{
    const struct {
        const char* section;
        const char* key;
        const char* stored;
        const char* shown;  // and written back at exit
    } cases[] = {
        {"CHRONELL", "Directory", "/home/user/my jobs/", "/home/user/my jobs/"},
        {"CHRONELL", "Directory", "", ""},  // present and empty: not the default
        {"CHRONELL", "Mask", "*.avi", "*.avi"},
        {"CHRONELL", "Formated Output", "0", "0"},
        {"CHRONELL", "Formated Output", "2", "1"},
        {"CHRONELL", "Formated Output", "no", "1"},
        {"CHRONELL", "Clear Log", "0", "0"},
        {"CHRONELL", "Clear Log", "false", "1"},  // a word does not convert: the default
        {"CHRONELL", "Clear Log", "yes", "1"},
        {"ColumnWidths", "Name", "120", "120"},
        {"ColumnWidths", "Jobfile", "0x40", "64"},
        {"ColumnWidths", "Source", "0", "0"},
        {"ColumnWidths", "Dest", "-1", "-1"},
        {"ColumnWidths", "Dur", "-5", "-1"},       // the narrowest column the grid holds
        {"ColumnWidths", "Start", "wide", "92"},   // the current width
        {"Window", "Left", "0x20", "32"},
        {"Window", "Left", "$20", "32"},
        {"Window", "Left", "-$10", "-16"},
        {"Window", "Left", "12px", "296"},        // the current left edge
        {"Window", "Left", "1.5", "296"},
        {"Window", "Left", "2147483648", "296"},
        {"Window", "Top", "0", "0"},
        {"Window", "Width", "100", "575"},         // the minimum size
        {"Window", "Width", "800", "800"},
        {"Window", "Height", "50", "300"},
        {"Window", "Height", "450", "450"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        folder.write("Settings.ini", std::string("[") + c.section + "]\n" + c.key + "=" + c.stored + "\n");
        TestCollaborators boxes;
        auto window = startedWindow(folder, {}, boxes.collaborators());
        EXPECT_EQ(shownFor(*window, c.key), c.shown) << c.key << "=" << c.stored;
        window.reset();
        EXPECT_EQ(storedValue(folder, c.section, c.key), c.shown) << c.key << "=" << c.stored;
        EXPECT_TRUE(boxes.errors.empty());
    }
}

TEST(WindowStateKept, ExtremeValuesStayWithinWhatTheWindowHolds)
{
    TempFolder folder;
    folder.write("Settings.ini",
                 "[ColumnWidths]\nName=2147483647\nSource=-2147483648\n"
                 "[Window]\nLeft=2147483647\nTop=-2147483648\nWidth=-2147483648\nHeight=2147483647\n"
                 "TabHeight=-2147483648\n");
    auto window = startedWindow(folder);
    EXPECT_EQ(partsOf(*window).resultsGrid->colWidth(0), partsOf(*window).resultsGrid->horizontalHeader()->maximumSectionSize() - 1);
    EXPECT_EQ(partsOf(*window).resultsGrid->colWidth(1), -1);
    // Far off every screen and taller than any: onto the primary screen, cut to it.
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(primary.contains(window->outerBounds()));
    EXPECT_EQ(window->outerBounds().width(), 575);
    EXPECT_EQ(window->outerBounds().height(), primary.height());
}

TEST(WindowStateKept, FolderAndMaskBytesThatAreNotUtf8GoBackUnchanged)
{
    const std::string folderBytes = "/srv/vid\xE9os/";
    const std::string maskBytes = "*\xE9.jobs";
    for (const bool fromCommandLine : {true, false}) {
        TempFolder folder;
        if (!fromCommandLine)
            folder.write("Settings.ini", "[CHRONELL]\nDirectory=" + folderBytes + "\nMask=" + maskBytes + "\n");
        auto window = fromCommandLine ? startedWindow(folder, {folderBytes, maskBytes}) : startedWindow(folder);
        EXPECT_EQ(window->folderText(), folderBytes) << fromCommandLine;
        EXPECT_EQ(window->maskText(), maskBytes) << fromCommandLine;
        window.reset();
        EXPECT_EQ(storedValue(folder, "CHRONELL", "Directory"), folderBytes) << fromCommandLine;
        EXPECT_EQ(storedValue(folder, "CHRONELL", "Mask"), maskBytes) << fromCommandLine;
    }
}

TEST(WindowStateKept, StoredSizeLargerThanTheScreenIsReducedToIt)
{
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    TempFolder folder;
    folder.write("Settings.ini", "[Window]\nLeft=296\nTop=163\nWidth=99999\nHeight=99999\n");
    auto window = startedWindow(folder);
    EXPECT_EQ(window->outerBounds(), primary);
}

TEST(WindowStateKept, StoredGridHeightDividesThePanelOnceShownWithinWhatFits)
{
    // The panel holds 260 pixels inside its bevel: grid, the 3-pixel splitter, log.
    const struct {
        const char* stored;
        int grid;
    } cases[] = {
        {"50", 50},
        {"229", 229},
        {"257", 257},   // the log collapsed
        {"5000", 257},  // no longer fits: the log collapsed
        {"-100", 30},   // the grid keeps the splitter's smallest share
        {"wide", 229},  // not a height: as designed
    };
    for (const auto& c : cases) {
        TempFolder folder;
        folder.write("Settings.ini", std::string("[Window]\nTabHeight=") + c.stored + "\n");
        auto window = startedWindow(folder);
        showAndSettle(*window);
        EXPECT_EQ(partsOf(*window).resultsGrid->height(), c.grid) << c.stored;
        EXPECT_EQ(partsOf(*window).resultsGrid->height() + 3 + partsOf(*window).logView->height(), 260) << c.stored;
        window.reset();
        EXPECT_EQ(storedValue(folder, "Window", "TabHeight"), std::to_string(c.grid)) << c.stored;
    }
}

TEST(WindowStateKept, TheLegendUnderTheGridTakesTheGridsShareAndTheLogKeepsItsHeight)
{
    TempFolder folder;
    folder.write("Settings.ini", "[Window]\nTabHeight=150\n");
    folder.write("evening.jobs", chronell::test::jobListText({{"Intro", "D:\\in\\a.avi", "D:\\out\\a.avi", "2"},
                                                              {"Reel", "D:\\in\\b.avi", "D:\\out\\b.avi", "5"}}));
    for (int start = 0; start < 2; ++start) {
        auto window = startedWindow(folder);
        showAndSettle(*window);
        const auto* legend = window->findChild<chronell::StatusLegend*>(QStringLiteral("gridLegend"));
        ASSERT_NE(legend, nullptr);
        EXPECT_FALSE(legend->isVisible()) << start << ": no colours before a run";
        EXPECT_EQ(partsOf(*window).resultsGrid->height(), 150) << start;

        partsOf(*window).folderBox->setText(QString::fromStdString(folder.string()));
        QTest::mouseClick(partsOf(*window).processButton, Qt::LeftButton);
        settle();
        ASSERT_TRUE(legend->isVisible()) << start;
        EXPECT_EQ(legend->entries().size(), 2u) << start;
        const QRect grid = partsOf(*window).resultsGrid->geometry();
        EXPECT_EQ(legend->y(), grid.bottom() + 1) << start << ": right under the grid";
        EXPECT_EQ(grid.height() + legend->height(), 150) << start;
        EXPECT_EQ(partsOf(*window).logView->height(), 260 - 3 - 150) << start;
        window.reset();
        EXPECT_EQ(storedValue(folder, "Window", "TabHeight"), "150") << start;
    }
}

TEST(WindowStateKept, WindowOffEveryScreenOpensOnThePrimaryScreen)
{
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    TempFolder folder;
    folder.write("Settings.ini", "[Window]\nLeft=-5000\nTop=163\nWidth=575\nHeight=300\n");
    auto window = startedWindow(folder);
    EXPECT_TRUE(primary.contains(window->outerBounds()));
    EXPECT_EQ(window->outerBounds().size(), QSize(575, 300));

    // Partly on a screen: as stored.
    folder.write("Settings.ini", "[Window]\nLeft=-500\nTop=-100\nWidth=575\nHeight=300\n");
    window = startedWindow(folder);
    EXPECT_EQ(window->outerBounds(), QRect(-500, -100, 575, 300));
}

TEST(WindowStateKept, MaximisedWindowStoresItsMaximisedRectangle)
{
    TempFolder folder;
    auto window = startedWindow(folder);
    showAndSettle(*window);
    window->showMaximized();
    settle();
    ASSERT_TRUE(window->isMaximized());
    const QRect maximised = window->outerBounds();
    ASSERT_NE(maximised, QRect(296, 163, 575, 400));
    window.reset();
    EXPECT_EQ(storedValue(folder, "Window", "Width"), std::to_string(maximised.width()));
    EXPECT_EQ(storedValue(folder, "Window", "Height"), std::to_string(maximised.height()));

    // The next start opens a normal window with that place and size, as far
    // as the screen holds it: the design's frame around the maximised
    // window's widget makes the rectangle larger than the screen.
    window = startedWindow(folder);
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window->outerBounds(), maximised.intersected(primary));
    showAndSettle(*window);
    EXPECT_FALSE(window->isMaximized());
}

TEST(WindowStateKept, MinimisedWindowStoresItsNormalRectangle)
{
    TempFolder folder;
    folder.write("Settings.ini", "[Window]\nLeft=100\nTop=120\nWidth=600\nHeight=450\n");
    auto window = startedWindow(folder);
    showAndSettle(*window);
    window->showMinimized();
    settle();
    window.reset();
    EXPECT_EQ(storedValue(folder, "Window", "Left"), "100");
    EXPECT_EQ(storedValue(folder, "Window", "Top"), "120");
    EXPECT_EQ(storedValue(folder, "Window", "Width"), "600");
    EXPECT_EQ(storedValue(folder, "Window", "Height"), "450");
}

// The settings as they stood before the run: every key, a comment, a
// section of someone else's.
const std::string kBefore =
    "; kept\n"
    "[CHRONELL]\nDirectory=/before/\nMask=*.before\nFormated Output=0\nClear Log=0\n"
    "[ColumnWidths]\nName=1\nSource=2\nDest=3\nStart=4\nEnd=5\nStatus=6\nDur=7\nJobfile=8\n"
    "[Other]\nkey=value\n"
    "[Window]\nLeft=10\nTop=20\nWidth=600\nHeight=450\nTabHeight=9\n";

TEST(WindowStateKept, ValueThatCannotBeStoredOnOneLineIsLeftOutAndEveryOtherKeyWritten)
{
    // A folder name may hold a line feed on Linux; the file cannot.
    TempFolder folder;
    folder.write("Settings.ini", kBefore);
    TestCollaborators boxes;
    auto window = startedWindow(folder, {"/after\nline/", "*.after", "/f"}, boxes.collaborators());
    window.reset();

    EXPECT_TRUE(boxes.errors.empty());
    std::string expected = kBefore;
    expected.replace(expected.find("*.before"), 8, "*.after");
    expected.replace(expected.find("Formated Output=0"), 17, "Formated Output=1");
    expected += "[History]\nKeep History=1\n";
    EXPECT_EQ(settingsOf(folder), expected);
}

TEST(WindowStateKept, ReadOnlySettingsFileGivesOneErrorBoxAndKeepsItsContents)
{
    TempFolder folder;
    const std::string path = folder.write("Settings.ini", kBefore);
    const Unwritable unwritable(path);
    if (!unwritable.made()) GTEST_SKIP() << "this file system cannot make a file unwritable for root";

    TestCollaborators boxes;
    auto window = startedWindow(folder, {}, boxes.collaborators());
    EXPECT_EQ(window->folderText(), "/before/");  // reads still work
    EXPECT_EQ(partsOf(*window).resultsGrid->colWidth(7), 8);
    partsOf(*window).folderBox->setText(QStringLiteral("/after/"));
    window.reset();

    // The system's reason after the path.
    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_TRUE(boxes.errors[0].startsWith("Unable to write to " + QString::fromStdString(path) + ": ")) << boxes.errors[0].toStdString();
    EXPECT_TRUE(boxes.errors[0].endsWith(u'.'));
    EXPECT_EQ(settingsOf(folder), kBefore);
}

TEST(WindowStateKept, SettingsAreWrittenOnceWhenTheWindowIsDestroyedHidden)
{
    const std::function<void(chronell::MainWindow&)> closings[] = {
        [](chronell::MainWindow& window) { partsOf(window).exitAction->trigger(); },
        [](chronell::MainWindow& window) { window.close(); },
        [](chronell::MainWindow&) {},  // the application ends with the window still shown
    };
    for (const auto& closeIt : closings) {
        TempFolder folder;
        // A folder in the file's place, so that each run of the handler shows a box.
        std::filesystem::create_directory(folder.file("Settings.ini"));
        std::vector<bool> visibleAtBox;
        chronell::MainWindow* shown = nullptr;
        chronell::WindowCollaborators collaborators = unaskedCollaborators();
        collaborators.showError = [&](const QString&) { visibleAtBox.push_back(shown->isVisible()); };
        auto window = startedWindow(folder, {}, collaborators);
        shown = window.get();
        showAndSettle(*window);

        closeIt(*window);
        settle();
        EXPECT_TRUE(visibleAtBox.empty()) << "closing itself writes nothing";
        window.reset();

        EXPECT_EQ(visibleAtBox, std::vector<bool>{false});  // once, with the window hidden
    }
}

TEST(WindowStateKept, WindowNeverStartedUpWritesNothing)
{
    // The bare window of the layout tests: no creation handler, so no
    // destruction handler either, though the settings store of a window
    // before it could not be written.
    TempFolder folder;
    std::filesystem::create_directory(folder.file("Settings.ini"));
    TestCollaborators boxes;
    startedWindow(folder, {}, boxes.collaborators()).reset();
    ASSERT_EQ(boxes.errors.size(), 1u);
    auto window = std::make_unique<chronell::MainWindow>(boxes.collaborators());
    window.reset();
    EXPECT_EQ(boxes.errors.size(), 1u);
}

} // namespace
