// Save Results As: the file holds exactly what chronell-report --rows prints
// for the same folder and options, and a write that fails leaves no file
// and says why in the window's error box.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <QHeaderView>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "analysis/regional_settings.h"
#include "report/grid_columns.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/job_list_text.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_locales.h"
#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_view.h"

namespace {

namespace fs = std::filesystem;
using chronell::SaveChoice;
using chronell::report::ExportFormat;
using chronell::test::partsOf;
using chronell::test::JobLines;
using chronell::test::jobListText;
using chronell::test::ScopedEnv;
using chronell::test::shownWindow;
using chronell::test::TempFolder;
using chronell::test::TestCollaborators;

// What a command prints on its standard output.
std::string outputOf(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
    ::pclose(pipe);
    return output;
}

// The window and the report both under the environment's regional settings.
class SaveResults : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = shownWindow(collaborators.collaborators());
    }

    void process(const std::string& folder, const char* mask, bool formatted)
    {
        partsOf(*window).folderBox->setText(QString::fromStdString(folder));
        partsOf(*window).maskBox->setText(QString::fromLatin1(mask));
        partsOf(*window).formattedTimeBox->setChecked(formatted);
        partsOf(*window).processButton->click();
    }

    // Chooses Save Results As with `choice` as the dialog's answer.
    void saveAs(const SaveChoice& choice)
    {
        collaborators.saveAnswer = choice;
        partsOf(*window).saveResultsAction->trigger();
    }

    ScopedEnv locale_{"LC_ALL", "C"};
    TestCollaborators collaborators;
    std::unique_ptr<chronell::MainWindow> window;
};

// The report takes a running job's time so far from the system's clock, the
// window from its own.
std::string timeSoFarMasked(const std::string& json)
{
    static const std::regex runningMs(R"("running_ms": \d+)");
    return std::regex_replace(json, runningMs, "\"running_ms\": <ms>");
}

TEST_F(SaveResults, WritesWhatTheReportPrintsForEachFormat)
{
    struct Format {
        ExportFormat format;
        const char* option;
    };
    const Format formats[] = {{ExportFormat::Csv, "csv"}, {ExportFormat::Tsv, "tsv"}, {ExportFormat::Json, "json"}};
    const std::string folders[] = {std::string(CHRONELL_FIXTURES_DIR) + "/runners",
                                   std::string(CHRONELL_FIXTURES_DIR) + "/report"};
    TempFolder out;
    for (const std::string& folder : folders) {
        for (const bool formatted : {false, true}) {
            process(folder, "*.jobs", formatted);
            for (const Format& f : formats) {
                const std::string what = folder + " " + f.option + (formatted ? " -f" : "");
                const std::string path = out.file(std::string("results.") + f.option);
                saveAs({QString::fromStdString(path), f.format});
                const std::string printed =
                    outputOf(std::string("'") + CHRONELL_BIN_DIR + "/chronell-report' " + (formatted ? "-f " : "")
                             + "--rows=" + f.option + " '" + folder + "' '*.jobs' 2>/dev/null");
                ASSERT_FALSE(printed.empty()) << what;
                EXPECT_EQ(timeSoFarMasked(TempFolder::bytesOf(path)), timeSoFarMasked(printed)) << what;
            }
        }
    }
    EXPECT_TRUE(collaborators.errors.empty());
}

// A running job's time so far as of the run's time: the window's clock when
// Process ran, not when the rows are saved.
TEST_F(SaveResults, TimeSoFarAsOfTheRun)
{
    process(std::string(CHRONELL_FIXTURES_DIR) + "/runners", "*.jobs", false);
    collaborators.now += std::chrono::hours(1);
    TempFolder out;
    const std::string path = out.file("results.json");
    saveAs({QString::fromStdString(path), ExportFormat::Json});
    // "Tonight" started 2023-07-02 06:00:00 UTC; the run was made at 2023-11-14 22:13:20 UTC.
    EXPECT_NE(TempFolder::bytesOf(path).find("\"running_ms\": 11722400000}"), std::string::npos)
        << TempFolder::bytesOf(path);
}

TEST_F(SaveResults, CtrlSWritesTheRunsOrderInTheFormatTheTypedExtensionNames)
{
    const std::string folder = std::string(CHRONELL_FIXTURES_DIR) + "/runners";
    process(folder, "*.jobs", false);
    chronell::ResultsGridView& grid = *partsOf(*window).resultsGrid;
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(grid.horizontalHeader()->sectionViewportPosition(chronell::ColDur) + 5, 5));
    ASSERT_EQ(grid.horizontalHeader()->sortIndicatorSection(), chronell::ColDur);

    const struct {
        const char* name;
        ExportFormat chosen;
        const char* option;
    } cases[] = {
        {"results.JSON", ExportFormat::Csv, "json"},
        {"results.tsv", ExportFormat::Json, "tsv"},
        {"results.Csv", ExportFormat::Tsv, "csv"},
        {"results.txt", ExportFormat::Tsv, "tsv"},  // no format's extension: the type box's
        {"results", ExportFormat::Json, "json"},
    };
    TempFolder out;
    for (const auto& c : cases) {
        const std::string path = out.file(c.name);
        collaborators.saveAnswer = SaveChoice{QString::fromStdString(path), c.chosen};
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        const std::string printed = outputOf(std::string("'") + CHRONELL_BIN_DIR + "/chronell-report' --rows=" +
                                             c.option + " '" + folder + "' '*.jobs' 2>/dev/null");
        EXPECT_EQ(timeSoFarMasked(TempFolder::bytesOf(path)), timeSoFarMasked(printed)) << c.name;
    }
    EXPECT_EQ(collaborators.saveStarts.size(), std::size(cases));
    EXPECT_TRUE(collaborators.errors.empty());
}

TEST_F(SaveResults, AFailedWriteLeavesNoFileAndShowsTheReason)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({JobLines{"A", "D:\\a.avi", "D:\\b.avi"}}));
    folder.write("plain-file", "x");
    fs::create_directory(folder.path() / "taken");
    process(folder.string(), "*.jobs", false);
    const std::vector<std::string> before = {"a.jobs", "plain-file", "taken"};

    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"folder missing", folder.file("missing/results.csv")},
        {"folder is a file", folder.file("plain-file/results.csv")},
        {"name is a folder", folder.file("taken")},
    };
    for (const Case& c : cases) {
        collaborators.errors.clear();
        saveAs({QString::fromStdString(c.path), ExportFormat::Csv});
        ASSERT_EQ(collaborators.errors.size(), 1u) << c.what;
        const QString prefix = "Unable to write to " + QString::fromStdString(c.path) + ": ";
        EXPECT_TRUE(collaborators.errors[0].startsWith(prefix)) << c.what << ": " << collaborators.errors[0].toStdString();
        EXPECT_GT(collaborators.errors[0].size(), prefix.size() + 1) << c.what << ": the reason is given";

        std::vector<std::string> after;
        for (const auto& entry : fs::directory_iterator(folder.path())) after.push_back(entry.path().filename().string());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, before) << c.what << ": nothing left behind";
        EXPECT_TRUE(fs::is_empty(folder.path() / "taken")) << c.what;
    }
    // The dialog opened in the folder box's folder each time.
    EXPECT_EQ(collaborators.saveStarts, std::vector<QString>(std::size(cases), QString::fromStdString(folder.string())));
}

TEST_F(SaveResults, AFullDiskKeepsTheOldFileAndShowsTheReason)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({JobLines{"A", "D:\\a.avi", "D:\\b.avi"}}));
    const std::string old = folder.write("results.json", "old results\n");
    process(folder.string(), "*.jobs", false);
    {
        const chronell::test::FileSizeLimit limit(64);  // the header row fits, not the whole
        saveAs({QString::fromStdString(old), ExportFormat::Json});
    }
    EXPECT_EQ(collaborators.errors,
              std::vector<QString>{"Unable to write to " + QString::fromStdString(old) + ": File too large."});
    EXPECT_EQ(TempFolder::bytesOf(old), "old results\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

} // namespace
