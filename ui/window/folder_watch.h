#pragma once
// Watch Folder: tells the window to run Process when an entry of the folder
// that matches the mask changes, appears or goes. Changes are gathered until
// the folder has been quiet for half a second, so a burst of them gives one
// run, and two runs are always at least that far apart.
#include <QFileSystemWatcher>
#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/window/watch_timer.h"

namespace chronell {

inline constexpr std::chrono::milliseconds kWatchQuietTime{500};

class FolderWatch : public QObject {
    Q_OBJECT

public:
    // `run` runs Process; `busy` says whether the window is in the middle of
    // a handler (a run, or a box or dialog open), when the run waits.
    FolderWatch(std::unique_ptr<WatchTimer> timer, std::function<void()> run, std::function<bool()> busy,
                QObject* parent = nullptr);
    ~FolderWatch() override;

    // Watches the entries of `folder` that match `mask` (which may carry a
    // folder part of its own), as a run lists them; replaces what was watched.
    void watch(const std::string& folder, const std::string& mask);
    void stop();
    bool watching() const { return watching_; }
    // The folder and mask watched, as watch() was handed them.
    const std::string& folder() const { return folder_; }
    const std::string& mask() const { return mask_; }
    // Runs again once the watch's quiet time has passed, as after a change.
    void runAgainLater() { changed(); }

private:
    void folderChanged();
    void entryChanged();
    void changed();
    void fire();
    // The matching entries now, and the watcher following them and their folder.
    std::vector<std::string> listEntries() const;
    void follow(const std::vector<std::string>& entries);

    std::unique_ptr<WatchTimer> timer_;
    std::function<void()> run_;
    std::function<bool()> busy_;
    std::unique_ptr<QFileSystemWatcher> watcher_;
    bool watching_ = false;
    std::string folder_;
    std::string mask_;
    std::string searchPath_;    // the folder joined with the mask
    std::string searchFolder_;  // up to the mask's last separator
    std::vector<std::string> entries_;
};

} // namespace chronell
