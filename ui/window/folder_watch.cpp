#include "ui/window/folder_watch.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <system_error>
#include <utility>

#include "analysis/processing_run.h"
#include "platform/directory_search.h"
#include "platform/paths.h"

namespace chronell {

namespace {

QString pathText(const std::string& bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

} // namespace

FolderWatch::FolderWatch(std::unique_ptr<WatchTimer> timer, std::function<void()> run, std::function<bool()> busy,
                         QObject* parent)
    : QObject(parent), timer_(std::move(timer)), run_(std::move(run)), busy_(std::move(busy))
{
}

FolderWatch::~FolderWatch() = default;

void FolderWatch::watch(const std::string& folder, const std::string& mask)
{
    const std::string searchPath = joinFolder(folder, mask);
    if (!watcher_ || searchPath != searchPath_) {
        searchPath_ = searchPath;
        searchFolder_ = searchPath_.substr(0, searchPath_.rfind(kPathSeparator) + 1);
        // A watcher of its own, so that nothing of the last folder stays followed.
        watcher_ = std::make_unique<QFileSystemWatcher>();
        connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, this, &FolderWatch::folderChanged);
        connect(watcher_.get(), &QFileSystemWatcher::fileChanged, this, &FolderWatch::entryChanged);
    }
    watching_ = true;
    folder_ = folder;
    mask_ = mask;
    entries_ = listEntries();
    follow(entries_);
}

void FolderWatch::stop()
{
    watching_ = false;
    watcher_.reset();
    timer_->stop();
}

void FolderWatch::folderChanged()
{
    std::vector<std::string> entries = listEntries();
    follow(entries);
    if (entries == entries_) return;  // a change to entries that do not match
    entries_ = std::move(entries);
    changed();
}

void FolderWatch::entryChanged()
{
    // A file replaced by another of its name is no longer followed: follow it again.
    follow(entries_);
    changed();
}

void FolderWatch::changed()
{
    timer_->start(kWatchQuietTime, [this] { fire(); });
}

void FolderWatch::fire()
{
    if (!watching_) return;
    if (busy_()) {
        changed();  // the window is in a handler: the run waits its turn
        return;
    }
    run_();
}

std::vector<std::string> FolderWatch::listEntries() const
{
    std::error_code ignored;  // a folder that cannot be listed has no entries to follow
    return findEntries(searchPath_, ignored);
}

void FolderWatch::follow(const std::vector<std::string>& entries)
{
    QStringList files;
    for (const std::string& name : entries) {
        const QString path = pathText(searchFolder_ + name);
        if (QFileInfo(path).isFile()) files.append(path);
    }
    const QStringList followed = watcher_->files();
    QStringList gone;
    for (const QString& path : followed)
        if (!files.contains(path)) gone.append(path);
    if (!gone.isEmpty()) watcher_->removePaths(gone);
    QStringList added;
    for (const QString& path : files)
        if (!followed.contains(path)) added.append(path);
    if (!added.isEmpty()) watcher_->addPaths(added);

    const QString folder = pathText(searchFolder_);
    if (watcher_->directories().isEmpty() && QFileInfo(folder).isDir()) watcher_->addPath(folder);
}

} // namespace chronell
