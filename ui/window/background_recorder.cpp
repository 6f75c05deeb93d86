#include "ui/window/background_recorder.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>

#include <algorithm>
#include <utility>

namespace chronell {

BackgroundRecorder::BackgroundRecorder(HistoryRecorder record, QObject* parent)
    : QObject(parent), record_(std::move(record))
{
}

BackgroundRecorder::~BackgroundRecorder()
{
    release(-1);
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
    // A repaint is posted at low priority: the release goes behind it.
    QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
}

void BackgroundRecorder::customEvent(QEvent* event)
{
    if (event->type() == QEvent::User) release(1);
}

void BackgroundRecorder::release(int count)
{
    {
        const std::lock_guard lock(mutex_);
        released_ = count < 0 ? waiting_.size() : std::min(waiting_.size(), released_ + static_cast<std::size_t>(count));
        if (released_ == 0) return;
    }
    changed_.notify_all();
    if (!worker_.joinable()) worker_ = std::thread([this] { work(); });
}

void BackgroundRecorder::finish()
{
    release(-1);
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
        changed_.wait(lock, [this] { return released_ > 0 || ending_; });
        if (waiting_.empty()) return;
        Run run = std::move(waiting_.front());
        waiting_.pop_front();
        if (released_ > 0) --released_;
        recording_ = true;
        lock.unlock();
        std::vector<std::string> notices = record_(run.historyFile, run.records, run.folder);
        if (run.done)
            QMetaObject::invokeMethod(
                this, [done = std::move(run.done), notices = std::move(notices)] { done(notices); },
                Qt::QueuedConnection);
        lock.lock();
        recording_ = false;
        changed_.notify_all();
    }
}

} // namespace chronell
