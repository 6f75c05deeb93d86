// Process in the window: the run over a folder fills the grid and the log,
// ends with the grid focused, and an error ends it in the error box with
// what was written kept.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "report/grid_columns.h"
#include "tests/support/job_list_text.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_view.h"
#include "ui/widgets/log_view.h"

namespace {

using chronell::test::partsOf;
using chronell::test::TestCollaborators;
using chronell::test::JobLines;
using chronell::test::jobListText;
using chronell::test::settle;
using chronell::test::shownWindow;
using chronell::test::TempFolder;

QString cell(chronell::MainWindow& window, int column, int row)
{
    return partsOf(window).resultsGrid->model()->index(row - 1, column).data().toString();
}

JobLines job(const std::string& name, const std::string& output, const std::string& state = "2")
{
    return JobLines{name, "D:\\in\\" + name + ".avi", "D:\\out\\" + output, state};
}

class WindowRun : public ::testing::Test {
protected:
    void SetUp() override { window = shownWindow(boxes.collaborators()); }

    void process(const TempFolder& folder)
    {
        partsOf(*window).folderBox->setText(QString::fromStdString(folder.string()));
        partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
        QTest::mouseClick(partsOf(*window).processButton, Qt::LeftButton);
        settle();
    }

    TestCollaborators boxes;  // outlives the window
    std::unique_ptr<chronell::MainWindow> window;
};

TEST_F(WindowRun, FilesFillTheGridInFileOrderAndTheGridTakesTheFocus)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({job("A1", "a1.avi"), job("A2", "a2.avi")}));
    folder.write("b.jobs", jobListText({job("B1", "b1.avi"), job("B2", "b2.avi"), job("B3", "b3.avi")}));
    process(folder);

    EXPECT_TRUE(boxes.errors.empty());
    ASSERT_EQ(window->rowCount(), 6);
    const char* const names[] = {"A1", "A2", "B1", "B2", "B3"};
    const char* const files[] = {"a.jobs", "a.jobs", "b.jobs", "b.jobs", "b.jobs"};
    for (int row = 1; row <= 5; ++row) {
        EXPECT_EQ(cell(*window, 0, row), names[row - 1]);
        EXPECT_EQ(cell(*window, 1, row), QString(names[row - 1]) + ".avi");
        EXPECT_EQ(cell(*window, 5, row), "Done");
        EXPECT_EQ(cell(*window, 7, row), files[row - 1]);
    }
    EXPECT_EQ(QApplication::focusWidget(), partsOf(*window).resultsGrid);
    EXPECT_TRUE(partsOf(*window).logView->toPlainText().startsWith("a.jobs\n----------------\nNumber of jobs: 2\nJob name: A1\n"));
    EXPECT_EQ(partsOf(*window).statusBar->currentMessage(), "5 jobs in 2 files - 03:32:31");
}

TEST_F(WindowRun, DurationsFollowTheFormattedTimeOption)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({job("A1", "a1.avi")}));
    process(folder);
    EXPECT_EQ(cell(*window, 6, 1), "2550.25");
    partsOf(*window).formattedTimeBox->setChecked(true);
    process(folder);
    EXPECT_EQ(cell(*window, 6, 1), "00:42:30.250");
}

TEST_F(WindowRun, NoEntryLeavesOneEmptyRowEvenAfterARunWithRows)
{
    TempFolder full;
    full.write("a.jobs", jobListText({job("A1", "a1.avi"), job("A2", "a2.avi")}));
    process(full);
    ASSERT_EQ(window->rowCount(), 3);
    partsOf(*window).processButton->setFocus();

    TempFolder empty;
    process(empty);
    EXPECT_EQ(window->rowCount(), 2);
    for (int column = 0; column < 8; ++column) EXPECT_EQ(cell(*window, column, 1), "") << column;
    EXPECT_EQ(QApplication::focusWidget(), partsOf(*window).resultsGrid);
}

TEST_F(WindowRun, WithoutClearLogTheRunFollowsTheUsersTextOnANewLine)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({job("A1", "a1.avi")}));
    partsOf(*window).logView->setFocus();
    QTest::keyClicks(partsOf(*window).logView, "my note");
    process(folder);
    const QString first = partsOf(*window).logView->toPlainText();
    EXPECT_TRUE(first.startsWith("my note\na.jobs\n")) << first.left(40).toStdString();
    EXPECT_TRUE(first.endsWith("\n"));

    process(folder);
    EXPECT_EQ(partsOf(*window).logView->toPlainText(), first + first.mid(QStringLiteral("my note\n").size()));
}

TEST_F(WindowRun, ClearLogLeavesOnlyTheRunsLines)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({job("A1", "a1.avi")}));
    partsOf(*window).clearLogBox->setChecked(true);
    partsOf(*window).logView->appendLine("earlier");
    process(folder);
    process(folder);
    const QString text = partsOf(*window).logView->toPlainText();
    EXPECT_TRUE(text.startsWith("a.jobs\n")) << text.left(40).toStdString();
    EXPECT_EQ(text.count("a.jobs\n----------------\n"), 1);
}

TEST_F(WindowRun, AnErrorEndsTheRunAndKeepsWhatWasWritten)
{
    TempFolder folder;
    folder.write("1.jobs", jobListText({job("One", "one.avi")}));
    folder.write("2.jobs", jobListText({job("Two", "two.avi"), job("Bad", "bad.avi", "x")}));
    folder.write("3.jobs", jobListText({job("Three", "three.avi")}));
    partsOf(*window).processButton->setFocus();
    process(folder);

    EXPECT_EQ(boxes.errors, std::vector<QString>{"'x' is not a valid integer value."});
    EXPECT_EQ(partsOf(*window).statusBar->currentMessage(), "Stopped in 2.jobs, job 2: 'x' is not a valid integer value.");
    const QString log = partsOf(*window).logView->toPlainText();
    EXPECT_TRUE(log.endsWith("Job name: Bad\nInput: D:\\in\\Bad.avi\nOutput: D:\\out\\bad.avi\n"))
        << log.right(80).toStdString();
    EXPECT_FALSE(log.contains("3.jobs"));
    // The first file's row, the second file's two reserved rows, the spare row.
    ASSERT_EQ(window->rowCount(), 5);
    EXPECT_EQ(cell(*window, 0, 1), "One");
    EXPECT_EQ(cell(*window, 0, 2), "Two");
    EXPECT_EQ(cell(*window, 0, 3), "");
    EXPECT_EQ(cell(*window, 0, 4), "");
    EXPECT_EQ(QApplication::focusWidget(), partsOf(*window).processButton);

    // The window goes on: the next run starts afresh.
    TempFolder good;
    good.write("a.jobs", jobListText({job("A1", "a1.avi")}));
    process(good);
    EXPECT_EQ(window->rowCount(), 2);
    EXPECT_EQ(cell(*window, 0, 1), "A1");
    EXPECT_EQ(boxes.errors.size(), 1u);
}

TEST_F(WindowRun, ProcFileAppendsItsLinesAtOnceOutsideARun)
{
    TempFolder folder;
    const std::string path = folder.write("a.jobs", jobListText({job("A1", "a1.avi")}));
    window->processJobFile(path);
    EXPECT_TRUE(partsOf(*window).logView->toPlainText().startsWith("Number of jobs: 1\nJob name: A1\n"));
    EXPECT_EQ(window->rowCount(), 3);
    EXPECT_EQ(cell(*window, 0, 1), "A1");
}

TEST_F(WindowRun, LongNameIsShownCutInTheLogAndElidedInTheGrid)
{
    TempFolder folder;
    folder.write("long.jobs", jobListText({job(std::string(200000, 'x'), "a.avi")}));
    process(folder);

    const QString cutLine = "Job name: " + QString(65526, u'x') + QStringLiteral("\u2026 (134474 bytes left out)");
    EXPECT_TRUE(partsOf(*window).logView->toPlainText().contains("\n" + cutLine + "\n"));
    partsOf(*window).logView->selectAll();
    partsOf(*window).logView->copy();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("\n" + cutLine + "\n"));
    EXPECT_EQ(cell(*window, 0, 1), QString(65536, u'x') + QStringLiteral("\u2026 (134464 bytes left out)"));
}

TEST_F(WindowRun, FolderNameThatIsNotUtf8ReachesTheEngineUnchanged)
{
    TempFolder folder;
    folder.write("vid\xE9os/a.jobs", jobListText({job("A1", "a1.avi")}));
    partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
    partsOf(*window).folderBox->setBytes(folder.file("vid\xE9os"));
    QTest::mouseClick(partsOf(*window).processButton, Qt::LeftButton);
    settle();
    EXPECT_EQ(cell(*window, 0, 1), "A1");
}

// A job that took `seconds`, from the fixtures' usual start.
JobLines timedJob(const std::string& name, int seconds)
{
    JobLines lines = job(name, name + ".avi");
    const std::uint64_t start = (std::uint64_t{0x01c8b2a6} << 32) | 0x22e7f000;
    const std::uint64_t end = start + std::uint64_t(seconds) * 10'000'000;
    char text[32];
    std::snprintf(text, sizeof text, "%08x %08x", unsigned(end >> 32), unsigned(end & 0xffffffff));
    lines.end = text;
    return lines;
}

QStringList copiedNames()
{
    QStringList names;
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) names << lines[i].section(u'\t', 0, 0);
    return names;
}

TEST_F(WindowRun, DurHeaderOrdersTheCopyAndTheFilterLeavesHiddenRowsOut)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({timedJob("Long", 700), timedJob("Short", 5), timedJob("Outtakes", 60)}));
    folder.write("b.jobs", jobListText({timedJob("Middle", 90)}));
    process(folder);
    chronell::ResultsGridView& grid = *partsOf(*window).resultsGrid;

    QHeaderView& header = *grid.horizontalHeader();
    QTest::mouseClick(header.viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header.sectionViewportPosition(chronell::ColDur) + 5, 5));
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copiedNames(), QStringList({"Short", "Outtakes", "Middle", "Long"}));

    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(partsOf(*window).filterBox->hasFocus());
    QTest::keyClicks(partsOf(*window).filterBox, "outTAKES");
    EXPECT_EQ(partsOf(*window).statusBar->currentMessage(), "1 of 4 jobs in 2 files - 00:14:15");
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copiedNames(), QStringList({"Outtakes"}));

    partsOf(*window).filterBox->setFocus();
    QTest::keyClick(partsOf(*window).filterBox, Qt::Key_Escape);
    EXPECT_EQ(partsOf(*window).filterBox->text(), "");
    EXPECT_FALSE(partsOf(*window).filterBox->isVisible());
    EXPECT_EQ(grid.model()->rowCount(), 4);
    EXPECT_EQ(partsOf(*window).statusBar->currentMessage(), "4 jobs in 2 files - 00:14:15");
    EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(WindowRun, EnterInAnInputBoxAndF5RunProcess)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({job("A1", "a1.avi")}));
    partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
    partsOf(*window).folderBox->setText(QString::fromStdString(folder.string()));
    partsOf(*window).folderBox->setFocus();
    QTest::keyClick(partsOf(*window).folderBox, Qt::Key_Return);
    EXPECT_EQ(cell(*window, 0, 1), "A1");

    folder.write("b.jobs", jobListText({job("B1", "b1.avi")}));
    partsOf(*window).maskBox->setFocus();
    QTest::keyClick(partsOf(*window).maskBox, Qt::Key_Enter);
    EXPECT_EQ(window->rowCount(), 3);

    folder.write("c.jobs", jobListText({job("C1", "c1.avi")}));
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(window->rowCount(), 4);
    EXPECT_EQ(partsOf(*window).statusBar->currentMessage(), "3 jobs in 3 files - 02:07:30");
}

TEST_F(WindowRun, NothingFoundSaysWhy)
{
    TempFolder folder;
    folder.write("a.txt", "not a job list");
    process(folder);
    EXPECT_EQ(partsOf(*window).statusBar->currentMessage(),
              "No file matches '*.jobs' in '" + QString::fromStdString(folder.string()) + "'");
    const std::string gone = folder.file("gone");
    partsOf(*window).folderBox->setText(QString::fromStdString(gone));
    QTest::mouseClick(partsOf(*window).processButton, Qt::LeftButton);
    EXPECT_TRUE(partsOf(*window).statusBar->currentMessage().startsWith("Cannot search '" + QString::fromStdString(gone) + "': "))
        << partsOf(*window).statusBar->currentMessage().toStdString();
    EXPECT_TRUE(boxes.errors.empty());
}

} // namespace
