// The Process command in the window, offscreen, over a corpus folder:
//   window_bench FOLDER [RUNS]
// Times from the press of Process to the grid holding every row, then the
// first paint, and a scroll of the grid and of the log with its repaint;
// the same run over the in-memory target shows the engine's share; the
// Timeline of the run opened from the View menu, and zoomed with its
// repaint; what a watched run adds to a press of Process (following the
// folder's entries again); a press in a window that keeps its runs in the
// history, and the wait for the history after it; then a grid of a hundred
// thousand rows on its own. Medians.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QWheelEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QCheckBox>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "platform/huge_page_heap.h"
#include "tests/support/printed_run.h"
#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_grid_view.h"
#include "ui/views/result_views.h"
#include "ui/views/timeline_view.h"
#include "ui/widgets/log_view.h"
#include "ui/window/folder_watch.h"
#include "ui/window/main_window.h"

namespace {

// A control of the window, by its object name.
template <class Control>
Control& part(const QObject& window, const char* name)
{
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (!found) {
        std::fprintf(stderr, "the window has no %s\n", name);
        std::exit(1);
    }
    return *found;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Scrolls `bar` to `value` and repaints the view at once.
double scrollAndPaint(QAbstractScrollArea& view, QScrollBar& bar, int value)
{
    return millisecondsOf([&] {
        bar.setValue(value);
        view.viewport()->repaint();
    });
}

// A grid of the designed size filled with `rows` rows of eight cells in one
// batch and painted; then the slowest of three scrolls with repaint.
void benchLargeGrid(int rows, std::vector<double>& fill, std::vector<double>& scroll)
{
    chronell::ResultsGridView grid;
    grid.resize(565, 229);
    grid.show();
    QApplication::processEvents();
    chronell::ResultsGridModel& model = *grid.gridModel();
    fill.push_back(millisecondsOf([&] {
        model.beginBatch();
        model.setGridRowCount(rows + 1);
        for (int row = 1; row <= rows; ++row)
            for (int column = 0; column < chronell::kGridColumns; ++column)
                model.setCell(column, row, "cell " + std::to_string(row));
        model.endBatch();
        grid.viewport()->repaint();
    }));
    QScrollBar& bar = *grid.verticalScrollBar();
    scroll.push_back(std::max({scrollAndPaint(grid, bar, bar.maximum() / 2), scrollAndPaint(grid, bar, bar.maximum()),
                               scrollAndPaint(grid, bar, 0)}));
}

// One notch of the wheel at the middle of the timeline's plot, in or out,
// and the repaint it asks for.
double zoomAndPaint(chronell::TimelineView& timeline, bool in)
{
    const QPoint middle = timeline.plotRect().center();
    QWheelEvent wheel(middle, timeline.mapToGlobal(middle), {}, QPoint(0, in ? 120 : -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    return millisecondsOf([&] {
        QApplication::sendEvent(&timeline, &wheel);
        timeline.repaint();
    });
}

// The slowest zoom with repaint over eight notches in from the whole run
// and eight back out.
double slowestZoom(chronell::TimelineView& timeline)
{
    double slowest = 0;
    for (const bool in : {true, false})
        for (int notch = 0; notch < 8; ++notch) slowest = std::max(slowest, zoomAndPaint(timeline, in));
    return slowest;
}

} // namespace

int main(int argc, char** argv)
{
    // The heap the window runs with (GLIBC_TUNABLES= set to nothing measures without it).
    chronell::useHugePageHeap(argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_bench FOLDER [RUNS]\n");
        return 2;
    }
    QApplication application(argc, argv);
    const chronell::RegionalSettings settings = chronell::loadRegionalSettings();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    std::vector<double> engine, press, paint, total, gridScroll, logScroll, timelineOpen, timelineZoom, watchFollow,
        keptPress, keptHistory;
    int rows = 0;
    int logLines = 0;
    for (int run = 0; run < runs; ++run) {
        chronell::test::PrintedRun memory;
        chronell::RunInputs inputs;
        inputs.folder = argv[1];
        engine.push_back(millisecondsOf([&] { chronell::test::printRun(memory, inputs, settings); }));
        logLines = static_cast<int>(memory.logLines().size());

        chronell::MainWindow window;
        part<QLineEdit>(window, "folderBox").setText(folder);
        part<QLineEdit>(window, "maskBox").setText(QStringLiteral("*.jobs"));
        part<QCheckBox>(window, "clearLogBox").setChecked(true);
        window.show();
        QApplication::processEvents();

        press.push_back(millisecondsOf([&] { part<QPushButton>(window, "processButton").click(); }));
        paint.push_back(millisecondsOf([&] {
            QApplication::processEvents();
            window.repaint();
        }));
        total.push_back(press.back() + paint.back());
        rows = window.rowCount();

        auto& grid = part<chronell::ResultsGridView>(window, "resultsGrid");
        QScrollBar& gridBar = *grid.verticalScrollBar();
        gridScroll.push_back(std::max({scrollAndPaint(grid, gridBar, gridBar.maximum() / 2),
                                       scrollAndPaint(grid, gridBar, gridBar.maximum()),
                                       scrollAndPaint(grid, gridBar, 0)}));
        auto& log = part<chronell::LogView>(window, "logView");
        QScrollBar& logBar = *log.verticalScrollBar();
        logScroll.push_back(std::max({scrollAndPaint(log, logBar, 0),
                                      scrollAndPaint(log, logBar, logBar.maximum() / 2),
                                      scrollAndPaint(log, logBar, logBar.maximum())}));

        chronell::TimelineView* timeline = nullptr;
        timelineOpen.push_back(millisecondsOf([&] {
            part<QAction>(window, "timelineAction").trigger();
            timeline = window.resultViews().timeline();
            QApplication::processEvents();
            timeline->repaint();
        }));
        timelineZoom.push_back(slowestZoom(*timeline));

        part<QAction>(window, "watchFolderAction").trigger();
        watchFollow.push_back(millisecondsOf([&] { window.folderWatch().watch(argv[1], "*.jobs"); }));
        part<QAction>(window, "watchFolderAction").trigger();

        // A started window keeps its runs in a history of its own (a new
        // one each time), in the background.
        const QTemporaryDir place;
        qputenv("XDG_DATA_HOME", QFile::encodeName(place.path()));
        chronell::MainWindow keeping;
        keeping.startUp({}, place.filePath(QStringLiteral("chronell")).toStdString());
        part<QLineEdit>(keeping, "folderBox").setText(folder);
        part<QLineEdit>(keeping, "maskBox").setText(QStringLiteral("*.jobs"));
        keeping.show();
        QApplication::processEvents();
        keptPress.push_back(millisecondsOf([&] {
            part<QPushButton>(keeping, "processButton").click();
            QApplication::processEvents();
            keeping.repaint();
        }));
        keptHistory.push_back(millisecondsOf([&] { keeping.waitForHistory(); }));
    }

    std::vector<double> largeFill, largeScroll;
    constexpr int kLargeGridRows = 100000;
    for (int run = 0; run < runs; ++run) benchLargeGrid(kLargeGridRows, largeFill, largeScroll);

    std::printf("window (offscreen): %d grid rows, %d log lines, medians of %d runs\n", rows - 1, logLines, runs);
    std::printf("  %-44s %8.0f ms\n", "engine alone (printed into memory)", median(engine));
    std::printf("  %-44s %8.0f ms\n", "press of Process to the grid holding every row", median(press));
    std::printf("  %-44s %8.0f ms\n", "first paint of the window", median(paint));
    std::printf("  %-44s %8.0f ms\n", "press to painted window", median(total));
    std::printf("  %-44s %8.0f ms\n", "the same, History kept: press to painted", median(keptPress));
    std::printf("  %-44s %8.0f ms\n", "  then until the run is in the history", median(keptHistory));
    std::printf("  %-44s %8.1f ms\n", "grid scroll with repaint (slowest of 3)", median(gridScroll));
    std::printf("  %-44s %8.1f ms\n", "log scroll with repaint (slowest of 3)", median(logScroll));
    std::printf("  %-44s %8.0f ms\n", "Timeline from the View menu, painted", median(timelineOpen));
    std::printf("  %-44s %8.1f ms\n", "Timeline zoom with repaint (slowest of 16)", median(timelineZoom));
    std::printf("  %-44s %8.1f ms\n", "watched run's extra: the folder followed again", median(watchFollow));
    std::printf("  %-44s %8.0f ms\n", "grid of 100 000 rows: filled and painted", median(largeFill));
    std::printf("  %-44s %8.1f ms\n", "grid of 100 000 rows: scroll with repaint", median(largeScroll));
    return 0;
}
