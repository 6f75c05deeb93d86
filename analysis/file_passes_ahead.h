#pragma once
// The passes over a run's files, made on worker threads ahead of the file
// being handed out and handed to the sink in file order: the printing
// thread prints one file while the next ones are read and parsed. What the
// sink receives is what passes made one after the other would hand it.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "analysis/recorded_file_events.h"

namespace chronell {

class RunSink;

class FilePassesAhead {
public:
    // Workers for a run of `files` files on this machine: one processor is
    // left to the thread that hands out; none (each pass made in place) for
    // a single file or a single processor.
    static unsigned workersFor(std::size_t files);

    // Starts `workers` threads over `paths`; with none, each pass is made
    // in place when its file is handed out.
    FilePassesAhead(std::vector<std::string> paths, unsigned workers);
    // Stops the workers after the files they are reading; waits for them.
    ~FilePassesAhead();
    FilePassesAhead(const FilePassesAhead&) = delete;
    FilePassesAhead& operator=(const FilePassesAhead&) = delete;

    // Hands the events of file `index` to `sink`, its rows following
    // `rowCounter`, which it advances. Files are handed out in order, each
    // once. Throws what the file's pass threw, after the events before it.
    // A file no worker has taken yet is passed over in place; while the
    // file's pass is not ready, this thread reads the next files ahead.
    void handOut(std::size_t index, RunSink& sink, int& rowCounter);

private:
    struct Pass {
        RecordedFileEvents events;
        int rows = 0;  // rows taken by its whole jobs and pairs
        std::size_t bytes = 0;  // the file's size, while it waits
        std::exception_ptr error;
        bool ready = false;
    };

    void work();
    bool mayTakeNext() const;
    // The next file to read ahead, taken under the lock; none while the
    // files and bytes waiting are at their bounds or every file is taken.
    std::optional<std::size_t> takeNext();
    // Reads file `index` into its pass, which is then ready.
    void readAhead(std::size_t index, std::string& fileBuffer);

    std::vector<std::string> paths_;
    std::vector<Pass> passes_;
    std::string inPlaceBuffer_;  // the file buffer of this thread's passes
    const std::size_t filesAhead_;  // files the readers may take beyond the one waited for

    std::mutex mutex_;
    std::condition_variable passReady_;
    std::condition_variable roomAhead_;
    std::size_t next_ = 0;  // the next file a worker takes
    std::size_t handedOut_ = 0;  // files handed out
    std::size_t bytesAhead_ = 0;  // bytes of files read and not handed out
    // Events handed out, kept with their memory for the files still to read.
    std::vector<RecordedFileEvents> spareEvents_;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

} // namespace chronell
