#pragma once
// Runs recorded in the history on a thread of their own, one after another
// in the order given: the grid shows a run of tens of thousands of jobs at
// once while the history takes its half second to keep them. What each
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

    // Records `records` over `folder` in `historyFile`, later; `done` gets
    // the recording's notices on this object's thread.
    void record(std::string historyFile, std::vector<JobRecord> records, std::string folder, Done done);

    // Returns once every run given is recorded and its `done` called.
    void finish();

private:
    struct Run {
        std::string historyFile;
        std::vector<JobRecord> records;
        std::string folder;
        Done done;
    };

    void work();

    HistoryRecorder record_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Run> waiting_;
    bool recording_ = false;  // a run taken from waiting_ is being recorded
    bool ending_ = false;
    std::thread worker_;  // started with the first run
};

} // namespace chronell
