#pragma once
// Helpers of the window tests: collaborators of the test's own, a shown
// window with its layout done, and mouse input with the button held.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "ui/window/collaborators.h"
#include "ui/grid/results_grid_view.h"
#include "ui/widgets/input_box.h"
#include "ui/widgets/log_view.h"
#include "ui/widgets/splitter.h"
#include "ui/window/main_window.h"

namespace chronell::test {

// Runs the posted layout and paint requests, as the event loop would.
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// A watch timer that fires when the test says so.
class ManualTimer : public WatchTimer {
public:
    void start(std::chrono::milliseconds delay, std::function<void()> fire) override
    {
        delay_ = delay;
        fire_ = std::move(fire);
        armed_ = true;
    }
    void stop() override { armed_ = false; }

    bool armed() const { return armed_; }
    std::chrono::milliseconds delay() const { return delay_; }
    // What the real timer does when its time is up.
    void fire()
    {
        ASSERT_TRUE(armed_) << "the timer was not started";
        armed_ = false;
        fire_();
    }

private:
    bool armed_ = false;
    std::chrono::milliseconds delay_{0};
    std::function<void()> fire_;
};

// The window's collaborators for a test: the error box's texts collected,
// the dialogs answering what the test puts in, no web browser, and a watch
// timer fired by hand. Must outlive the windows it is handed to.
class TestCollaborators {
public:
    TestCollaborators() = default;
    TestCollaborators(const TestCollaborators&) = delete;
    TestCollaborators& operator=(const TestCollaborators&) = delete;

    WindowCollaborators collaborators()
    {
        WindowCollaborators made;
        made.showError = [this](const QString& text) { errors.push_back(text); };
        made.chooseFolder = [this](const QString& start) {
            folderStarts.push_back(start);
            return folderAnswer;
        };
        made.chooseSaveFile = [this](const QString& start) {
            saveStarts.push_back(start);
            return saveAnswer;
        };
        made.openUrl = [this](const QUrl& address) {
            opened.push_back(address);
            return browserOpens;
        };
        made.makeWatchTimer = [this] {
            auto manual = std::make_unique<ManualTimer>();
            timer = manual.get();
            return manual;
        };
        made.recordRun = [this](const std::string& file, const std::vector<JobRecord>& records,
                                const std::string& folder) {
            recorded.push_back({file, records, folder});
            return historyNotices;
        };
        made.now = [this] { return now; };
        made.notify = [this](const DesktopNotice& notice) { notices.push_back(notice); };
        made.leftBehind = [this](const JobRecord& record) { return leftBehind && leftBehind(record); };
        return made;
    }

    struct Recording {
        std::string historyFile;
        std::vector<JobRecord> records;
        std::string folder;
    };

    std::vector<QString> errors;
    std::vector<QString> folderStarts;
    std::optional<QString> folderAnswer;
    std::vector<QString> saveStarts;
    std::optional<SaveChoice> saveAnswer;
    std::vector<QUrl> opened;
    bool browserOpens = false;  // whether a web browser opens what it is handed
    ManualTimer* timer = nullptr;  // the last window's
    std::vector<Recording> recorded;  // the runs kept in the history
    std::vector<std::string> historyNotices;  // what the history answers
    std::vector<DesktopNotice> notices;  // the desktop notifications shown
    std::function<bool(const JobRecord&)> leftBehind;  // which jobs' runners are gone; none when unset
    Instant now = Instant(std::chrono::milliseconds(1'700'000'000'000));  // 2023-11-14 22:13:20 UTC
};

// Collaborators for a test that expects none of them to be asked: each
// fails the test, and the dialogs are cancelled.
inline WindowCollaborators unaskedCollaborators()
{
    WindowCollaborators made;
    made.showError = [](const QString& text) { ADD_FAILURE() << "error box: " << text.toStdString(); };
    made.chooseFolder = [](const QString&) -> std::optional<QString> {
        ADD_FAILURE() << "folder dialog opened";
        return std::nullopt;
    };
    made.chooseSaveFile = [](const QString&) -> std::optional<SaveChoice> {
        ADD_FAILURE() << "save dialog opened";
        return std::nullopt;
    };
    made.openUrl = [](const QUrl& address) {
        ADD_FAILURE() << "web page opened: " << address.toString().toStdString();
        return false;
    };
    made.makeWatchTimer = [] { return std::make_unique<ManualTimer>(); };
    made.recordRun = {};  // runs are not recorded
    made.notify = [](const DesktopNotice& notice) {
        ADD_FAILURE() << "desktop notice: " << notice.title.toStdString();
    };
    made.leftBehind = [](const JobRecord&) { return false; };
    return made;
}

// A control of the window, found by its object name.
template <class Control>
Control* partNamed(const QObject& window, const char* name)
{
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (!found) throw std::logic_error(std::string("the window has no ") + name);
    return found;
}

// The window's controls, as a test reaches them.
struct WindowParts {
    explicit WindowParts(const QObject& w)
        : statusBar(partNamed<QStatusBar>(w, "statusBar")),
          inputPanel(partNamed<QFrame>(w, "inputPanel")),
          resultsPanel(partNamed<QFrame>(w, "resultsPanel")),
          logView(partNamed<LogView>(w, "logView")),
          splitter(partNamed<Splitter>(w, "splitter")),
          resultsGrid(partNamed<ResultsGridView>(w, "resultsGrid")),
          folderLabel(partNamed<QLabel>(w, "folderLabel")),
          folderBox(partNamed<InputBox>(w, "folderBox")),
          browseButton(partNamed<QPushButton>(w, "browseButton")),
          maskLabel(partNamed<QLabel>(w, "maskLabel")),
          maskBox(partNamed<InputBox>(w, "maskBox")),
          filterBox(partNamed<QLineEdit>(w, "filterBox")),
          formattedTimeBox(partNamed<QCheckBox>(w, "formattedTimeBox")),
          clearLogBox(partNamed<QCheckBox>(w, "clearLogBox")),
          processButton(partNamed<QPushButton>(w, "processButton")),
          fileMenu(partNamed<QMenu>(w, "fileMenu")),
          saveResultsAction(partNamed<QAction>(w, "saveResultsAction")),
          watchFolderAction(partNamed<QAction>(w, "watchFolderAction")),
          notifyQueueEndAction(partNamed<QAction>(w, "notifyQueueEndAction")),
          exitAction(partNamed<QAction>(w, "exitAction")),
          viewMenu(partNamed<QMenu>(w, "viewMenu")),
          timelineAction(partNamed<QAction>(w, "timelineAction")),
          summaryAction(partNamed<QAction>(w, "summaryAction")),
          helpMenu(partNamed<QMenu>(w, "helpMenu")),
          aboutAction(partNamed<QAction>(w, "aboutAction")),
          latestVersionAction(partNamed<QAction>(w, "latestVersionAction"))
    {
    }

    QStatusBar* statusBar;
    QFrame* inputPanel;
    QFrame* resultsPanel;
    LogView* logView;
    Splitter* splitter;
    ResultsGridView* resultsGrid;
    QLabel* folderLabel;
    InputBox* folderBox;
    QPushButton* browseButton;
    QLabel* maskLabel;
    InputBox* maskBox;
    QLineEdit* filterBox;
    QCheckBox* formattedTimeBox;
    QCheckBox* clearLogBox;
    QPushButton* processButton;
    QMenu* fileMenu;
    QAction* saveResultsAction;
    QAction* watchFolderAction;
    QAction* notifyQueueEndAction;
    QAction* exitAction;
    QMenu* viewMenu;
    QAction* timelineAction;
    QAction* summaryAction;
    QMenu* helpMenu;
    QAction* aboutAction;
    QAction* latestVersionAction;
};

inline WindowParts partsOf(const QObject& window)
{
    return WindowParts(window);
}

// A main window shown and active, its layout done.
inline std::unique_ptr<MainWindow> shownWindow(WindowCollaborators collaborators = unaskedCollaborators())
{
    auto window = std::make_unique<MainWindow>(std::move(collaborators));
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get())) << "the main window did not become active";
    settle();
    return window;
}

// Sends a mouse event at `pos` of `widget` with `buttons` held.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace chronell::test
