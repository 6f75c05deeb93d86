#pragma once
// What the main window asks of its surroundings: the error box, the folder
// and save dialogs, the web browser, the folder watch's timer, the clock,
// the history, the desktop's notifications and the judge of jobs left
// behind by their runner. The window
// is handed them when it is made; the defaults are the real ones, and tests
// hand their own.
#include "report/row_export.h"
#include "report/running_jobs.h"
#include "ui/widgets/error_message_box.h"
#include "ui/window/desktop_notifier.h"
#include "ui/window/folder_browser.h"
#include "ui/window/handler_barrier.h"
#include "ui/window/history_recorder.h"
#include "ui/window/save_results_dialog.h"
#include "ui/window/wall_clock.h"
#include "ui/window/watch_timer.h"
#include "ui/window/web_page.h"

namespace chronell {

struct WindowCollaborators {
    ErrorBoxShower showError = showErrorMessageBox;
    FolderDialog chooseFolder = showDirectoryDialog;
    SaveDialog chooseSaveFile = showSaveResultsDialog;
    UrlOpener openUrl = openInDesktopBrowser;
    WatchTimerMaker makeWatchTimer = makeQtWatchTimer;
    HistoryRecorder recordRun = recordInHistory;
    WallClock now = systemWallClock;
    DesktopNotifier notify = makeDesktopNotifier();
    report::LeftBehindTest judgeLeftBehind = report::systemLeftBehindTest();
};

} // namespace chronell
