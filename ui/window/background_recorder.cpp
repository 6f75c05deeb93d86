#include "ui/window/background_recorder.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <utility>

namespace chronell {

BackgroundRecorder::BackgroundRecorder(HistoryRecorder record, QObject* parent)
    : QObject(parent), record_(std::move(record))
{
}

BackgroundRecorder::~BackgroundRecorder()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void BackgroundRecorder::record(std::string historyFile, std::vector<JobRecord> records, std::string folder, Done done)
{
    {
        const std::lock_guard lock(mutex_);
        waiting_.push_back({std::move(historyFile), std::move(records), std::move(folder), std::move(done)});
    }
    changed_.notify_all();
    if (!worker_.joinable()) worker_ = std::thread([this] { work(); });
}

void BackgroundRecorder::finish()
{
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waiting_.empty() && !recording_; });
    }
    // The notices already on their way.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void BackgroundRecorder::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        // Runs given before the end are recorded all the same.
        changed_.wait(lock, [this] { return !waiting_.empty() || ending_; });
        if (waiting_.empty()) return;
        Run run = std::move(waiting_.front());
        waiting_.pop_front();
        recording_ = true;
        lock.unlock();
        std::vector<std::string> notices = record_(run.historyFile, run.records, run.folder);
        QMetaObject::invokeMethod(
            this, [done = std::move(run.done), notices = std::move(notices)] { done(notices); }, Qt::QueuedConnection);
        lock.lock();
        recording_ = false;
        changed_.notify_all();
    }
}

} // namespace chronell
