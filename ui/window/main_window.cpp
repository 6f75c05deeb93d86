#include "ui/window/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QItemSelection>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <exception>
#include <map>
#include <optional>
#include <utility>

#include "analysis/job_file_pass.h"
#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "analysis/run_events.h"
#include "report/grid_printer.h"
#include "report/log_printer.h"
#include "report/queue_stand.h"
#include "settings/settings_place.h"
#include "settings/settings_store.h"
#include "ui/grid/grid_copy.h"
#include "ui/grid/grid_status_legend.h"
#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_grid_view.h"
#include "ui/grid/results_order.h"
#include "ui/text/display_text.h"
#include "ui/text/path_bytes.h"
#include "ui/views/history_window.h"
#include "ui/views/result_views.h"
#include "ui/widgets/access_keys.h"
#include "ui/widgets/designed_fonts.h"
#include "ui/widgets/input_box.h"
#include "ui/widgets/log_view.h"
#include "ui/widgets/plain_message_box.h"
#include "ui/widgets/push_button.h"
#include "ui/widgets/splitter.h"
#include "ui/window/folder_browser.h"
#include "ui/window/folder_watch.h"
#include "ui/window/handler_barrier.h"
#include "ui/window/results_export.h"
#include "ui/window/save_results_dialog.h"
#include "ui/window/screen_placement.h"
#include "ui/window/watched_reading.h"
#include "ui/window/web_page.h"

namespace chronell {

namespace {

// The design's frame and caption around the window's widget, which holds
// the menu bar and the client area.
constexpr QSize kDesignFrame(8, 27);
constexpr QRect kDesignedBounds(296, 163, 575, 400);
constexpr QSize kMinimumOuterSize(575, 300);

constexpr int kMenuBarHeight = 19;
constexpr int kTopPanelHeight = 73;
constexpr int kStatusBarHeight = 19;
constexpr int kSplitterHeight = 3;
constexpr int kLogHeight = 28;
constexpr int kBevel = 1;

// The labels are sized to their texts with their right edges lined up here.
constexpr int kLabelsRight = 51;

// Argument 1 to the folder box, 2 to the mask box (empty when absent); a
// third of exactly "/f" ticks the formatted-time option, anything else
// leaves it as `designedFormattedTime`.
void takeCommandLine(WindowState& state, const std::vector<std::string>& arguments, bool designedFormattedTime)
{
    state.folder = arguments[0];
    state.mask = arguments.size() > 1 ? arguments[1] : std::string();
    state.formattedTime = designedFormattedTime || (arguments.size() > 2 && arguments[2] == "/f");
}

// Qt's largest widget size: a value beyond it in either direction places
// or sizes the window no differently on any screen, and keeps Qt's
// rectangle arithmetic within range.
int withinQtRange(std::int32_t value)
{
    return std::clamp(value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// Gives a control the name by which it is found (tests, accessibility).
template <class Control>
Control* named(Control* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QFrame* raisedPanel(QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(kBevel);
    return panel;
}

} // namespace

// Holds back the grid's and the log's view updates while a run writes, and
// hands them over in one step when it ends, also when an error ends it.
class MainWindow::RunUpdates {
public:
    explicit RunUpdates(MainWindow& window) : window_(window)
    {
        window_.resultsGrid_->gridModel()->beginBatch();
        window_.holdingLog_ = true;
    }
    ~RunUpdates()
    {
        window_.holdingLog_ = false;
        window_.logView_->appendLines(window_.heldLog_);
        window_.heldLog_.clear();
        window_.resultsGrid_->gridModel()->endBatch();
    }
    RunUpdates(const RunUpdates&) = delete;
    RunUpdates& operator=(const RunUpdates&) = delete;

private:
    MainWindow& window_;
};

// After a run, also one that an error ended: the run is recorded in the
// history, the views take the new records, a watched folder is followed
// where the run looked, the grid keeps the selected rows and scroll
// position, the status bar says how the run went (once the error box
// has the error of a run it ended), and a watched queue that has just
// finished is announced.
class MainWindow::RunFollowers {
public:
    RunFollowers(MainWindow& window, RunInputs inputs)
        : window_(window), inputs_(std::move(inputs)), place_(window.place()), errors_(std::uncaught_exceptions())
    {
    }
    ~RunFollowers()
    {
        window_.recordRun(inputs_.folder);
        window_.views_->runEnded();
        window_.followRunningJobs();
        if (window_.watch_->watching()) {
            // A watch moved to another folder or mask follows another queue.
            if (inputs_.folder != window_.watch_->folder() || inputs_.mask != window_.watch_->mask())
                window_.queueEnd_.reset();
            window_.watch_->watch(inputs_.folder, inputs_.mask);
            window_.showWatching();
        }
        window_.restorePlace(place_);
        window_.runStopping_ = std::uncaught_exceptions() > errors_;
        window_.showRunStatus();
        window_.announceQueueEnd();
    }
    RunFollowers(const RunFollowers&) = delete;
    RunFollowers& operator=(const RunFollowers&) = delete;

private:
    MainWindow& window_;
    RunInputs inputs_;
    Place place_;
    int errors_;
};

MainWindow::MainWindow(WindowCollaborators collaborators, QWidget* parent)
    : QMainWindow(parent),
      collaborators_(std::move(collaborators)),
      regionalSettings_(loadRegionalSettings()),
      historyRecorder_(std::make_unique<BackgroundRecorder>(collaborators_.recordRun))
{
    showError_ = [this](const QString& text) {
        if (std::exchange(runStopping_, false) && lastRun_) {
            lastRun_->stoppedBy = text;
            statusBar_->showMessage(withHistoryNotice(runStatusText(*lastRun_)));
        }
        collaborators_.showError(text);
    };
    setWindowTitle(QStringLiteral("Chronell"));
    setFont(windowFont());
    setMinimumSize(kMinimumOuterSize - kDesignFrame);

    statusBar_ = named(new QStatusBar(this), "statusBar");
    statusBar_->setFixedHeight(kStatusBarHeight);
    statusBar_->setSizeGripEnabled(true);
    setStatusBar(statusBar_);
    watchLabel_ = named(new QLabel(statusBar_), "watchLabel");
    statusBar_->addPermanentWidget(watchLabel_);
    watchLabel_->hide();

    auto* client = new QWidget(this);
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    setCentralWidget(client);

    inputPanel_ = named(raisedPanel(client), "inputPanel");
    inputPanel_->setFixedHeight(kTopPanelHeight);
    createInputPanel();
    resultsPanel_ = named(raisedPanel(client), "resultsPanel");
    createResultsPanel();
    clientLayout->addWidget(inputPanel_);
    clientLayout->addWidget(resultsPanel_, 1);

    createMenu();
    chainTabOrder();
    wireHandlers();
    createViewsAndWatch();
    createKeys();
    // The first control in tab order takes the focus when the window is first activated.
    logView_->setFocus();
    setOuterBounds(kDesignedBounds);
}

MainWindow::~MainWindow()
{
    if (!startedUp_) return;
    hide();
    runGuarded(&MainWindow::saveState);
}

void MainWindow::startUp(std::vector<std::string> arguments, std::string executablePath)
{
    arguments_ = std::move(arguments);
    executablePath_ = std::move(executablePath);
    startedUp_ = true;
    runGuarded(&MainWindow::restoreState);
}

void MainWindow::createResultsPanel()
{
    auto* layout = new QVBoxLayout(resultsPanel_);  // inside the bevel
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    logView_ = named(new LogView(resultsPanel_), "logView");
    logView_->setFixedHeight(kLogHeight);
    splitter_ = named(new Splitter(logView_, resultsPanel_), "splitter");
    splitter_->setFixedHeight(kSplitterHeight);
    resultsGrid_ = named(new ResultsGridView(resultsPanel_), "resultsGrid");
    filterBox_ = named(new QLineEdit(resultsPanel_), "filterBox");
    filterBox_->setPlaceholderText(QStringLiteral("Filter: name, source, dest, status, runner or job file"));
    filterBox_->setClearButtonEnabled(true);
    filterBox_->hide();

    layout->addWidget(filterBox_);
    layout->addWidget(resultsGrid_, 1);
    // Under the grid, once it shows status colours.
    layout->addWidget(new GridStatusLegend(*resultsGrid_->gridModel(), resultsPanel_), 0, Qt::AlignLeft);
    layout->addWidget(splitter_);
    layout->addWidget(logView_);
}

void MainWindow::createInputPanel()
{
    // Fixed positions: the top panel's controls neither move nor stretch.
    folderLabel_ = named(new QLabel(QStringLiteral("Directory:"), inputPanel_), "folderLabel");
    folderBox_ = named(new InputBox(inputPanel_), "folderBox");
    folderBox_->setGeometry(62, 10, 419, 21);
    browseButton_ = named(new PushButton(QStringLiteral("Browse"), inputPanel_), "browseButton");
    browseButton_->setGeometry(485, 10, 75, 21);
    maskLabel_ = named(new QLabel(QStringLiteral("Files:"), inputPanel_), "maskLabel");
    maskBox_ = named(new InputBox(inputPanel_), "maskBox");
    maskBox_->setGeometry(62, 42, 195, 21);
    formattedTimeBox_ = named(new QCheckBox(QStringLiteral("Formated time output"), inputPanel_), "formattedTimeBox");
    formattedTimeBox_->setGeometry(270, 44, 121, 17);
    clearLogBox_ = named(new QCheckBox(QStringLiteral("Clear log"), inputPanel_), "clearLogBox");
    clearLogBox_->setGeometry(406, 44, 67, 17);
    processButton_ = named(new PushButton(QStringLiteral("Process"), inputPanel_), "processButton");
    processButton_->setGeometry(485, 42, 75, 21);

    // A font wider than the designed one widens an option to its caption,
    // up to the control to its right, rather than cut the caption.
    const auto widen = [](QCheckBox* option, int limit) {
        const int width = std::min(std::max(option->width(), option->sizeHint().width()), limit - option->x());
        option->resize(width, option->height());
    };
    widen(formattedTimeBox_, clearLogBox_->x() - 2);
    widen(clearLogBox_, processButton_->x() - 2);

    // A font wider than the designed one moves the line-up to the right
    // rather than push a label out of the panel.
    const int right = std::max(
        kLabelsRight, kBevel + std::max(folderLabel_->sizeHint().width(), maskLabel_->sizeHint().width()));
    const auto place = [right](QLabel* label, int top) {
        const QSize size = label->sizeHint();
        label->setGeometry(right - size.width(), top, size.width(), size.height());
    };
    place(folderLabel_, 17);
    place(maskLabel_, 49);
}

void MainWindow::createMenu()
{
    auto* bar = new QMenuBar(this);
    bar->setFixedHeight(kMenuBarHeight);
    setMenuBar(bar);

    const QStringList menus =
        withAccessKeys({QStringLiteral("File"), QStringLiteral("View"), QStringLiteral("Help")});
    const QStringList file =
        withAccessKeys({QStringLiteral("Save Results As\u2026"), QStringLiteral("Watch Folder"),
                        QStringLiteral("Notify When the Queue Ends"), QStringLiteral("Exit")});
    const QStringList view =
        withAccessKeys({QStringLiteral("Timeline"), QStringLiteral("Summary"), QStringLiteral("History"),
                        QStringLiteral("Keep History")});
    const QStringList help = withAccessKeys({QStringLiteral("About"), QStringLiteral("Latest Version")});
    fileMenu_ = named(bar->addMenu(menus[0]), "fileMenu");
    saveResultsAction_ = named(fileMenu_->addAction(file[0]), "saveResultsAction");
    watchFolderAction_ = named(fileMenu_->addAction(file[1]), "watchFolderAction");
    watchFolderAction_->setCheckable(true);
    // On by default, for as long as the window runs; it applies while a folder is watched.
    notifyQueueEndAction_ = named(fileMenu_->addAction(file[2]), "notifyQueueEndAction");
    notifyQueueEndAction_->setCheckable(true);
    notifyQueueEndAction_->setChecked(true);
    notifyQueueEndAction_->setEnabled(false);
    exitAction_ = named(fileMenu_->addAction(file[3]), "exitAction");
    viewMenu_ = named(bar->addMenu(menus[1]), "viewMenu");
    timelineAction_ = named(viewMenu_->addAction(view[0]), "timelineAction");
    summaryAction_ = named(viewMenu_->addAction(view[1]), "summaryAction");
    viewMenu_->addSeparator();
    historyAction_ = named(viewMenu_->addAction(view[2]), "historyAction");
    keepHistoryAction_ = named(viewMenu_->addAction(view[3]), "keepHistoryAction");
    keepHistoryAction_->setCheckable(true);
    keepHistoryAction_->setChecked(true);
    helpMenu_ = named(bar->addMenu(menus[2]), "helpMenu");
    aboutAction_ = named(helpMenu_->addAction(help[0]), "aboutAction");
    latestVersionAction_ = named(helpMenu_->addAction(help[1]), "latestVersionAction");
}

void MainWindow::chainTabOrder()
{
    QWidget* const order[] = {logView_, resultsGrid_, folderBox_, browseButton_, maskBox_, formattedTimeBox_, clearLogBox_, processButton_, logView_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

void MainWindow::wireHandlers()
{
    const auto wire = [this](auto* sender, auto signal, void (MainWindow::*handler)()) {
        connect(sender, signal, this, [this, handler] { runGuarded(handler); });
    };
    wire(processButton_, &QPushButton::clicked, &MainWindow::process);
    wire(browseButton_, &QPushButton::clicked, &MainWindow::browse);
    wire(exitAction_, &QAction::triggered, &MainWindow::exit);
    wire(aboutAction_, &QAction::triggered, &MainWindow::showAbout);
    wire(latestVersionAction_, &QAction::triggered, &MainWindow::openLatestVersion);
    wire(timelineAction_, &QAction::triggered, &MainWindow::showTimeline);
    wire(summaryAction_, &QAction::triggered, &MainWindow::showSummary);
    wire(historyAction_, &QAction::triggered, &MainWindow::showHistory);
    wire(saveResultsAction_, &QAction::triggered, &MainWindow::saveResultsAs);
    wire(watchFolderAction_, &QAction::triggered, &MainWindow::switchWatch);
}

void MainWindow::runGuarded(void (MainWindow::*handler)())
{
    runHandler(showError_, [this, handler] { (this->*handler)(); });
}

void MainWindow::restoreState()
{
    const SettingsPlace place = settingsPlace(executablePath_, hostSettingsQueries());
    settingsStore_.emplace(place.file);
    WindowState defaults = state();
    defaults.folder = place.defaultFolder;
    defaults.mask = "*.jobs";
    defaults.formattedTime = true;
    defaults.clearLog = true;
    defaults.gridHeight.reset();  // the very first start keeps the designed division
    WindowState restored = readWindowState(*settingsStore_, defaults);
    if (!arguments_.empty()) takeCommandLine(restored, arguments_, formattedTimeTicked());
    applyState(restored);
}

void MainWindow::saveState()
{
    createSettingsFolder(settingsStore_->path());
    writeWindowState(*settingsStore_, state());
}

void MainWindow::process()
{
    const RunInputs inputs = runInputs();
    lastRun_ = RunFacts{};
    lastRun_->folder = inputs.folder;
    lastRun_->mask = inputs.mask;
    const RunFollowers followers(*this, inputs);
    if (inputs.clearLog) clearLog();
    runTime_ = collaborators_.now();
    printEvents([this, &inputs](RunSink& printers) {
        RunFactsSink facts(*lastRun_);
        RunSinks sink({&printers, &facts});
        const RunOutcome outcome = runProcessing(sink, inputs, [this](std::size_t done, std::size_t found) {
            lastRun_->filesDone = done;
            lastRun_->filesFound = found;
        });
        lastRun_->filesFound = outcome.entries;
        lastRun_->searchError = outcome.searchError;
    });
    resultsGrid_->setFocus(Qt::OtherFocusReason);
}

// A watched refresh reads what the watch follows, whatever the boxes hold
// since. It never shows the error box: a file caught while it was being
// written keeps the rows read before and is read again once the folder has
// been quiet; after the last try the reading is taken as it is, and what
// stopped it is told in the status bar.
void MainWindow::refreshWatched()
{
    RunInputs inputs = runInputs();
    inputs.folder = watch_->folder();
    inputs.mask = watch_->mask();
    const Instant readAt = collaborators_.now();
    WatchedReading reading = readWatchedFolder(inputs, regionalSettings_, collaborators_.leftBehind);
    if (reading.caughtMidWrite && midWriteRereads_ < kMidWriteRereads) {
        ++midWriteRereads_;
        watch_->runAgainLater();
        return;
    }
    midWriteRereads_ = 0;
    lastRun_ = RunFacts{};
    lastRun_->folder = inputs.folder;
    lastRun_->mask = inputs.mask;
    lastRun_->filesFound = reading.outcome.entries;
    lastRun_->filesDone = reading.filesDone;
    lastRun_->searchError = reading.outcome.searchError;
    if (reading.error) lastRun_->stoppedBy = displayText(*reading.error);
    const RunFollowers followers(*this, inputs);
    runTime_ = readAt;
    const RunUpdates updates(*this);
    if (inputs.clearLog) clearLog();
    resultsGrid_->gridModel()->store() = std::move(reading.grid);
    for (const std::string& line : reading.logLines) appendLogLine(line);
}

void MainWindow::printEvents(const std::function<void(RunSink&)>& run)
{
    const RunUpdates updates(*this);
    const bool formatted = formattedTimeTicked();
    report::LogPrinter log([this](std::string_view line) { appendLogLine(line); }, regionalSettings_, formatted);
    report::GridPrinter grid(resultsGrid_->gridModel()->store(), regionalSettings_, formatted, true,
                             collaborators_.leftBehind);
    RunSinks sinks({&log, &grid});
    run(sinks);
}

void MainWindow::followRunningJobs()
{
    ResultsGridModel& model = *resultsGrid_->gridModel();
    model.setNow(runTime_);
    if (model.hasRunningJobs())
        runningTick_->start();
    else
        runningTick_->stop();
}

void MainWindow::announceQueueEnd()
{
    if (!watch_->watching()) {
        queueEnd_.reset();
        return;
    }
    // A run that an error stopped read only part of the queue.
    if (runStopping_ || (lastRun_ && lastRun_->stoppedBy)) return;
    const report::QueueStand stand = gridQueueStand();
    if (!queueEnd_.justFinished(stand) || !notifyQueueEndAction_->isChecked()) return;
    const QString summary = displayText(report::queueFinishedText(stand));
    if (collaborators_.notify) collaborators_.notify({QStringLiteral("Queue finished"), summary, stand.failed > 0});
    QApplication::alert(this);
    const QString at =
        QDateTime::fromMSecsSinceEpoch(runTime_->time_since_epoch().count()).toString(QStringLiteral("HH:mm:ss"));
    statusBar_->showMessage(QStringLiteral("Queue finished at %1: %2").arg(at, summary));
}

void MainWindow::showRunStatus()
{
    if (!lastRun_) return;
    RunFacts& facts = *lastRun_;
    facts.jobs = 0;
    facts.pairs = 0;
    facts.totalMs = 0;
    for (const JobRecord& record : records().all()) {
        if (record.twoPass) {
            ++facts.pairs;
            continue;
        }
        ++facts.jobs;
        facts.totalMs += record.durationMs.value_or(0);
    }
    facts.shownJobs.reset();
    if (!filterBox_->text().isEmpty()) {
        int shown = 0;
        const QAbstractItemModel& order = *resultsGrid_->model();
        for (int row = 0; row < order.rowCount(); ++row) {
            const auto* record = order.index(row, 0).data(ResultsGridModel::RecordRole).value<const JobRecord*>();
            if (record && !record->twoPass) ++shown;
        }
        facts.shownJobs = shown;
    }
    // The text of a run that an error ended waits for the error.
    // What went wrong with the history follows how the run went.
    if (!runStopping_) statusBar_->showMessage(withHistoryNotice(runStatusText(facts)));
}

void MainWindow::showWatching()
{
    watchLabel_->setText(QStringLiteral("Watching %1").arg(displayText(watch_->folder())));
    watchLabel_->setVisible(watch_->watching());
}

MainWindow::Place MainWindow::place() const
{
    Place kept;
    kept.scroll = resultsGrid_->verticalScrollBar()->value();
    for (const int row : resultsGrid_->selectedGridRows()) {
        const JobRecord* record = records().ofRow(row);
        if (!record) continue;
        int position = 0;
        for (const JobRecord& other : records().all()) {
            if (&other == record) break;
            if (other.jobFile == record->jobFile) ++position;
        }
        kept.selected.emplace_back(record->jobFile, position);
    }
    return kept;
}

void MainWindow::restorePlace(const Place& kept)
{
    if (!kept.selected.empty()) {
        std::map<std::string, int> seen;
        QItemSelection selection;
        const QAbstractItemModel* shown = resultsGrid_->model();
        for (const JobRecord& record : records().all()) {
            const std::pair<std::string, int> key(record.jobFile, seen[record.jobFile]++);
            if (std::find(kept.selected.begin(), kept.selected.end(), key) == kept.selected.end()) continue;
            const int row = resultsGrid_->shownRowOf(record.row);
            if (row < 1) continue;
            selection.select(shown->index(row - 1, 0), shown->index(row - 1, kGridColumns - 1));
        }
        resultsGrid_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    resultsGrid_->verticalScrollBar()->setValue(kept.scroll);
}

void MainWindow::showFilter()
{
    filterBox_->show();
    filterBox_->setFocus(Qt::ShortcutFocusReason);
    filterBox_->selectAll();
}

void MainWindow::clearFilter()
{
    filterBox_->clear();
    filterBox_->hide();
    resultsGrid_->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::createKeys()
{
    saveResultsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    auto* again = named(new QAction(this), "processAgainAction");
    again->setShortcut(QKeySequence(Qt::Key_F5));
    addAction(again);
    connect(again, &QAction::triggered, this, [this] { runGuarded(&MainWindow::process); });
    auto* find = named(new QAction(this), "filterAction");
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addAction(find);
    connect(find, &QAction::triggered, this, &MainWindow::showFilter);
    auto* clear = new QShortcut(QKeySequence(Qt::Key_Escape), filterBox_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(clear, &QShortcut::activated, this, &MainWindow::clearFilter);
    // Enter in the filter box goes on to the rows it keeps.
    connect(filterBox_, &QLineEdit::returnPressed, this, [this] { resultsGrid_->setFocus(Qt::ShortcutFocusReason); });
    connect(filterBox_, &QLineEdit::textChanged, this, [this](const QString& text) {
        resultsGrid_->order()->setFilterText(text);
        showRunStatus();
    });
    // Enter in the folder or mask box presses Process.
    for (QLineEdit* box : {static_cast<QLineEdit*>(folderBox_), static_cast<QLineEdit*>(maskBox_)})
        connect(box, &QLineEdit::returnPressed, this, [this] { runGuarded(&MainWindow::process); });
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    applyStoredSplit();
}

void MainWindow::applyStoredSplit()
{
    if (!storedGridHeight_) return;
    const std::int32_t gridHeight = *std::exchange(storedGridHeight_, std::nullopt);
    if (QLayout* outer = layout()) outer->activate();
    if (QLayout* inner = resultsPanel_->layout()) inner->activate();
    const int room = resultsPanel_->contentsRect().height() - kSplitterHeight;
    // A height that no longer fits leaves the grid at least the splitter's smallest share.
    const int logHeight = std::clamp<std::int64_t>(std::int64_t{room} - gridHeight, 0,
                                                   std::max(0, room - kSplitterMinSize));
    splitter_->keepHeight(static_cast<int>(logHeight));
}

void MainWindow::refreshRegionalSettings()
{
    regionalSettings_ = loadRegionalSettings();
}

bool MainWindow::keepsHistory() const
{
    return keepHistoryAction_->isChecked();
}

void MainWindow::recordRun(const std::string& folder)
{
    // A window never started up has no place for its settings, nor its history.
    if (!startedUp_ || !keepsHistory() || !collaborators_.recordRun) return;
    historyNotice_.clear();
    historyRecorder_->record(historyPlace(executablePath_, hostSettingsQueries()), records().all(), folder,
                             [this](const std::vector<std::string>& notices) { showHistoryNotices(notices); });
}

void MainWindow::showHistoryNotices(const std::vector<std::string>& notices)
{
    if (historyWindow_ && historyWindow_->isVisible()) historyWindow_->refresh();
    if (notices.empty()) return;
    QStringList lines;
    for (const std::string& notice : notices) lines << displayText(notice);
    historyNotice_ = lines.join(QLatin1Char(' '));
    showRunStatus();
}

void MainWindow::waitForHistory()
{
    historyRecorder_->finish();
}

QString MainWindow::withHistoryNotice(const QString& status) const
{
    return historyNotice_.isEmpty() ? status : status + QStringLiteral(" - ") + historyNotice_;
}

void MainWindow::browse()
{
    if (const auto folder = browseForFolder(collaborators_.chooseFolder, folderBox_->text()))
        folderBox_->setBytes(pathBytes(*folder));
}

void MainWindow::exit()
{
    close();
}

void MainWindow::showAbout()
{
    showPlainMessageBox(QStringLiteral("version 0.1"));
}

void MainWindow::openLatestVersion()
{
    // Without a browser (as under Wine) the desktop shows nothing: say so,
    // with the address to copy.
    if (!openWebPage(collaborators_.openUrl)) showError_(webPageNotOpenedText());
}

void MainWindow::processJobFile(const std::string& path)
{
    std::string buffer;
    printEvents([&](RunSink& sink) { chronell::processJobFile(sink, rowCounter_, path, buffer); });
}

QRect MainWindow::outerBounds() const
{
    return QRect(pos(), size() + kDesignFrame);
}

void MainWindow::setOuterBounds(const QRect& bounds)
{
    move(bounds.topLeft());
    resize(bounds.size() - kDesignFrame);  // raised to the minimum size
}

WindowState MainWindow::state() const
{
    WindowState state;
    state.folder = folderText();
    state.mask = maskText();
    state.formattedTime = formattedTimeTicked();
    state.clearLog = clearLogTicked();
    for (int column = 0; column < kStoredColumns; ++column)
        state.columnWidths[static_cast<std::size_t>(column)] = resultsGrid_->colWidth(column);
    // The last rectangle Qt reported for the window: maximised while it is
    // maximised, normal while minimised, and kept through hiding.
    const QRect bounds = outerBounds();
    state.left = bounds.left();
    state.top = bounds.top();
    state.width = bounds.width();
    state.height = bounds.height();
    // The grid's share of the panel, the filter box and the legend included:
    // they come and go, the log keeps its height.
    state.gridHeight = storedGridHeight_ ? *storedGridHeight_ : splitter_->y() - resultsPanel_->contentsRect().top();
    state.keepHistory = keepsHistory();
    return state;
}

// The grid holds widths from -1 (a column of no width at all, grid line
// included) up to its header's largest section; a width beyond either end
// takes that end. The window's minimum size raises a size below it.
void MainWindow::applyState(const WindowState& state)
{
    folderBox_->setBytes(state.folder);
    maskBox_->setBytes(state.mask);
    formattedTimeBox_->setChecked(state.formattedTime);
    clearLogBox_->setChecked(state.clearLog);
    keepHistoryAction_->setChecked(state.keepHistory);
    const int widest = resultsGrid_->horizontalHeader()->maximumSectionSize() - kGridLineWidth;
    for (int column = 0; column < kStoredColumns; ++column)
        resultsGrid_->setColWidth(column,
                                  std::clamp(state.columnWidths[static_cast<std::size_t>(column)], -kGridLineWidth, widest));

    setOuterBounds(QRect(withinQtRange(state.left), withinQtRange(state.top), withinQtRange(state.width),
                         withinQtRange(state.height)));
    const QRect bounds = outerBounds();
    const QRect placed = placedOnScreen(bounds);
    if (placed != bounds) setOuterBounds(placed);
    // Applied once the window is shown and laid out.
    storedGridHeight_ = state.gridHeight;
    if (isVisible()) applyStoredSplit();
}

void MainWindow::appendLogLine(std::string_view line)
{
    if (holdingLog_)
        heldLog_.add(line);
    else
        logView_->appendLine(shownText(line));
}

void MainWindow::clearLog()
{
    heldLog_.clear();
    logView_->clear();
}

int MainWindow::rowCount() const
{
    return resultsGrid_->gridModel()->gridRowCount();
}

const RecordList& MainWindow::records() const
{
    return resultsGrid_->gridModel()->store().records();
}

RunInputs MainWindow::runInputs() const
{
    return {folderText(), maskText(), formattedTimeTicked(), clearLogTicked()};
}

std::string MainWindow::folderText() const
{
    return folderBox_->bytes();
}

std::string MainWindow::maskText() const
{
    return maskBox_->bytes();
}

bool MainWindow::formattedTimeTicked() const
{
    return formattedTimeBox_->isChecked();
}

bool MainWindow::clearLogTicked() const
{
    return clearLogBox_->isChecked();
}

// The View menu, Save Results As, Watch Folder and the grid's copy: what
// the window has beyond the design.

void MainWindow::createViewsAndWatch()
{
    new GridCopy(*resultsGrid_);
    views_ = std::make_unique<ResultViews>(
        *this, records(), regionalSettings_, [this] { return formattedTimeTicked(); },
        [this](int row) { selectGridRow(row); }, [this] { return runTime_; }, collaborators_.now);
    // A running job's time so far goes on each second while the window is open.
    runningTick_ = named(new QTimer(this), "runningTick");
    runningTick_->setInterval(std::chrono::seconds(1));
    connect(runningTick_, &QTimer::timeout, this, [this] { resultsGrid_->gridModel()->setNow(collaborators_.now()); });
    connect(resultsGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                views_->rowSelected(current.isValid() ? resultsGrid_->gridRowOf(current.row() + 1) : 0);
            });
    // A watched change runs Process as its button does, but never inside
    // another handler: while a box or dialog is open it waits.
    watch_ = new FolderWatch(
        collaborators_.makeWatchTimer(), [this] { runGuarded(&MainWindow::refreshWatched); },
        [] { return QApplication::activeModalWidget() != nullptr; }, this);
}

void MainWindow::showTimeline()
{
    views_->showTimeline();
}

void MainWindow::showSummary()
{
    views_->showSummary();
}

HistoryWindow* MainWindow::historyWindow() const
{
    return historyWindow_;
}

void MainWindow::showHistory()
{
    // With the last run in it.
    waitForHistory();
    if (!historyWindow_)
        historyWindow_ = new HistoryWindow(historyPlace(executablePath_, hostSettingsQueries()), regionalSettings_,
                                           collaborators_.now, [this] { return formattedTimeTicked(); }, this);
    historyWindow_->show();
    historyWindow_->raise();
    historyWindow_->activateWindow();
}

void MainWindow::saveResultsAs()
{
    const auto choice = collaborators_.chooseSaveFile(browseStartFolder(folderBox_->text()));
    if (!choice) return;
    saveResults(resultsGrid_->gridModel()->store(), formatForPath(choice->path, choice->format), choice->path,
                runTime_);
}

report::QueueStand MainWindow::gridQueueStand() const
{
    report::QueueStand stand;
    for (const JobRecord& record : records().all()) stand.add(record);
    return stand;
}

void MainWindow::switchWatch()
{
    queueEnd_.reset();
    if (watchFolderAction_->isChecked()) {
        watch_->watch(folderText(), maskText());
        // Rows that Process read from the folder now watched tell where its
        // queue stands: a queue running then is announced when it ends.
        if (lastRun_ && !lastRun_->stoppedBy && lastRun_->folder == watch_->folder() &&
            lastRun_->mask == watch_->mask())
            queueEnd_.justFinished(gridQueueStand());
    } else {
        watch_->stop();
    }
    notifyQueueEndAction_->setEnabled(watch_->watching());
    showWatching();
}

void MainWindow::selectGridRow(int row)
{
    if (row < 1 || row >= rowCount()) return;
    const int shown = resultsGrid_->shownRowOf(row);
    if (shown < 1) return;
    resultsGrid_->selectRow(shown - 1);
    resultsGrid_->scrollTo(resultsGrid_->model()->index(shown - 1, 0));
}

} // namespace chronell
