// The View menu's windows: the Timeline draws the last run and follows the
// next one, zooms around the cursor, pans, fits with Home, shows a bar's job
// in its tooltip and selects the job's row on a click; the Summary shows the
// report's summary of the last run, and its text can be copied.
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolTip>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>

#include "analysis/regional_settings.h"
#include "report/summary.h"
#include "report/timeline.h"
#include "tests/support/job_list_text.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_view.h"
#include "ui/text/display_text.h"
#include "ui/views/result_views.h"
#include "ui/views/summary_window.h"
#include "ui/views/timeline_view.h"

namespace {

using chronell::TimelineView;
using chronell::test::partsOf;
using chronell::test::JobLines;
using chronell::test::jobListText;
using chronell::test::settle;
using chronell::test::shownWindow;
using chronell::test::TempFolder;

constexpr std::uint64_t kBase = 0x01c8b2a622e7f000;  // a file time
constexpr std::uint64_t kMinute = 600'000'000;       // in 100 ns

// A time stamp's two words, `minutes` after kBase.
std::string stamp(int minutes)
{
    const std::uint64_t time = kBase + static_cast<std::uint64_t>(minutes) * kMinute;
    char text[20];
    std::snprintf(text, sizeof text, "%08" PRIx64 " %08" PRIx64, time >> 32, time & 0xFFFFFFFF);
    return text;
}

JobLines job(const std::string& name, int startMinute, int endMinute)
{
    return JobLines{name, "D:\\in\\" + name + ".avi", "D:\\out\\" + name + ".avi", "2", stamp(startMinute),
                    stamp(endMinute)};
}

class ResultViews : public ::testing::Test {
protected:
    void SetUp() override { window = shownWindow(); }

    void process(const TempFolder& folder)
    {
        partsOf(*window).folderBox->setText(QString::fromStdString(folder.string()));
        partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
        partsOf(*window).processButton->click();
        settle();
    }

    TimelineView& openTimeline()
    {
        partsOf(*window).timelineAction->trigger();
        settle();
        TimelineView* timeline = window->resultViews().timeline();
        EXPECT_TRUE(timeline && timeline->isVisible());
        return *timeline;
    }

    // The middle of the bar of the job on grid row `row`, in the timeline.
    static QPoint middleOf(const TimelineView& timeline, const chronell::JobRecord& record, std::size_t lane)
    {
        const double x = (timeline.xOf(*record.startUtc) + timeline.xOf(*record.endUtc)) / 2;
        return QPoint(static_cast<int>(x), timeline.laneTop(lane) + timeline.laneHeight() / 2);
    }

    int selectedRow() const
    {
        const QModelIndexList rows = partsOf(*window).resultsGrid->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows[0].row() + 1 : -1;
    }

    std::unique_ptr<chronell::MainWindow> window;
};

TEST_F(ResultViews, ClickingABarSelectsItsRowAndItsTooltipNamesTheJobOfTheLastRun)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({job("A1", 0, 30), job("A2", 60, 90)}));
    folder.write("b.jobs", jobListText({job("B1", 120, 180)}));
    process(folder);
    TimelineView& timeline = openTimeline();

    struct Case {
        int row;
        std::size_t lane;  // one lane per job-list file, in row order
    };
    for (const Case c : {Case{1, 0}, Case{2, 0}, Case{3, 1}}) {
        const chronell::JobRecord& record = *window->records().ofRow(c.row);
        const QPoint at = middleOf(timeline, record, c.lane);
        QTest::mouseClick(&timeline, Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_EQ(selectedRow(), c.row) << record.name;

        QHelpEvent help(QEvent::ToolTip, at, timeline.mapToGlobal(at));
        QApplication::sendEvent(&timeline, &help);
        EXPECT_EQ(QToolTip::text(), chronell::displayText(chronell::report::barTooltip(
                                        record, window->formattedTimeTicked(), window->regionalSettings())))
            << record.name;
    }
    QToolTip::hideText();

    // A click between bars selects nothing new.
    partsOf(*window).resultsGrid->clearSelection();
    const chronell::JobRecord& first = *window->records().ofRow(1);
    const chronell::JobRecord& second = *window->records().ofRow(2);
    QPoint gap = middleOf(timeline, first, 0);
    gap.setX((middleOf(timeline, first, 0).x() + middleOf(timeline, second, 0).x()) / 2);
    QTest::mouseClick(&timeline, Qt::LeftButton, Qt::NoModifier, gap);
    EXPECT_EQ(selectedRow(), -1);

    // The next run's jobs take their place.
    TempFolder next;
    next.write("c.jobs", jobListText({job("C1", 1000, 1010), job("C2", 1020, 1100)}));
    process(next);
    const chronell::JobRecord& last = *window->records().ofRow(2);
    ASSERT_EQ(last.name, "C2");
    QTest::mouseClick(&timeline, Qt::LeftButton, Qt::NoModifier, middleOf(timeline, last, 0));
    EXPECT_EQ(selectedRow(), 2);
}

TEST_F(ResultViews, WheelZoomsAroundTheCursorDragPansAndHomeFits)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({job("A1", 0, 30), job("A2", 60, 600)}));
    process(folder);
    TimelineView& timeline = openTimeline();
    const double fitFrom = timeline.viewFrom();
    const double fitTo = timeline.viewTo();
    const QRect plot = timeline.plotRect();
    const auto timeAt = [&](int x) {
        return timeline.viewFrom() + (x - plot.left()) * (timeline.viewTo() - timeline.viewFrom()) / plot.width();
    };

    const QPoint cursor(plot.left() + plot.width() / 3, plot.top() + 5);
    const double before = timeAt(cursor.x());
    QWheelEvent wheel(cursor, timeline.mapToGlobal(cursor), {}, QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&timeline, &wheel);
    EXPECT_NEAR(timeAt(cursor.x()), before, 1.0) << "the time under the cursor stays";
    EXPECT_NEAR((timeline.viewTo() - timeline.viewFrom()) * 1.25 * 1.25, fitTo - fitFrom, 1.0) << "two notches in";

    const double span = timeline.viewTo() - timeline.viewFrom();
    const QPoint start = cursor + QPoint(0, 20);
    QTest::mousePress(&timeline, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(&timeline, start + QPoint(50, 0));
    QTest::mouseMove(&timeline, start + QPoint(100, 0));
    QTest::mouseRelease(&timeline, Qt::LeftButton, Qt::NoModifier, start + QPoint(100, 0));
    EXPECT_NEAR(timeAt(start.x() + 100), before, span / plot.width()) << "the time dragged moves with the mouse";
    EXPECT_EQ(selectedRow(), -1) << "a drag is no click";

    QTest::keyClick(&timeline, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(timeline.viewFrom(), fitFrom);
    EXPECT_DOUBLE_EQ(timeline.viewTo(), fitTo);
}

TEST_F(ResultViews, SummaryShowsTheReportsSummaryOfTheLastRunAndCopies)
{
    const std::string folder = std::string(CHRONELL_FIXTURES_DIR) + "/runners";
    partsOf(*window).folderBox->setText(QString::fromStdString(folder));
    partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
    partsOf(*window).processButton->click();
    partsOf(*window).summaryAction->trigger();
    settle();
    chronell::SummaryWindow* summary = window->resultViews().summary();
    ASSERT_TRUE(summary && summary->isVisible());
    const auto expected = [&] {
        // As of the run, as the report's summary is.
        return chronell::displayText(chronell::report::summaryText(chronell::report::summarize(window->records().all(),
                                                                                               window->runTime()),
                                                                   window->formattedTimeTicked(),
                                                                   window->regionalSettings()));
    };
    EXPECT_EQ(summary->textView()->toPlainText(), expected());
    EXPECT_TRUE(summary->textView()->toPlainText().contains("STUDIO-PC"));

    summary->textView()->selectAll();
    summary->textView()->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected());

    // Shown while the next run ends: it shows that run.
    TempFolder other;
    other.write("a.jobs", jobListText({job("A1", 0, 30)}));
    process(other);
    EXPECT_EQ(summary->textView()->toPlainText(), expected());
    EXPECT_FALSE(summary->textView()->toPlainText().contains("STUDIO-PC"));
}

TEST_F(ResultViews, EscClosesTheSummaryAndTheTimeline)
{
    TempFolder folder;
    folder.write("a.jobs", jobListText({job("A1", 0, 30)}));
    process(folder);
    partsOf(*window).summaryAction->trigger();
    partsOf(*window).timelineAction->trigger();
    settle();
    QWidget* const views[] = {window->resultViews().summary(), window->resultViews().timeline()};
    for (QWidget* view : views) {
        ASSERT_TRUE(view && view->isVisible());
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view;
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(view->isVisible());
    }
}

} // namespace
