#pragma once
// The main window: its controls under their design names and its handlers.
// Process runs the same engine as chronell-report and prints its events
// into the log and the results grid's store with the report's printers.
#include <QMainWindow>
#include <QRect>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/date_time.h"
#include "analysis/processing_run.h"
#include "analysis/record_list.h"
#include "analysis/regional_settings.h"
#include "ui/collaborators.h"
#include "ui/input_box.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;

namespace chronell {
class FolderWatch;
class RunSink;
class LogView;
class ResultViews;
class ResultsGridView;
class Splitter;
} // namespace chronell

class TfoMain : public QMainWindow {
    Q_OBJECT

public:
    // The window asks `collaborators` for its boxes, dialogs, web browser
    // and the folder watch's timer.
    explicit TfoMain(chronell::WindowCollaborators collaborators = {}, QWidget* parent = nullptr);
    ~TfoMain() override;

    // The controls; the window owns them all for its whole life.
    QStatusBar* StatusBar1;
    QFrame* Panel1;  // results panel
    chronell::LogView* Memo1;
    QFrame* Panel2;  // top panel
    QLabel* Label1;
    chronell::InputBox* Edit1;  // folder box
    QPushButton* Button2;  // Browse
    QLabel* Label2;
    chronell::InputBox* Edit2;  // mask box
    QCheckBox* CheckBox1;  // formatted-time option
    QCheckBox* CheckBox2;  // clear-log option
    QPushButton* Button1;  // Process
    chronell::Splitter* Splitter1;
    chronell::ResultsGridView* sg1;
    QMenuBar* MainMenu1;
    QMenu* File1;
    QAction* Quit1;
    QMenu* Help1;
    QAction* About1;
    QAction* LatestVersion1;
    // Beside the design's controls: the View menu, Save Results As and Watch Folder.
    QMenu* View1;
    QAction* Timeline1;
    QAction* Summary1;
    QAction* SaveResultsAs1;
    QAction* WatchFolder1;

    // Runs the creation handler FormCreate with the command line's
    // arguments and the executable's path, beside which the settings file
    // lies (in the user's configuration folder for a copy whose folder
    // takes no new files: settings/settings_place.h). A window so started runs the destruction handler FormDestroy
    // when it is destroyed, after hiding itself; a window never started up
    // (the layout alone) runs neither.
    void startUp(std::vector<std::string> arguments, std::string executablePath);

    // Handlers; the window runs each inside the handler barrier.
    void FormCreate();
    void FormDestroy();
    void Button1Click();
    void Button2Click();
    void Quit1Click();
    void About1Click();
    void LatestVersion1Click();
    void Timeline1Click();
    void Summary1Click();
    void SaveResultsAs1Click();
    void WatchFolder1Click();

    // Working methods of the design, over the engine.
    void proc_file(const std::string& path);
    static std::string addzeros(std::uint32_t number, unsigned width);
    static chronell::TDateTime FileTime2DateTime(const chronell::FileTime& fileTime);

    // Left, top, width and height as the design measures them: the outer
    // size includes a frame of 8 by 27 pixels around the window's widget.
    QRect outerBounds() const;
    void setOuterBounds(const QRect& bounds);

    // The results grid's row count, header row included.
    int rowCount() const;

    // The regional settings that the log, the grid and the views follow:
    // the user's when the window is made, and again after each change of them.
    const chronell::RegionalSettings& regionalSettings() const { return regionalSettings_; }
    void refreshRegionalSettings();

    // The input row: what Process reads.
    std::string folderText() const;
    std::string maskText() const;
    bool formattedTimeTicked() const;
    bool clearLogTicked() const;
    chronell::RunInputs runInputs() const;

    // The records of the grid's rows, from the last run.
    const chronell::RecordList& records() const;

    // The Timeline and Summary windows, and the folder watch.
    chronell::ResultViews& resultViews() const { return *views_; }
    chronell::FolderWatch& folderWatch() const { return *watch_; }
    // Selects a grid row (1 is the first data row) and scrolls it into view.
    void selectGridRow(int row);

private:
    class RunUpdates;
    class RunFollowers;

    void createMenu();
    void createTopPanel();
    void createResultsPanel();
    void chainTabOrder();
    void wireHandlers();
    void createViewsAndWatch();
    // Runs a handler inside the handler barrier.
    void runGuarded(void (TfoMain::*handler)());
    // Hands `run` a sink that prints into the log and the grid, the view
    // updates held back until it returns.
    void printEvents(const std::function<void(chronell::RunSink&)>& run);
    void appendLogLine(std::string_view line);
    void clearLog();

    chronell::WindowCollaborators collaborators_;

    std::vector<std::string> arguments_;  // for FormCreate
    std::string executablePath_;
    bool startedUp_ = false;
    int rowCounter_ = 0;  // the row written last by proc_file
    bool holdingLog_ = false;
    QStringList heldLog_;  // as the log shows them
    chronell::RegionalSettings regionalSettings_;
    std::unique_ptr<chronell::ResultViews> views_;
    chronell::FolderWatch* watch_ = nullptr;  // owned as a child
};

// The single main window.
extern TfoMain* foMain;
