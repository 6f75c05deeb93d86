#include "ui/FMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

#include "analysis/duration.h"
#include "analysis/job_file_pass.h"
#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "analysis/run_events.h"
#include "report/grid_printer.h"
#include "report/log_printer.h"
#include "settings/settings_place.h"
#include "settings/settings_store.h"
#include "ui/access_keys.h"
#include "ui/designed_fonts.h"
#include "ui/display_text.h"
#include "ui/folder_browser.h"
#include "ui/folder_watch.h"
#include "ui/form_settings.h"
#include "ui/grid_copy.h"
#include "ui/handler_barrier.h"
#include "ui/input_box.h"
#include "ui/log_view.h"
#include "ui/path_bytes.h"
#include "ui/plain_message_box.h"
#include "ui/push_button.h"
#include "ui/result_views.h"
#include "ui/results_export.h"
#include "ui/results_grid_model.h"
#include "ui/results_grid_view.h"
#include "ui/splitter.h"
#include "ui/web_page.h"

TfoMain* foMain = nullptr;

namespace {

// The settings store: made by FormCreate, used by it and by FormDestroy,
// and kept until the process ends.
std::optional<chronell::SettingsStore> settingsStore;

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
class TfoMain::RunUpdates {
public:
    explicit RunUpdates(TfoMain& window) : window_(window)
    {
        window_.sg1->gridModel()->beginBatch();
        window_.holdingLog_ = true;
    }
    ~RunUpdates()
    {
        window_.holdingLog_ = false;
        window_.Memo1->appendLines(std::exchange(window_.heldLog_, {}));
        window_.sg1->gridModel()->endBatch();
    }
    RunUpdates(const RunUpdates&) = delete;
    RunUpdates& operator=(const RunUpdates&) = delete;

private:
    TfoMain& window_;
};

// After a run, also one that an error ended: the views take the new
// records, and a watched folder is followed where the run looked.
class TfoMain::RunFollowers {
public:
    explicit RunFollowers(TfoMain& window) : window_(window), inputs_(window.runInputs()) {}
    ~RunFollowers()
    {
        window_.views_->runEnded();
        if (window_.watch_->watching()) window_.watch_->watch(inputs_.folder, inputs_.mask);
    }
    RunFollowers(const RunFollowers&) = delete;
    RunFollowers& operator=(const RunFollowers&) = delete;

private:
    TfoMain& window_;
    chronell::RunInputs inputs_;
};

TfoMain::TfoMain(chronell::WindowCollaborators collaborators, QWidget* parent)
    : QMainWindow(parent), collaborators_(std::move(collaborators)), regionalSettings_(chronell::loadRegionalSettings())
{
    setWindowTitle(QStringLiteral("Chronell"));
    setFont(chronell::windowFont());
    setMinimumSize(kMinimumOuterSize - kDesignFrame);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setFixedHeight(kStatusBarHeight);
    StatusBar1->setSizeGripEnabled(true);
    setStatusBar(StatusBar1);

    auto* client = new QWidget(this);
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    setCentralWidget(client);

    Panel2 = raisedPanel(client);
    Panel2->setFixedHeight(kTopPanelHeight);
    createTopPanel();
    Panel1 = raisedPanel(client);
    createResultsPanel();
    clientLayout->addWidget(Panel2);
    clientLayout->addWidget(Panel1, 1);

    createMenu();
    chainTabOrder();
    wireHandlers();
    createViewsAndWatch();
    // The first control in tab order takes the focus when the window is first activated.
    Memo1->setFocus();
    setOuterBounds(kDesignedBounds);
}

TfoMain::~TfoMain()
{
    if (!startedUp_) return;
    hide();
    runGuarded(&TfoMain::FormDestroy);
}

void TfoMain::startUp(std::vector<std::string> arguments, std::string executablePath)
{
    arguments_ = std::move(arguments);
    executablePath_ = std::move(executablePath);
    startedUp_ = true;
    runGuarded(&TfoMain::FormCreate);
}

void TfoMain::createResultsPanel()
{
    auto* layout = new QVBoxLayout(Panel1);  // inside the bevel
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Memo1 = new chronell::LogView(Panel1);
    Memo1->setFixedHeight(kLogHeight);
    Splitter1 = new chronell::Splitter(Memo1, Panel1);
    Splitter1->setFixedHeight(kSplitterHeight);
    sg1 = new chronell::ResultsGridView(Panel1);

    layout->addWidget(sg1, 1);
    layout->addWidget(Splitter1);
    layout->addWidget(Memo1);
}

void TfoMain::createTopPanel()
{
    // Fixed positions: the top panel's controls neither move nor stretch.
    Label1 = new QLabel(QStringLiteral("Directory:"), Panel2);
    Edit1 = new chronell::InputBox(Panel2);
    Edit1->setGeometry(62, 10, 419, 21);
    Button2 = new chronell::PushButton(QStringLiteral("Browse"), Panel2);
    Button2->setGeometry(485, 10, 75, 21);
    Label2 = new QLabel(QStringLiteral("Files:"), Panel2);
    Edit2 = new chronell::InputBox(Panel2);
    Edit2->setGeometry(62, 42, 195, 21);
    CheckBox1 = new QCheckBox(QStringLiteral("Formated time output"), Panel2);
    CheckBox1->setGeometry(270, 44, 121, 17);
    CheckBox2 = new QCheckBox(QStringLiteral("Clear log"), Panel2);
    CheckBox2->setGeometry(406, 44, 67, 17);
    Button1 = new chronell::PushButton(QStringLiteral("Process"), Panel2);
    Button1->setGeometry(485, 42, 75, 21);

    // A font wider than the designed one widens an option to its caption,
    // up to the control to its right, rather than cut the caption.
    const auto widen = [](QCheckBox* option, int limit) {
        const int width = std::min(std::max(option->width(), option->sizeHint().width()), limit - option->x());
        option->resize(width, option->height());
    };
    widen(CheckBox1, CheckBox2->x() - 2);
    widen(CheckBox2, Button1->x() - 2);

    // A font wider than the designed one moves the line-up to the right
    // rather than push a label out of the panel.
    const int right = std::max(
        kLabelsRight, kBevel + std::max(Label1->sizeHint().width(), Label2->sizeHint().width()));
    const auto place = [right](QLabel* label, int top) {
        const QSize size = label->sizeHint();
        label->setGeometry(right - size.width(), top, size.width(), size.height());
    };
    place(Label1, 17);
    place(Label2, 49);
}

void TfoMain::createMenu()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setFixedHeight(kMenuBarHeight);
    setMenuBar(MainMenu1);

    const QStringList bar =
        chronell::withAccessKeys({QStringLiteral("File"), QStringLiteral("View"), QStringLiteral("Help")});
    const QStringList file = chronell::withAccessKeys(
        {QStringLiteral("Save Results As\u2026"), QStringLiteral("Watch Folder"), QStringLiteral("Exit")});
    const QStringList view = chronell::withAccessKeys({QStringLiteral("Timeline"), QStringLiteral("Summary")});
    const QStringList help = chronell::withAccessKeys({QStringLiteral("About"), QStringLiteral("Latest Version")});
    File1 = MainMenu1->addMenu(bar[0]);
    SaveResultsAs1 = File1->addAction(file[0]);
    WatchFolder1 = File1->addAction(file[1]);
    WatchFolder1->setCheckable(true);
    Quit1 = File1->addAction(file[2]);
    View1 = MainMenu1->addMenu(bar[1]);
    Timeline1 = View1->addAction(view[0]);
    Summary1 = View1->addAction(view[1]);
    Help1 = MainMenu1->addMenu(bar[2]);
    About1 = Help1->addAction(help[0]);
    LatestVersion1 = Help1->addAction(help[1]);
}

void TfoMain::chainTabOrder()
{
    QWidget* const order[] = {Memo1, sg1, Edit1, Button2, Edit2, CheckBox1, CheckBox2, Button1, Memo1};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

void TfoMain::wireHandlers()
{
    const auto wire = [this](auto* sender, auto signal, void (TfoMain::*handler)()) {
        connect(sender, signal, this, [this, handler] { runGuarded(handler); });
    };
    wire(Button1, &QPushButton::clicked, &TfoMain::Button1Click);
    wire(Button2, &QPushButton::clicked, &TfoMain::Button2Click);
    wire(Quit1, &QAction::triggered, &TfoMain::Quit1Click);
    wire(About1, &QAction::triggered, &TfoMain::About1Click);
    wire(LatestVersion1, &QAction::triggered, &TfoMain::LatestVersion1Click);
    wire(Timeline1, &QAction::triggered, &TfoMain::Timeline1Click);
    wire(Summary1, &QAction::triggered, &TfoMain::Summary1Click);
    wire(SaveResultsAs1, &QAction::triggered, &TfoMain::SaveResultsAs1Click);
    wire(WatchFolder1, &QAction::triggered, &TfoMain::WatchFolder1Click);
}

void TfoMain::runGuarded(void (TfoMain::*handler)())
{
    chronell::runHandler(collaborators_.showError, [this, handler] { (this->*handler)(); });
}

void TfoMain::FormCreate()
{
    const chronell::SettingsPlace place = chronell::settingsPlace(executablePath_, chronell::hostSettingsQueries());
    settingsStore.emplace(place.file);
    chronell::restoreFormSettings(*this, *settingsStore, arguments_, place.defaultFolder);
}

void TfoMain::FormDestroy()
{
    chronell::createSettingsFolder(settingsStore->path());
    chronell::saveFormSettings(*this, *settingsStore);
}

void TfoMain::Button1Click()
{
    const RunFollowers followers(*this);
    const chronell::RunInputs inputs = runInputs();
    if (inputs.clearLog) clearLog();
    printEvents([&inputs](chronell::RunSink& sink) { chronell::runProcessing(sink, inputs); });
    sg1->setFocus(Qt::OtherFocusReason);
}

void TfoMain::printEvents(const std::function<void(chronell::RunSink&)>& run)
{
    const RunUpdates updates(*this);
    const bool formatted = formattedTimeTicked();
    chronell::report::LogPrinter log([this](std::string_view line) { appendLogLine(line); }, regionalSettings_,
                                     formatted);
    chronell::report::GridPrinter grid(sg1->gridModel()->store(), regionalSettings_, formatted, true);
    chronell::RunSinks sinks({&log, &grid});
    run(sinks);
}

void TfoMain::refreshRegionalSettings()
{
    regionalSettings_ = chronell::loadRegionalSettings();
}

void TfoMain::Button2Click()
{
    if (const auto folder = chronell::browseForFolder(collaborators_.chooseFolder, Edit1->text()))
        Edit1->setBytes(chronell::pathBytes(*folder));
}

void TfoMain::Quit1Click()
{
    close();
}

void TfoMain::About1Click()
{
    chronell::showPlainMessageBox(QStringLiteral("version 0.1"));
}

void TfoMain::LatestVersion1Click()
{
    chronell::openWebPage(collaborators_.openUrl);
}

void TfoMain::proc_file(const std::string& path)
{
    std::string buffer;
    printEvents([&](chronell::RunSink& sink) { chronell::processJobFile(sink, rowCounter_, path, buffer); });
}

std::string TfoMain::addzeros(std::uint32_t number, unsigned width)
{
    return chronell::addzeros(number, width);
}

chronell::TDateTime TfoMain::FileTime2DateTime(const chronell::FileTime& fileTime)
{
    return chronell::FileTime2DateTime(fileTime);
}

QRect TfoMain::outerBounds() const
{
    return QRect(pos(), size() + kDesignFrame);
}

void TfoMain::setOuterBounds(const QRect& bounds)
{
    move(bounds.topLeft());
    resize(bounds.size() - kDesignFrame);  // raised to the minimum size
}

void TfoMain::appendLogLine(std::string_view line)
{
    if (holdingLog_)
        heldLog_.append(chronell::shownText(line));
    else
        Memo1->appendLine(chronell::shownText(line));
}

void TfoMain::clearLog()
{
    heldLog_.clear();
    Memo1->clear();
}

int TfoMain::rowCount() const
{
    return sg1->gridModel()->gridRowCount();
}

const chronell::RecordList& TfoMain::records() const
{
    return sg1->gridModel()->store().records();
}

chronell::RunInputs TfoMain::runInputs() const
{
    return {folderText(), maskText(), formattedTimeTicked(), clearLogTicked()};
}

std::string TfoMain::folderText() const
{
    return Edit1->bytes();
}

std::string TfoMain::maskText() const
{
    return Edit2->bytes();
}

bool TfoMain::formattedTimeTicked() const
{
    return CheckBox1->isChecked();
}

bool TfoMain::clearLogTicked() const
{
    return CheckBox2->isChecked();
}

// The View menu, Save Results As, Watch Folder and the grid's copy: what
// the window has beyond the design.

void TfoMain::createViewsAndWatch()
{
    new chronell::GridCopy(*sg1);
    views_ = std::make_unique<chronell::ResultViews>(
        *this, records(), regionalSettings_, [this] { return formattedTimeTicked(); },
        [this](int row) { selectGridRow(row); });
    // A watched change runs Process as its button does, but never inside
    // another handler: while a box or dialog is open it waits.
    watch_ = new chronell::FolderWatch(
        collaborators_.makeWatchTimer(), [this] { runGuarded(&TfoMain::Button1Click); },
        [] { return QApplication::activeModalWidget() != nullptr; }, this);
}

void TfoMain::Timeline1Click()
{
    views_->showTimeline();
}

void TfoMain::Summary1Click()
{
    views_->showSummary();
}

void TfoMain::SaveResultsAs1Click()
{
    const auto choice = collaborators_.chooseSaveFile(chronell::browseStartFolder(Edit1->text()));
    if (!choice) return;
    chronell::saveResults(sg1->gridModel()->store(), choice->format, choice->path);
}

void TfoMain::WatchFolder1Click()
{
    if (WatchFolder1->isChecked())
        watch_->watch(folderText(), maskText());
    else
        watch_->stop();
}

void TfoMain::selectGridRow(int row)
{
    if (row < 1 || row >= rowCount()) return;
    sg1->selectRow(row - 1);
    sg1->scrollTo(sg1->model()->index(row - 1, 0));
}
