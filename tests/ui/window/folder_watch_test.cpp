// Watch Folder: a burst of changes to matching entries gives one run once
// the watch's timer fires; other changes, a watch turned off and a window
// busy with a box run nothing.
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/job_list_text.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/modal_watch.h"
#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_view.h"
#include "ui/widgets/log_view.h"
#include "ui/window/folder_watch.h"

namespace {

using chronell::test::partsOf;
using chronell::test::JobLines;
using chronell::test::jobListText;
using chronell::test::ModalWatch;
using chronell::test::shownWindow;
using chronell::test::TempFolder;
using chronell::test::TestCollaborators;

std::string jobList(const std::string& name)
{
    return jobListText({JobLines{name, "D:\\in\\" + name + ".avi", "D:\\out\\" + name + ".avi"}});
}

class WatchFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("a.jobs", jobList("A"));
        window = shownWindow(collaborators.collaborators());
        partsOf(*window).folderBox->setText(QString::fromStdString(folder.string()));
        partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
        partsOf(*window).clearLogBox->setChecked(false);  // the log keeps every run
        timer = collaborators.timer;
        ASSERT_NE(timer, nullptr);
    }

    // Runs so far: each one logs the first file's name once.
    int runs() const { return static_cast<int>(partsOf(*window).logView->toPlainText().split(u'\n').count("a.jobs")); }

    // Waits for the file system's notices to reach the watch; true when they
    // started its timer.
    bool timerStarted() { return QTest::qWaitFor([this] { return timer->armed(); }, 5000); }

    TempFolder folder;
    TestCollaborators collaborators;
    std::unique_ptr<chronell::MainWindow> window;
    chronell::test::ManualTimer* timer = nullptr;
};

TEST_F(WatchFolder, ABurstOfChangesGivesOneRunWhenTheFolderIsQuiet)
{
    partsOf(*window).watchFolderAction->trigger();
    ASSERT_TRUE(partsOf(*window).watchFolderAction->isChecked());
    folder.write("b.jobs", jobList("B"));
    folder.write("c.jobs", jobList("C"));
    folder.write("a.jobs", jobListText({JobLines{"A", "D:\\a.avi", "D:\\a2.avi"}, JobLines{"A2", "D:\\b.avi", "D:\\b2.avi"}}));
    std::filesystem::remove(folder.file("c.jobs"));
    ASSERT_TRUE(timerStarted());
    EXPECT_GE(timer->delay(), chronell::kWatchQuietTime);
    QTest::qWait(100);  // the rest of the burst's notices
    EXPECT_EQ(runs(), 0) << "nothing runs before the folder is quiet";

    timer->fire();
    EXPECT_EQ(runs(), 1);
    EXPECT_EQ(window->rowCount(), 4);  // A, A2 and B
    QTest::qWait(100);
    EXPECT_FALSE(timer->armed()) << "the run itself changes nothing";

    // The watch follows a file that appeared in the burst.
    folder.write("b.jobs", jobList("B2"));
    ASSERT_TRUE(timerStarted());
    timer->fire();
    EXPECT_EQ(runs(), 2);
    EXPECT_TRUE(collaborators.errors.empty());
}

TEST_F(WatchFolder, ARefreshKeepsTheSelectionSortFilterAndScrollAndSaysSo)
{
    std::vector<JobLines> many;
    for (int i = 0; i < 40; ++i) many.push_back(JobLines{"J" + std::to_string(i), "D:\\i.avi", "D:\\o" + std::to_string(i) + ".avi"});
    folder.write("a.jobs", jobListText(many));
    partsOf(*window).watchFolderAction->trigger();
    EXPECT_EQ(partsOf(*window).statusBar->findChild<QLabel*>("watchLabel")->text(),
              "Watching " + QString::fromStdString(folder.string()));
    partsOf(*window).processButton->click();
    chronell::ResultsGridView& grid = *partsOf(*window).resultsGrid;
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(grid.horizontalHeader()->sectionViewportPosition(0) + 5, 5));
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(grid.horizontalHeader()->sectionViewportPosition(0) + 5, 5));  // names descending
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(partsOf(*window).filterBox, "J");
    window->selectGridRow(31);  // J30
    grid.verticalScrollBar()->setValue(7);
    const QString selectedBefore = grid.selectionModel()->selectedRows().value(0).data().toString();
    ASSERT_EQ(selectedBefore, "J30");

    // A job added at the file's end: the selected job keeps its place in the file.
    many.push_back(JobLines{"J-new", "D:\\n.avi", "D:\\n.avi"});
    folder.write("a.jobs", jobListText(many));
    ASSERT_TRUE(timerStarted());
    timer->fire();

    EXPECT_EQ(window->rowCount(), 42);
    ASSERT_EQ(grid.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(grid.selectionModel()->selectedRows()[0].data().toString(), "J30");
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorSection(), 0);
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(partsOf(*window).filterBox->text(), "J");
    EXPECT_EQ(grid.verticalScrollBar()->value(), 7);
    EXPECT_TRUE(partsOf(*window).statusBar->currentMessage().startsWith("41 of 41 jobs in 1 file"))
        << partsOf(*window).statusBar->currentMessage().toStdString();
    EXPECT_TRUE(collaborators.errors.empty());
}

TEST_F(WatchFolder, EntriesThatDoNotMatchAndAWatchTurnedOffRunNothing)
{
    partsOf(*window).watchFolderAction->trigger();
    folder.write("notes.txt", "not a job list");
    std::filesystem::create_directory(folder.path() / "sub");
    QTest::qWait(300);
    EXPECT_FALSE(timer->armed()) << "a change to entries that do not match";

    partsOf(*window).watchFolderAction->trigger();
    ASSERT_FALSE(partsOf(*window).watchFolderAction->isChecked());
    folder.write("a.jobs", jobList("A2"));
    folder.write("d.jobs", jobList("D"));
    QTest::qWait(300);
    EXPECT_FALSE(timer->armed()) << "a watch turned off";
    EXPECT_EQ(runs(), 0);
}

TEST_F(WatchFolder, ARunWaitsWhileABoxIsOpen)
{
    partsOf(*window).watchFolderAction->trigger();
    folder.write("a.jobs", jobList("A2"));
    ASSERT_TRUE(timerStarted());
    QDialog box(window.get());
    box.setModal(true);
    {
        const ModalWatch watch([&](QWidget&) {
            timer->fire();
            EXPECT_EQ(runs(), 0) << "no run inside another handler's box";
            EXPECT_TRUE(timer->armed()) << "the run waits its turn";
        });
        box.exec();
        ASSERT_EQ(watch.seen(), 1);
    }
    timer->fire();
    EXPECT_EQ(runs(), 1);
}

} // namespace

namespace {

JobLines jobIn(const std::string& name, const std::string& state, bool ended)
{
    JobLines job{name, "D:\\in\\" + name + ".avi", "D:\\out\\" + name + ".avi", state};
    if (!ended) job.end = "0 0";
    return job;
}

} // namespace

TEST_F(WatchFolder, AQueueThatFinishesIsAnnouncedOnce)
{
    folder.write("a.jobs", jobListText({jobIn("A", "2", true), jobIn("B", "1", false)}));
    partsOf(*window).processButton->click();
    partsOf(*window).watchFolderAction->trigger();
    partsOf(*window).processButton->click();  // the queue stands open
    ASSERT_TRUE(partsOf(*window).notifyQueueEndAction->isChecked());

    const struct {
        std::vector<JobLines> jobs;
        int notices;  // after the refresh
        bool urgent;  // of the last notice
    } steps[] = {
        {{jobIn("A", "2", true), jobIn("B", "1", false)}, 0, false},  // still running
        {{jobIn("A", "2", true), jobIn("B", "2", true)}, 1, false},   // finished: announced
        {{jobIn("A", "2", true), jobIn("B", "2", true)}, 1, false},   // still finished: not again
        {{jobIn("A", "2", true), jobIn("B", "2", true), jobIn("C", "0", false)}, 1, false},  // a new job waits
        {{jobIn("A", "2", true), jobIn("B", "2", true), jobIn("C", "5", true)}, 2, true},   // ended in error
    };
    for (const auto& step : steps) {
        folder.write("a.jobs", jobListText(step.jobs));
        ASSERT_TRUE(timerStarted());
        timer->fire();
        ASSERT_EQ(static_cast<int>(collaborators.notices.size()), step.notices);
        if (step.notices == 0) continue;
        EXPECT_EQ(collaborators.notices.back().title, "Queue finished");
        EXPECT_EQ(collaborators.notices.back().urgent, step.urgent);
    }
    EXPECT_TRUE(collaborators.notices[0].body.startsWith("2 done - ")) << collaborators.notices[0].body.toStdString();
    EXPECT_TRUE(collaborators.notices[1].body.startsWith("2 done, 1 failed - "));
    EXPECT_TRUE(partsOf(*window).statusBar->currentMessage().startsWith("Queue finished at "))
        << partsOf(*window).statusBar->currentMessage().toStdString();

    // Unticked, the end goes unannounced.
    partsOf(*window).notifyQueueEndAction->trigger();
    folder.write("a.jobs", jobListText({jobIn("D", "0", false)}));
    ASSERT_TRUE(timerStarted());
    timer->fire();
    folder.write("a.jobs", jobListText({jobIn("D", "2", true)}));
    ASSERT_TRUE(timerStarted());
    timer->fire();
    EXPECT_EQ(collaborators.notices.size(), 2u);
}

TEST_F(WatchFolder, AQueueProcessedBeforeTheWatchIsAnnouncedWhenItEnds)
{
    // Process first, then Watch Folder: the rows read tell that the queue runs.
    folder.write("a.jobs", jobListText({jobIn("A", "2", true), jobIn("B", "1", false)}));
    partsOf(*window).processButton->click();
    partsOf(*window).watchFolderAction->trigger();
    folder.write("a.jobs", jobListText({jobIn("A", "2", true), jobIn("B", "2", true)}));
    ASSERT_TRUE(timerStarted());
    timer->fire();
    ASSERT_EQ(collaborators.notices.size(), 1u);

    // Rows of another folder tell nothing of the watched one's queue.
    TempFolder other;
    other.write("o.jobs", jobListText({jobIn("O", "1", false)}));
    partsOf(*window).watchFolderAction->trigger();  // off
    partsOf(*window).folderBox->setText(QString::fromStdString(other.string()));
    partsOf(*window).processButton->click();
    partsOf(*window).folderBox->setText(QString::fromStdString(folder.string()));
    partsOf(*window).watchFolderAction->trigger();
    folder.write("a.jobs", jobListText({jobIn("A", "2", true), jobIn("B", "5", true)}));
    ASSERT_TRUE(timerStarted());
    timer->fire();
    EXPECT_EQ(collaborators.notices.size(), 1u) << "the watched queue was never seen open";

    // Process moving the watch to a finished folder announces nothing.
    folder.write("a.jobs", jobListText({jobIn("A", "2", true), jobIn("B", "1", false)}));
    ASSERT_TRUE(timerStarted());
    timer->fire();
    other.write("o.jobs", jobListText({jobIn("O", "2", true)}));
    partsOf(*window).folderBox->setText(QString::fromStdString(other.string()));
    partsOf(*window).processButton->click();
    EXPECT_EQ(collaborators.notices.size(), 1u) << "another folder's queue did not end";
    EXPECT_TRUE(collaborators.errors.empty());
}
