// Runs recorded in the background: in the order given, their notices back
// on the window's thread, none lost when the recorder goes; and Process
// shows its rows while the history is still recording.
#include <QPushButton>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "tests/support/job_list_text.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/window_support.h"
#include "ui/window/background_recorder.h"

namespace {

using chronell::BackgroundRecorder;
using chronell::JobRecord;

std::vector<JobRecord> namedJobs(std::initializer_list<const char*> names)
{
    std::vector<JobRecord> jobs;
    for (const char* name : names) {
        jobs.emplace_back();
        jobs.back().name = name;
    }
    return jobs;
}

// A history that notes what it was given and the thread that gave it.
struct NotingHistory {
    std::vector<std::string> folders;
    std::vector<std::size_t> sizes;
    bool offTheCallersThread = true;
    QThread* caller = QThread::currentThread();

    chronell::HistoryRecorder recorder()
    {
        return [this](const std::string&, const std::vector<JobRecord>& records, const std::string& folder) {
            offTheCallersThread = offTheCallersThread && QThread::currentThread() != caller;
            folders.push_back(folder);
            sizes.push_back(records.size());
            return std::vector<std::string>{"noted " + folder};
        };
    }
};

TEST(BackgroundRecorder, RecordsRunsInTheirOrderAndAnswersOnTheCallersThread)
{
    NotingHistory history;
    BackgroundRecorder recorder(history.recorder());
    std::vector<std::string> answers;
    bool answeredOnTheCallersThread = true;
    for (const char* folder : {"first", "second", "third"})
        recorder.record("h", namedJobs({"a", "b"}), folder, [&](const std::vector<std::string>& notices) {
            answeredOnTheCallersThread = answeredOnTheCallersThread && QThread::currentThread() == history.caller;
            answers.insert(answers.end(), notices.begin(), notices.end());
        });
    recorder.finish();
    EXPECT_EQ(history.folders, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(history.sizes, (std::vector<std::size_t>{2, 2, 2}));
    EXPECT_TRUE(history.offTheCallersThread);
    EXPECT_EQ(answers, (std::vector<std::string>{"noted first", "noted second", "noted third"}));
    EXPECT_TRUE(answeredOnTheCallersThread);
    recorder.finish();  // nothing left: returns at once
}

TEST(BackgroundRecorder, RunsGivenBeforeTheEndAreAllRecorded)
{
    NotingHistory history;
    {
        BackgroundRecorder recorder(history.recorder());
        for (int run = 0; run < 20; ++run) recorder.record("h", namedJobs({"a"}), std::to_string(run), {});
    }
    ASSERT_EQ(history.folders.size(), 20u);
    EXPECT_EQ(history.folders.back(), "19");
}

TEST(BackgroundRecorder, ProcessShowsItsRowsWhileTheHistoryIsRecording)
{
    chronell::test::TempFolder folder;
    folder.write("jobs/a.jobs", chronell::test::jobListText({{"A1", "C:\\a.avi", "D:\\a.avi"}}));
    // The history holds the recording until the test has seen the grid,
    // or for ten seconds when Process waits for it.
    std::mutex mutex;
    std::condition_variable released;
    bool gridSeen = false;
    bool heldTooLong = false;
    chronell::test::TestCollaborators boxes;
    chronell::WindowCollaborators collaborators = boxes.collaborators();
    collaborators.recordRun = [&](const std::string&, const std::vector<JobRecord>&, const std::string&) {
        std::unique_lock lock(mutex);
        heldTooLong = !released.wait_for(lock, std::chrono::seconds(10), [&] { return gridSeen; });
        return std::vector<std::string>{};
    };
    chronell::MainWindow window(collaborators);
    window.startUp({}, folder.file("chronell"));
    chronell::test::partsOf(window).folderBox->setText(QString::fromStdString(folder.file("jobs")));
    chronell::test::partsOf(window).processButton->click();
    EXPECT_EQ(chronell::test::partsOf(window).resultsGrid->model()->index(0, 0).data().toString(), QStringLiteral("A1"));
    {
        const std::lock_guard lock(mutex);
        gridSeen = true;
    }
    released.notify_all();
    window.waitForHistory();
    EXPECT_FALSE(heldTooLong);
}

} // namespace
