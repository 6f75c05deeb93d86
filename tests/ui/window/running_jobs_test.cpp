// A queue that is running, as the window shows it: a running job's time so
// far in its Dur cell, going on each second, and in the Summary; a job whose
// runner is gone, in its own colour with the reason as its tooltip.
#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>

#include "report/grid_columns.h"
#include "tests/support/job_list_text.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_view.h"
#include "ui/grid/status_colours.h"
#include "ui/views/result_views.h"
#include "ui/views/summary_window.h"

namespace {

using chronell::test::JobLines;
using chronell::test::jobListText;
using chronell::test::partsOf;
using chronell::test::shownWindow;
using chronell::test::TempFolder;
using chronell::test::TestCollaborators;

// Started 02:14:05 before the test's clock (2023-11-14 22:13:20 UTC).
constexpr const char* kStartedBeforeNow = "01da1735 0b3b6b80";

class RunningQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("q.jobs", jobListText({JobLines{"done", "D:\\a.avi", "D:\\a2.avi"},
                                            JobLines{"running", "D:\\b.avi", "D:\\b2.avi", "1", kStartedBeforeNow, "0 0"},
                                            JobLines{"gone", "D:\\c.avi", "D:\\c2.avi", "1", kStartedBeforeNow, "0 0"}}));
        collaborators.leftBehind = [](const chronell::JobRecord& record) { return record.name == "gone"; };
        window = shownWindow(collaborators.collaborators());
        partsOf(*window).folderBox->setText(QString::fromStdString(folder.string()));
        partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
        partsOf(*window).processButton->click();
    }

    QModelIndex cell(int row, int column) const { return partsOf(*window).resultsGrid->model()->index(row, column); }

    TempFolder folder;
    TestCollaborators collaborators;
    std::unique_ptr<chronell::MainWindow> window;
};

TEST_F(RunningQueue, TheRunningJobsTimeSoFarIsItalicAndGoesOnEachSecond)
{
    const QModelIndex dur = cell(1, chronell::ColDur);
    EXPECT_EQ(dur.data().toString(), "02:14:05");
    EXPECT_TRUE(dur.data(Qt::FontRole).value<QFont>().italic());
    EXPECT_EQ(dur.data(Qt::ToolTipRole).toString(), "running for 02:14:05");
    EXPECT_FALSE(cell(0, chronell::ColDur).data(Qt::FontRole).isValid()) << "a job done keeps its duration";
    EXPECT_NE(cell(0, chronell::ColDur).data().toString(), "");
    EXPECT_EQ(cell(2, chronell::ColDur).data().toString(), "") << "a job left behind runs no more";

    auto* tick = window->findChild<QTimer*>("runningTick");
    ASSERT_NE(tick, nullptr);
    EXPECT_TRUE(tick->isActive());
    collaborators.now += std::chrono::seconds(61);
    QMetaObject::invokeMethod(tick, "timeout");
    EXPECT_EQ(cell(1, chronell::ColDur).data().toString(), "02:15:06");

    // Once nothing runs, the clock stops.
    folder.write("q.jobs", jobListText({JobLines{"done", "D:\\a.avi", "D:\\a2.avi"}}));
    partsOf(*window).processButton->click();
    EXPECT_FALSE(tick->isActive());
}

TEST_F(RunningQueue, TheSummaryCountsTheTimeSoFarAndTheJobLeftBehind)
{
    partsOf(*window).summaryAction->trigger();
    chronell::SummaryWindow* summary = window->resultViews().summary();
    ASSERT_NE(summary, nullptr);
    const QString text = summary->textView()->toPlainText();
    EXPECT_TRUE(text.contains("(running 02:14:05)")) << text.toStdString();
    EXPECT_TRUE(text.contains("Left behind")) << text.toStdString();
}

TEST_F(RunningQueue, AJobLeftBehindHasItsOwnColourAndSaysWhy)
{
    const QModelIndex status = cell(2, chronell::ColStatus);
    EXPECT_TRUE(status.data(Qt::ToolTipRole).toString().startsWith("Left behind")) << status.data(Qt::ToolTipRole).toString().toStdString();
    EXPECT_FALSE(cell(1, chronell::ColStatus).data(Qt::ToolTipRole).toString().startsWith("Left behind"));

    // Its colour differs from a running job's and a failed one's, on light
    // and dark palettes alike.
    for (const QColor base : {QColor(Qt::white), QColor(0x20, 0x20, 0x20)}) {
        QPalette palette;
        palette.setColor(QPalette::Base, base);
        const QColor gone = chronell::statusCellBackground(1, palette, true);
        EXPECT_NE(gone, chronell::statusCellBackground(1, palette));
        EXPECT_NE(gone, chronell::statusCellBackground(5, palette));
        EXPECT_TRUE(chronell::standingOutRowBackground(1, palette, true).isValid()) << "its row stands out";
        EXPECT_FALSE(chronell::standingOutRowBackground(1, palette).isValid());
    }
}

} // namespace
