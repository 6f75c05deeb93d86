#include "analysis/file_passes_ahead.h"

#include <algorithm>
#include <system_error>

#include "analysis/job_file_pass.h"

namespace chronell {

namespace {

// How far the passes may run ahead of the file being handed out: enough
// to keep the workers busy while it prints, little enough to bound the
// memory that passes waiting to be handed out hold.
constexpr std::size_t kFilesAheadPerReader = 8;
constexpr std::size_t kBytesAhead = 32u << 20;
constexpr unsigned kMostWorkers = 8;

} // namespace

unsigned FilePassesAhead::workersFor(std::size_t files)
{
    const unsigned processors = std::thread::hardware_concurrency();
    if (files < 2 || processors < 2) return 0;
    return static_cast<unsigned>(std::min<std::size_t>({processors - 1, kMostWorkers, files - 1}));
}

FilePassesAhead::FilePassesAhead(std::vector<std::string> paths, unsigned workers)
    : paths_(std::move(paths)), passes_(workers == 0 ? 0 : paths_.size()), filesAhead_(kFilesAheadPerReader * (workers + 1))
{
    workers_.reserve(workers);
    for (unsigned i = 0; i < workers; ++i) {
        // A thread the system refuses leaves the work to those that started,
        // or, with none, to passes made in place.
        try {
            workers_.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break;
        }
    }
}

FilePassesAhead::~FilePassesAhead()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    roomAhead_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

// The file a run waits for is always taken; others while the files and
// bytes waiting stay within bounds.
bool FilePassesAhead::mayTakeNext() const
{
    if (next_ >= paths_.size()) return false;
    if (next_ == handedOut_) return true;
    return next_ - handedOut_ < filesAhead_ && bytesAhead_ < kBytesAhead;
}

std::optional<std::size_t> FilePassesAhead::takeNext()
{
    if (!mayTakeNext()) return std::nullopt;
    const std::size_t index = next_++;
    if (!spareEvents_.empty()) {
        passes_[index].events = std::move(spareEvents_.back());
        spareEvents_.pop_back();
    }
    return index;
}

void FilePassesAhead::readAhead(std::size_t index, std::string& fileBuffer)
{
    Pass& pass = passes_[index];
    try {
        processJobFile(pass.events, pass.rows, paths_[index], fileBuffer);
    } catch (...) {
        pass.error = std::current_exception();
    }
    {
        const std::lock_guard lock(mutex_);
        pass.bytes = fileBuffer.size();
        bytesAhead_ += pass.bytes;
        pass.ready = true;
    }
    passReady_.notify_all();
}

void FilePassesAhead::work()
{
    std::string fileBuffer;  // each worker's own, reused across its files
    for (;;) {
        std::optional<std::size_t> index;
        {
            std::unique_lock lock(mutex_);
            roomAhead_.wait(lock, [this] { return stopping_ || next_ >= paths_.size() || mayTakeNext(); });
            if (stopping_ || next_ >= paths_.size()) return;
            index = takeNext();
        }
        readAhead(*index, fileBuffer);
    }
}

void FilePassesAhead::handOut(std::size_t index, RunSink& sink, int& rowCounter)
{
    if (workers_.empty()) {
        processJobFile(sink, rowCounter, paths_[index], inPlaceBuffer_);
        return;
    }
    Pass& pass = passes_[index];
    {
        std::unique_lock lock(mutex_);
        if (next_ == index) {
            // No worker has taken it: reading it here hands it out soonest.
            next_ = index + 1;
            handedOut_ = index + 1;
            lock.unlock();
            roomAhead_.notify_all();
            processJobFile(sink, rowCounter, paths_[index], inPlaceBuffer_);
            return;
        }
        while (!pass.ready) {
            if (const auto ahead = takeNext()) {
                lock.unlock();
                readAhead(*ahead, inPlaceBuffer_);
                lock.lock();
            } else {
                passReady_.wait(lock);
            }
        }
    }
    // The worker is done with the pass: it is this thread's alone now.
    Pass taken = std::move(pass);
    {
        const std::lock_guard lock(mutex_);
        handedOut_ = index + 1;
        bytesAhead_ -= taken.bytes;
    }
    roomAhead_.notify_all();
    taken.events.handOut(sink, rowCounter);
    rowCounter += taken.rows;
    if (taken.error) std::rethrow_exception(taken.error);
    taken.events.clear();
    const std::lock_guard lock(mutex_);
    spareEvents_.push_back(std::move(taken.events));
}

} // namespace chronell
