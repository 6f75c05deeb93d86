// View, History: the chart's bars are the hours per period that the report
// sums, a click on a period lists its jobs in a grid that sorts and filters
// as the main grid does, the range limits what is read, the Timeline and
// Summary cover the range, and an empty history says so.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "history/history_store.h"
#include "report/period_hours.h"
#include "report/summary.h"
#include "tests/support/generated_history.h"
#include "tests/support/sample_settings.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_grid_view.h"
#include "ui/grid/results_order.h"
#include "ui/views/history_chart.h"
#include "ui/views/history_window.h"
#include "ui/views/result_views.h"
#include "ui/views/summary_window.h"

namespace {

using namespace chronell;
using report::Period;
using report::RecentSpan;

// Two runners over about two months: a three-hour job every seven hours,
// so that some nights' jobs run past midnight into the next day.
test::JobPattern twoMonths()
{
    test::JobPattern pattern;
    pattern.firstStartMs = 1'767'225'600'000;  // 2026-01-01 UTC
    pattern.stepMs = 7 * 3'600'000;
    pattern.durationMs = 3 * 3'600'000;
    pattern.pairEvery = 6;
    pattern.jobsPerFile = 20;
    return pattern;
}

constexpr int kJobs = 200;

Instant lastStart()
{
    const test::JobPattern pattern = twoMonths();
    return Instant(std::chrono::milliseconds(pattern.firstStartMs + (kJobs - 1) * pattern.stepMs));
}

// "period runner busy-ms" per bar or per entry, bars without hours left out.
std::vector<std::string> bars(const report::PeriodChart& chart)
{
    std::vector<std::string> texts;
    for (const report::PeriodColumn& column : chart.columns)
        for (std::size_t runner = 0; runner < chart.runners.size(); ++runner)
            if (column.busyMs[runner] > 0)
                texts.push_back(column.label + " " + chart.runners[runner] + " " + std::to_string(column.busyMs[runner]));
    return texts;
}

std::vector<std::string> entries(const std::vector<report::PeriodHours>& hours)
{
    std::vector<std::string> texts;
    for (const report::PeriodHours& h : hours)
        if (h.busyMs > 0) texts.push_back(h.period + " " + h.runner + " " + std::to_string(h.busyMs));
    return texts;
}

int chartJobs(const report::PeriodChart& chart)
{
    int jobs = 0;
    for (const report::PeriodColumn& column : chart.columns) jobs += column.jobs;
    return jobs;
}

class HistoryWindowTest : public ::testing::Test {
protected:
    std::string historyFile() const { return folder.file("history.sqlite"); }
    void record()
    {
        history::HistoryStore store(historyFile());
        ASSERT_TRUE(store.record(jobs, "E:\\queues", lastStart()).recorded);
    }
    HistoryWindow& open()
    {
        window = std::make_unique<HistoryWindow>(historyFile(), settings, [] { return lastStart(); },
                                                 [] { return false; }, nullptr);
        window->show();
        test::settle();
        return *window;
    }
    // The grid's Name cells as shown.
    std::vector<std::string> listed() const
    {
        std::vector<std::string> texts;
        const ResultsGridView& grid = *window->grid();
        for (int shown = 1; shown <= grid.model()->rowCount(); ++shown)
            texts.emplace_back(grid.gridModel()->cell(0, grid.gridRowOf(shown)));
        return texts;
    }

    test::TempFolder folder;
    RegionalSettings settings = test::settingsA();
    std::vector<JobRecord> jobs = test::generatedJobs(twoMonths(), 0, kJobs);
    std::unique_ptr<HistoryWindow> window;
};

TEST_F(HistoryWindowTest, TheBarsAreTheHoursPerPeriodOfTheReport)
{
    record();
    open().setRange(RecentSpan::All);
    for (const Period period : {Period::Day, Period::Week, Period::Month}) {
        SCOPED_TRACE(static_cast<int>(period));
        window->setPeriod(period);
        test::settle();
        const report::PeriodChart& chart = window->chart()->chart();
        EXPECT_EQ(bars(chart), entries(report::hoursByPeriod(jobs, period)));
        EXPECT_EQ(chart.runners, (std::vector<std::string>{"ATTIC-PC", "STUDIO-PC"}));
        // The tallest column fills the plot; every runner's hours have a bar.
        int tallest = 0;
        for (int column = 0; column < static_cast<int>(chart.columns.size()); ++column) {
            int height = 0;
            for (std::size_t runner = 0; runner < chart.runners.size(); ++runner) {
                const QRect bar = window->chart()->barRect(column, runner);
                EXPECT_EQ(bar.isEmpty(), chart.columns[static_cast<std::size_t>(column)].busyMs[runner] == 0);
                height += bar.height();
            }
            tallest = std::max(tallest, height);
        }
        EXPECT_NEAR(tallest, window->chart()->columnSlot(0).height(), 2);
    }
}

TEST_F(HistoryWindowTest, AClickedPeriodListsItsJobsInAGridThatSortsAndFilters)
{
    record();
    open().setRange(RecentSpan::All);
    window->setPeriod(Period::Week);
    test::settle();
    HistoryChart& chart = *window->chart();
    const int column = 2;
    QTest::mouseClick(&chart, Qt::LeftButton, {}, chart.columnSlot(column).center());
    test::settle();
    ASSERT_EQ(chart.chosenColumn(), column);
    const report::PeriodColumn& week = chart.chart().columns[column];
    std::vector<std::string> expected;
    for (const JobRecord& job : jobs)
        if (*job.startUtc >= week.start && *job.startUtc < week.end) expected.push_back(job.name);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(listed(), expected);
    EXPECT_NE(window->message()->text().indexOf(QString::fromStdString(week.label)), -1);

    // Sorted by Name descending by two header clicks, then back to the recorded order.
    ResultsOrder& order = *window->grid()->order();
    order.columnClicked(0);
    order.columnClicked(0);
    std::vector<std::string> descending = expected;
    std::sort(descending.begin(), descending.end(), std::greater<>());
    EXPECT_EQ(listed(), descending);
    order.columnClicked(0);
    EXPECT_EQ(listed(), expected);

    window->filterBox()->setText(QStringLiteral("pass 2"));
    std::vector<std::string> secondPasses;
    std::copy_if(expected.begin(), expected.end(), std::back_inserter(secondPasses),
                 [](const std::string& name) { return name.find("pass 2") != std::string::npos; });
    ASSERT_FALSE(secondPasses.empty());
    EXPECT_EQ(listed(), secondPasses);
}

TEST_F(HistoryWindowTest, TheRangeLimitsWhatIsRead)
{
    record();
    open();
    struct Case {
        RecentSpan span;
        int days;  // 0: all there is
    };
    for (const Case& c : {Case{RecentSpan::Days7, 7}, Case{RecentSpan::Days30, 30}, Case{RecentSpan::All, 0}}) {
        SCOPED_TRACE(c.days);
        window->setRange(c.span);
        window->setPeriod(Period::Day);
        test::settle();
        const std::optional<Instant> since = report::recentSpanStart(c.span, lastStart());
        std::vector<JobRecord> inRange;
        for (const JobRecord& job : jobs)
            if (!since || *job.startUtc >= *since) inRange.push_back(job);
        const report::PeriodChart& chart = window->chart()->chart();
        if (c.days) {
            EXPECT_EQ(chart.columns.size(), static_cast<std::size_t>(c.days));
        }
        EXPECT_EQ(bars(chart), entries(report::hoursByPeriod(inRange, Period::Day)));
        EXPECT_EQ(chartJobs(chart), static_cast<int>(std::count_if(inRange.begin(), inRange.end(),
                                                                   [](const JobRecord& r) { return !r.twoPass; })));

        // The Summary covers the range.
        QTest::mouseClick(window->summaryButton(), Qt::LeftButton);
        test::settle();
        ASSERT_NE(window->views().summary(), nullptr);
        EXPECT_EQ(window->views().summary()->textView()->toPlainText().toStdString(),
                  report::summaryText(report::summarize(inRange), false, settings));
        window->views().summary()->close();
    }
}

TEST_F(HistoryWindowTest, AnEmptyHistorySaysSo)
{
    open();
    EXPECT_EQ(window->message()->text(), QStringLiteral("No history yet"));
    EXPECT_EQ(chartJobs(window->chart()->chart()), 0);
    EXPECT_EQ(window->grid()->model()->rowCount(), 0);

    // Jobs kept, none of them in the last week.
    jobs = test::generatedJobs(twoMonths(), 0, 20);
    record();
    window->setRange(RecentSpan::Days7);
    test::settle();
    EXPECT_EQ(window->message()->text(), QStringLiteral("No jobs in this range"));
    window->setRange(RecentSpan::All);
    test::settle();
    EXPECT_EQ(chartJobs(window->chart()->chart()), 20);  // the jobs; their pairs' rows add none
}

TEST_F(HistoryWindowTest, AFileThatIsNoHistorySaysWhy)
{
    folder.write("history.sqlite", "not a database, just text of some length to fill a page or so");
    open();
    EXPECT_NE(window->message()->text().indexOf(QStringLiteral("history")), -1);
    EXPECT_EQ(chartJobs(window->chart()->chart()), 0);
}

} // namespace
