// A run through the window gives exactly the grid cells, the log text and
// the error text that the in-memory target gives for the same folder, for
// every folder of the fixtures.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "platform/chronell_error.h"
#include "support/grid_rows.h"
#include "support/printed_run.h"
#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_view.h"
#include "ui/text/display_text.h"
#include "ui/widgets/log_view.h"

namespace {

namespace fs = std::filesystem;
using chronell::displayText;
using chronell::test::partsOf;
using chronell::test::TestCollaborators;
using chronell::test::shownWindow;

// The fixtures folder and every folder below it that holds files.
std::vector<fs::path> fixtureFolders(int& files)
{
    std::vector<fs::path> folders;
    files = 0;
    const fs::path root(CHRONELL_FIXTURES_DIR);
    if (!fs::is_directory(root)) return folders;
    folders.push_back(root);
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_directory()) folders.push_back(entry.path());
        if (entry.is_regular_file()) ++files;
    }
    return folders;
}

struct Options {
    const char* mask;
    bool formatted;
};

void expectParity(const fs::path& folder, const Options& options)
{
    SCOPED_TRACE(folder.string() + " mask " + options.mask + (options.formatted ? " formatted" : " plain"));

    chronell::test::PrintedRun memory;
    const chronell::RunInputs inputs{folder.string(), options.mask, options.formatted, true};
    std::vector<QString> memoryErrors;
    bool ended = false;
    try {
        chronell::test::printRun(memory, inputs, chronell::loadRegionalSettings());
        ended = true;
    } catch (const chronell::ChronellError& error) {
        memoryErrors.push_back(displayText(chronell::errorBoxText(error.what())));
    }

    TestCollaborators boxes;
    auto window = shownWindow(boxes.collaborators());
    partsOf(*window).folderBox->setText(QString::fromStdString(folder.string()));
    partsOf(*window).maskBox->setText(QString::fromLatin1(options.mask));
    partsOf(*window).formattedTimeBox->setChecked(options.formatted);
    partsOf(*window).clearLogBox->setChecked(true);
    QTest::mouseClick(partsOf(*window).processButton, Qt::LeftButton);

    EXPECT_EQ(boxes.errors, memoryErrors);
    EXPECT_EQ(partsOf(*window).resultsGrid->hasFocus(), ended);  // the grid takes the focus after a run that ended

    const auto& rows = chronell::test::gridRows(memory);
    ASSERT_EQ(window->rowCount(), static_cast<int>(rows.size()));
    const QAbstractItemModel* model = partsOf(*window).resultsGrid->model();
    for (int column = 0; column < chronell::kGridColumns; ++column)
        EXPECT_EQ(model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), displayText(rows[0][column]));
    for (std::size_t row = 1; row < rows.size(); ++row)
        for (int column = 0; column < chronell::kGridColumns; ++column) {
            const QModelIndex cell = model->index(static_cast<int>(row) - 1, column);
            // A running job's Dur cell shows its time so far instead of the empty cell.
            if (cell.data(Qt::FontRole).isValid()) {
                EXPECT_EQ(column, chronell::ColDur);
                EXPECT_TRUE(rows[row][column].empty());
                continue;
            }
            EXPECT_EQ(cell.data().toString(), displayText(rows[row][column])) << "row " << row << " column " << column;
        }

    QString expectedLog;
    for (const std::string& line : memory.logLines()) expectedLog += displayText(line) + u'\n';
    EXPECT_EQ(partsOf(*window).logView->toPlainText(), expectedLog);
}

TEST(Parity, WindowRunMatchesTheInMemoryRunOverEveryFixtureFolder)
{
    int files = 0;
    const std::vector<fs::path> folders = fixtureFolders(files);
    ASSERT_GT(files, 0) << "no fixture files under " << CHRONELL_FIXTURES_DIR;

    const Options options[] = {{"*.jobs", false}, {"*.jobs", true}, {"*", false}};
    for (const fs::path& folder : folders)
        for (const Options& option : options) expectParity(folder, option);
}

} // namespace
