#pragma once
// What the main window asks of its surroundings: the error box, the folder
// and save dialogs, the web browser, the folder watch's timer, the clock and
// the history, the judge of jobs left behind and the desktop's notifier. The
// window is handed them when it is made; the defaults are the real ones, and
// tests hand their own.
#include "ui/widgets/error_message_box.h"
#include "ui/window/desktop_notifier.h"
#include "ui/window/folder_browser.h"
#include "ui/window/handler_barrier.h"
#include "ui/window/history_recorder.h"
#include "ui/window/left_behind_here.h"
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
    report::LeftBehindTest leftBehind = leftBehindOnThisComputer();
    DesktopNotifier notify = makeDesktopNotifier();
};

} // namespace chronell
