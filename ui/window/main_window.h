#pragma once
// The main window: the input row, the results grid, the log and the menus,
// and its handlers. Process runs the same engine as chronell-report and
// prints its events into the log and the results grid's store with the
// report's printers.
#include <QMainWindow>
#include <QPointer>
#include <QRect>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "analysis/processing_run.h"
#include "analysis/record_list.h"
#include "analysis/regional_settings.h"
#include "report/queue_stand.h"
#include "settings/settings_store.h"
#include "settings/window_state.h"
#include "ui/widgets/log_lines.h"
#include "ui/window/background_recorder.h"
#include "ui/window/collaborators.h"
#include "ui/window/run_status.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTimer;

namespace chronell {

class FolderWatch;
class InputBox;
class LogView;
class HistoryWindow;
class ResultViews;
class ResultsGridView;
class RunSink;
class Splitter;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The window asks `collaborators` for its boxes, dialogs, web browser
    // and the folder watch's timer. Its controls carry their names as
    // object names (folderBox, processButton, exitAction, ...).
    explicit MainWindow(WindowCollaborators collaborators = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Restores the window's state from the command line's arguments and
    // the settings file beside the executable (in the user's configuration
    // folder for a copy whose folder takes no new files:
    // settings/settings_place.h). A window so started saves its state when
    // it is destroyed, after hiding itself; a window never started up (the
    // layout alone) does neither.
    void startUp(std::vector<std::string> arguments, std::string executablePath);

    // File, Exit: closes the window.
    void exit();

    // The window's state as the settings file keeps it, and applying one:
    // column widths within what the grid holds, a window that would open on
    // no screen brought onto the primary one, one larger than its screen
    // reduced to it.
    WindowState state() const;
    void applyState(const WindowState& state);

    // Runs the pass over one job-list file into the grid and the log, after
    // the rows already written.
    void processJobFile(const std::string& path);

    // Left, top, width and height as the design measures them: the outer
    // size includes a frame of 8 by 27 pixels around the window's widget.
    QRect outerBounds() const;
    void setOuterBounds(const QRect& bounds);

    // The results grid's row count, header row included.
    int rowCount() const;

    // The regional settings that the log, the grid and the views follow:
    // the user's when the window is made, and again after each change of them.
    const RegionalSettings& regionalSettings() const { return regionalSettings_; }
    void refreshRegionalSettings();

    // The input row: what Process reads.
    std::string folderText() const;
    std::string maskText() const;
    bool formattedTimeTicked() const;
    bool clearLogTicked() const;
    RunInputs runInputs() const;

    // The records of the grid's rows, from the last run, and when it was made.
    const RecordList& records() const;
    std::optional<Instant> runTime() const { return runTime_; }

    // The Timeline and Summary windows, and the folder watch.
    ResultViews& resultViews() const { return *views_; }
    // View, History: made when first chosen, else null.
    HistoryWindow* historyWindow() const;
    FolderWatch& folderWatch() const { return *watch_; }
    // View, Keep History: each run's finished jobs go into the history.
    bool keepsHistory() const;
    // Returns once every run made so far is in the history and what went
    // wrong with it is shown.
    void waitForHistory();

    // Selects a grid row (1 is the first data row) and scrolls it into view;
    // nothing for a row that the filter hides.
    void selectGridRow(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    class RunUpdates;
    class RunFollowers;

    void createMenu();
    void createInputPanel();
    void createResultsPanel();
    void chainTabOrder();
    void wireHandlers();
    void createViewsAndWatch();
    void createKeys();
    // The status bar's text for the last run, with the filter's count.
    void showRunStatus();
    void showWatching();
    // Ctrl+F shows the filter box; Esc empties and hides it.
    void showFilter();
    void clearFilter();
    // The selected rows by job file and position in it, and the grid's
    // scroll position: what a refresh keeps.
    struct Place {
        std::vector<std::pair<std::string, int>> selected;
        int scroll = 0;
    };
    Place place() const;
    void restorePlace(const Place& place);
    // After the first layout pass: the stored division between grid and log.
    void applyStoredSplit();
    // Runs a handler inside the handler barrier.
    void runGuarded(void (MainWindow::*handler)());
    // Hands `run` a sink that prints into the log and the grid, the view
    // updates held back until it returns.
    void printEvents(const std::function<void(RunSink&)>& run);
    // While a folder is watched: once its queue has just finished, a desktop
    // notice, the taskbar's attention and the status bar say so.
    void announceQueueEnd();
    // Where the queue of the grid's rows stands.
    report::QueueStand gridQueueStand() const;
    // Running jobs' times so far, as of the run and then each second.
    void followRunningJobs();
    void appendLogLine(std::string_view line);
    void clearLog();

    // Handlers.
    void restoreState();
    void saveState();
    void process();
    void refreshWatched();
    void browse();
    void showAbout();
    void openLatestVersion();
    void showTimeline();
    void showSummary();
    void showHistory();
    void saveResultsAs();
    void switchWatch();
    // Records the last run over `folder` when Keep History is ticked, in
    // the background; what went wrong with the history is shown in the
    // status bar once it is known.
    void recordRun(const std::string& folder);
    void showHistoryNotices(const std::vector<std::string>& notices);
    // The run's status text, with what went wrong with the history after it.
    QString withHistoryNotice(const QString& status) const;

    WindowCollaborators collaborators_;

    QStatusBar* statusBar_;
    QFrame* resultsPanel_;
    LogView* logView_;
    QFrame* inputPanel_;
    QLabel* folderLabel_;
    InputBox* folderBox_;
    QPushButton* browseButton_;
    QLabel* maskLabel_;
    InputBox* maskBox_;
    QLineEdit* filterBox_;
    QLabel* watchLabel_;
    QCheckBox* formattedTimeBox_;
    QCheckBox* clearLogBox_;
    QPushButton* processButton_;
    Splitter* splitter_;
    ResultsGridView* resultsGrid_;
    QMenu* fileMenu_;
    QAction* saveResultsAction_;
    QAction* watchFolderAction_;
    QAction* notifyQueueEndAction_;
    QAction* exitAction_;
    QMenu* viewMenu_;
    QAction* timelineAction_;
    QAction* summaryAction_;
    QAction* historyAction_;
    QAction* keepHistoryAction_;
    QMenu* helpMenu_;
    QAction* aboutAction_;
    QAction* latestVersionAction_;

    std::vector<std::string> arguments_;  // for restoring the state
    std::string executablePath_;
    std::optional<SettingsStore> settingsStore_;  // made when the state is restored
    bool startedUp_ = false;
    int rowCounter_ = 0;  // the row written last by processJobFile
    bool holdingLog_ = false;
    LogLines heldLog_;
    ErrorBoxShower showError_;  // the collaborators' box, which also notes what stopped a run
    std::optional<RunFacts> lastRun_;
    bool runStopping_ = false;  // an error is leaving a run
    std::optional<std::int32_t> storedGridHeight_;  // until applied after the first layout pass
    RegionalSettings regionalSettings_;
    std::optional<Instant> runTime_;
    std::unique_ptr<ResultViews> views_;
    QPointer<HistoryWindow> historyWindow_;
    FolderWatch* watch_ = nullptr;  // owned as a child
    int midWriteRereads_ = 0;  // readings caught mid-write in a row
    QString historyNotice_;  // what went wrong recording the last run, if anything
    report::QueueEndWatch queueEnd_;
    QTimer* runningTick_ = nullptr;  // owned as a child
    // Last, so that it is destroyed first: the runs given to it are
    // recorded before the rest of the window goes.
    std::unique_ptr<BackgroundRecorder> historyRecorder_;
};

} // namespace chronell
