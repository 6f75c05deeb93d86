#pragma once
// Runs recorded in the history on a thread of their own, one after another
// in the order given: the grid shows a run of tens of thousands of jobs at
// once while the history takes its half second to keep them. A run starts
// once the events posted before it (the window's repaint among them) are
// handled, so that its recording does not slow the paint. What each
// recording has to say comes back on the thread that made the recorder.
// Destroying the recorder waits for every run given to it: an early exit
// loses none.
#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "analysis/job_record.h"
#include "ui/window/history_recorder.h"

namespace chronell {

class BackgroundRecorder : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(const std::vector<std::string>& notices)>;

    explicit BackgroundRecorder(HistoryRecorder record, QObject* parent = nullptr);
    ~BackgroundRecorder() override;
    BackgroundRecorder(const BackgroundRecorder&) = delete;
    BackgroundRecorder& operator=(const BackgroundRecorder&) = delete;

    // Records `records` over `folder` in `historyFile`, later; `done`, when
    // given, gets the recording's notices on this object's thread.
    void record(std::string historyFile, std::vector<JobRecord> records, std::string folder, Done done);

    // Returns once every run given is recorded and its `done` called.
    void finish();

protected:
    // The release of a run given, after the events posted before it.
    void customEvent(QEvent* event) override;

private:
    struct Run {
        std::string historyFile;
        std::vector<JobRecord> records;
        std::string folder;
        Done done;
    };

    void work();
    // Lets `count` more waiting runs start (all with -1).
    void release(int count);

    HistoryRecorder record_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Run> waiting_;
    std::size_t released_ = 0;  // of the waiting runs, how many may start
    bool recording_ = false;  // a run taken from waiting_ is being recorded
    bool ending_ = false;
    std::thread worker_;  // started with the first run
};

} // namespace chronell
