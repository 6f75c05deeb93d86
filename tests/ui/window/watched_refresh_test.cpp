// A watched refresh: it reads the folder and mask being watched, not what
// the boxes hold since; a file caught while it was being written keeps the
// rows read before, is read again after the quiet time, and never raises
// the error box, which only a run the user started shows.
#include <QLabel>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "report/grid_columns.h"
#include "tests/support/job_list_text.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_model.h"
#include "ui/window/folder_watch.h"
#include "ui/window/watched_reading.h"

namespace {

using chronell::test::JobLines;
using chronell::test::jobListText;
using chronell::test::partsOf;
using chronell::test::TempFolder;
using chronell::test::TestCollaborators;

std::string jobList(const std::vector<std::string>& names)
{
    std::vector<JobLines> jobs;
    for (const std::string& name : names) jobs.push_back(JobLines{name, "D:\\in\\" + name + ".avi", "D:\\out\\" + name + ".avi"});
    return jobListText(jobs);
}

class WatchedRefresh : public ::testing::Test {
public:
    void SetUp() override
    {
        window = chronell::test::shownWindow(collaborators.collaborators());
        timer = collaborators.timer;
    }

    void setBoxes(const TempFolder& where)
    {
        partsOf(*window).folderBox->setText(QString::fromStdString(where.string()));
        partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
    }

    // The Name cells of the grid's rows.
    std::vector<std::string> names() const
    {
        std::vector<std::string> shown;
        const chronell::ResultsGridModel& model = *partsOf(*window).resultsGrid->gridModel();
        for (int row = 1; row < model.gridRowCount(); ++row) shown.emplace_back(model.cell(chronell::ColName, row));
        return shown;
    }

    bool timerStarted() { return QTest::qWaitFor([this] { return timer->armed(); }, 5000); }

    TestCollaborators collaborators;
    std::unique_ptr<chronell::MainWindow> window;
    chronell::test::ManualTimer* timer = nullptr;
};

TEST_F(WatchedRefresh, ReadsTheWatchedFolderUntilProcessMovesTheWatch)
{
    TempFolder watched;
    TempFolder typed;
    watched.write("a.jobs", jobList({"A"}));
    typed.write("t.jobs", jobList({"T"}));
    setBoxes(watched);
    partsOf(*window).watchFolderAction->trigger();
    partsOf(*window).processButton->click();
    ASSERT_EQ(names(), std::vector<std::string>{"A"});

    // A new folder typed, Process not pressed: the watch stays where it was.
    setBoxes(typed);
    partsOf(*window).maskBox->setText(QStringLiteral("*.other"));
    watched.write("a.jobs", jobList({"A", "A2"}));
    ASSERT_TRUE(timerStarted());
    timer->fire();
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "A2"}));
    const QLabel* label = partsOf(*window).statusBar->findChild<QLabel*>("watchLabel");
    EXPECT_EQ(label->text(), "Watching " + QString::fromStdString(watched.string()));

    // Process on the boxes' contents moves the watch there.
    partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
    partsOf(*window).processButton->click();
    EXPECT_EQ(names(), std::vector<std::string>{"T"});
    EXPECT_EQ(window->folderWatch().folder(), typed.string());
    EXPECT_EQ(label->text(), "Watching " + QString::fromStdString(typed.string()));
    typed.write("t.jobs", jobList({"T", "T2"}));
    ASSERT_TRUE(timerStarted());
    timer->fire();
    EXPECT_EQ(names(), (std::vector<std::string>{"T", "T2"}));
    EXPECT_TRUE(collaborators.errors.empty());
}

// How a queue file may look when a refresh catches its writer at work.
struct CaughtFile {
    const char* what;
    std::string text;
    const char* errorText;  // what stops a reading of it, when something does
};

std::vector<CaughtFile> caughtFiles()
{
    const std::string whole = jobList({"B1", "B2"});
    return {
        {"cut in the middle of a job", whole.substr(0, whole.rfind("// $state")), nullptr},
        {"truncated to nothing", "", nullptr},
        {"cut before its job count", whole.substr(0, whole.find("// $numjobs")), nullptr},
        {"cut inside its state line", whole.substr(0, whole.rfind("// $state ") + 10),
         "'' is not a valid integer value."},
    };
}

// Processes a.jobs (job A) and b.jobs (job B1) in `folder`, watches it,
// and rewrites b.jobs as `caught`, up to the watch's timer starting; gives
// the log as Process left it.
QString watchWhileCaught(WatchedRefresh& test, TempFolder& folder, const CaughtFile& caught)
{
    folder.write("a.jobs", jobList({"A"}));
    folder.write("b.jobs", jobList({"B1"}));
    test.setBoxes(folder);
    partsOf(*test.window).processButton->click();
    partsOf(*test.window).watchFolderAction->trigger();
    EXPECT_EQ(test.names(), (std::vector<std::string>{"A", "B1"}));
    const QString log = partsOf(*test.window).logView->toPlainText();
    folder.write("b.jobs", caught.text);
    EXPECT_TRUE(test.timerStarted());
    return log;
}

TEST_F(WatchedRefresh, AFileCaughtMidWriteKeepsItsRowsAndIsReadAgain)
{
    for (const CaughtFile& caught : caughtFiles()) {
        SCOPED_TRACE(caught.what);
        TempFolder folder;
        const QString logBefore = watchWhileCaught(*this, folder, caught);
        timer->fire();
        EXPECT_EQ(names(), (std::vector<std::string>{"A", "B1"})) << "the rows read before are kept";
        EXPECT_EQ(partsOf(*window).logView->toPlainText(), logBefore);
        ASSERT_TRUE(timer->armed()) << "read again";
        EXPECT_EQ(timer->delay(), chronell::kWatchQuietTime);

        folder.write("b.jobs", jobList({"B1", "B2"}));
        QTest::qWait(50);
        timer->fire();
        EXPECT_EQ(names(), (std::vector<std::string>{"A", "B1", "B2"}));
        EXPECT_TRUE(collaborators.errors.empty());
        partsOf(*window).watchFolderAction->trigger();  // off
    }
}

TEST_F(WatchedRefresh, AFileStillCaughtAfterTheLastTryIsTakenWithoutABox)
{
    for (const CaughtFile& caught : caughtFiles()) {
        SCOPED_TRACE(caught.what);
        TempFolder folder;
        watchWhileCaught(*this, folder, caught);
        for (int reading = 0; reading < chronell::kMidWriteRereads; ++reading) {
            timer->fire();
            ASSERT_EQ(names(), (std::vector<std::string>{"A", "B1"}));
            ASSERT_TRUE(timer->armed());
        }
        timer->fire();
        EXPECT_FALSE(timer->armed()) << "no more tries";
        EXPECT_EQ(names().at(0), "A");
        if (caught.errorText) {
            EXPECT_TRUE(partsOf(*window).statusBar->currentMessage().contains(QLatin1String(caught.errorText)))
                << partsOf(*window).statusBar->currentMessage().toStdString();
        }
        EXPECT_TRUE(collaborators.errors.empty());

        // A run the user starts shows the error box for an error, as always.
        partsOf(*window).processButton->click();
        EXPECT_EQ(collaborators.errors.size(), caught.errorText ? 1u : 0u);
        collaborators.errors.clear();
        partsOf(*window).watchFolderAction->trigger();  // off
    }
}

} // namespace
