// View, Keep History: each run of a started window goes into the history
// while it is ticked, the choice is kept in Settings.ini, and what goes
// wrong with the history is said in the status bar.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include <gtest/gtest.h>

#include "history/history_store.h"
#include "settings/settings_place.h"
#include "settings/settings_store.h"
#include "tests/support/generated_history.h"
#include "tests/support/job_list_text.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/window_support.h"
#include "ui/views/history_chart.h"
#include "ui/views/history_window.h"

namespace {

using chronell::test::partsOf;
using chronell::test::partNamed;
using chronell::test::settle;
using chronell::test::TempFolder;
using chronell::test::TestCollaborators;

class KeepHistory : public ::testing::Test {
protected:
    void startWindow()
    {
        window = std::make_unique<chronell::MainWindow>(boxes.collaborators());
        window->startUp({}, folder.file("chronell"));
    }
    void process()
    {
        partsOf(*window).folderBox->setText(QString::fromStdString(folder.file("jobs")));
        QTest::mouseClick(partsOf(*window).processButton, Qt::LeftButton);
        window->waitForHistory();
        settle();
    }
    QAction& keepHistory() { return *partNamed<QAction>(*window, "keepHistoryAction"); }
    std::string stored() const
    {
        return chronell::SettingsStore(folder.file("Settings.ini")).readText("History", "Keep History", "(missing)");
    }

    TempFolder folder;
    TestCollaborators boxes;  // outlives the window
    std::unique_ptr<chronell::MainWindow> window;
};

TEST_F(KeepHistory, EachRunIsRecordedWhileItIsTickedAndTheChoiceIsKept)
{
    folder.write("jobs/a.jobs", chronell::test::jobListText({{"A1", "C:\\a.avi", "D:\\a.avi"},
                                                              {"A2", "C:\\b.avi", "D:\\b.avi", "0"}}));
    startWindow();
    EXPECT_TRUE(keepHistory().isChecked());  // on by default
    process();
    ASSERT_EQ(boxes.recorded.size(), 1u);
    EXPECT_EQ(boxes.recorded[0].historyFile,
              chronell::historyPlace(folder.file("chronell"), chronell::hostSettingsQueries()));
    EXPECT_EQ(boxes.recorded[0].folder, folder.file("jobs"));
    ASSERT_EQ(boxes.recorded[0].records.size(), 2u);  // the window hands every row; the history keeps what it keeps
    EXPECT_EQ(boxes.recorded[0].records[0].name, "A1");

    keepHistory().trigger();
    process();
    EXPECT_EQ(boxes.recorded.size(), 1u);
    window.reset();
    EXPECT_EQ(stored(), "0");

    startWindow();  // the choice read back
    EXPECT_FALSE(keepHistory().isChecked());
    keepHistory().trigger();
    window.reset();
    EXPECT_EQ(stored(), "1");
}

TEST_F(KeepHistory, WhatWentWrongWithTheHistoryIsShownInTheStatusBar)
{
    folder.write("jobs/a.jobs", chronell::test::jobListText({{"A1", "C:\\a.avi", "D:\\a.avi"}}));
    boxes.historyNotices = {"history: 'h' is in use by another program; this run was not recorded."};
    startWindow();
    process();
    EXPECT_TRUE(partNamed<QStatusBar>(*window, "statusBar")
                    ->currentMessage()
                    .endsWith(QStringLiteral(" - history: 'h' is in use by another program; this run was not recorded.")));
    EXPECT_EQ(partsOf(*window).resultsGrid->model()->index(0, 0).data().toString(), QStringLiteral("A1"));
    EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(KeepHistory, ViewHistoryShowsTheWindowsHistoryFile)
{
    startWindow();
    const std::string file = chronell::historyPlace(folder.file("chronell"), chronell::hostSettingsQueries());
    const std::vector<chronell::JobRecord> jobs = chronell::test::generatedJobs(chronell::test::JobPattern{}, 0, 30);
    ASSERT_TRUE(chronell::history::HistoryStore(file).record(jobs, folder.string(), *jobs.back().startUtc).recorded);
    partNamed<QAction>(*window, "historyAction")->trigger();
    settle();
    chronell::HistoryWindow* history = window->historyWindow();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->isVisible());
    history->setRange(chronell::report::RecentSpan::All);
    settle();
    int listed = 0;
    for (const chronell::report::PeriodColumn& column : history->chart()->chart().columns) listed += column.jobs;
    EXPECT_EQ(listed, 30);
}

} // namespace
