// The Timeline window draws a running job from its start to the clock's now
// and follows the clock when it redraws; its legend's swatches are the
// colours of its bars.
#include <gtest/gtest.h>

#include <QImage>

#include "analysis/regional_settings.h"
#include "ui/grid/coloured_status.h"
#include "ui/views/timeline_view.h"
#include "ui/window_support.h"

namespace {

using chronell::Instant;
using chronell::JobRecord;
using chronell::TimelineView;
using std::chrono::minutes;

const Instant kEvening = Instant(std::chrono::milliseconds(1'688'234'400'000));  // 2023-07-01 18:00 UTC

JobRecord job(int row, const char* runner, int startMinute, std::optional<int> endMinute, int state)
{
    JobRecord record;
    record.row = row;
    record.name = "take " + std::to_string(row);
    record.jobFile = "evening.jobs";
    record.runnerName = runner;
    record.state = state;
    record.startUtc = kEvening + minutes(startMinute);
    if (endMinute) record.endUtc = kEvening + minutes(*endMinute);
    return record;
}

TEST(TimelineRunning, ARunningBarEndsAtTheClocksNow)
{
    Instant now = kEvening + minutes(50);
    const chronell::RegionalSettings settings;
    TimelineView view(settings, [](int) {}, [&now] { return now; }, nullptr);
    const std::vector<JobRecord> records = {job(1, "ATTIC", 0, 40, 2), job(2, "STUDIO", 10, std::nullopt, 1)};
    view.resize(900, 480);
    view.show();
    view.setRecords(records, true);
    ASSERT_TRUE(view.showsRunning());

    const int runningLane = view.laneTop(1) + view.laneHeight() / 2;  // STUDIO after ATTIC
    const auto hit = [&](double x) { return view.barAt(QPoint(static_cast<int>(x), runningLane)) != nullptr; };
    for (const int advance : {0, 25, 300}) {  // the last one far beyond the last end
        now = kEvening + minutes(50 + advance);
        view.redrawRunning();
        QTest::keyClick(&view, Qt::Key_Home);  // the whole run in view
        const double end = view.xOf(now);
        EXPECT_TRUE(hit(end - 3)) << advance << " minutes on: the bar reaches now";
        EXPECT_FALSE(hit(end + 6)) << advance << " minutes on: and ends there";
        EXPECT_LE(end, view.plotRect().right() + 1) << "now is in the fitted view";
    }
    view.clear();
    EXPECT_FALSE(view.showsRunning());
}

TEST(TimelineRunning, WithoutAClockNothingRuns)
{
    const chronell::RegionalSettings settings;
    TimelineView view(settings, [](int) {}, chronell::WallClock{}, nullptr);
    const std::vector<JobRecord> records = {job(1, "ATTIC", 0, 40, 2), job(2, "STUDIO", 10, std::nullopt, 1)};
    view.setRecords(records, true);
    EXPECT_FALSE(view.showsRunning());
}

TEST(TimelineLegend, ListsTheStatusesDrawnWithSwatchesOfTheirBarsColours)
{
    const Instant now = kEvening + minutes(90);
    const chronell::RegionalSettings settings;
    TimelineView view(settings, [](int) {}, [&now] { return now; }, nullptr);
    const std::vector<JobRecord> records = {job(1, "ATTIC", 0, 40, 2),  job(2, "ATTIC", 45, 60, 5),
                                            job(3, "STUDIO", 0, 20, 4), job(4, "STUDIO", 22, 28, 8),
                                            job(5, "STUDIO", 30, std::nullopt, 1)};
    view.resize(900, 480);
    view.show();
    view.setRecords(records, true);
    chronell::test::settle();

    QStringList texts;
    for (const chronell::LegendEntry& entry : view.legend()) texts << entry.text;
    EXPECT_EQ(texts.join(u','), "In Progress,Done,Aborted,Error,Other");

    const QImage shown = view.grab().toImage();
    const std::vector<QRect> swatches = chronell::legendSwatches(view.fontMetrics(), view.legendRect(), view.legend());
    const int inset = std::max(1, view.laneHeight() / 6);
    for (const JobRecord& record : records) {
        const std::size_t lane = record.runnerName == "ATTIC" ? 0 : 1;
        // Just inside the bar's start, above its name.
        const QColor bar = shown.pixelColor(static_cast<int>(view.xOf(*record.startUtc)) + 2,
                                            view.laneTop(lane) + inset + 1);
        const QString text = chronell::legendText(chronell::colouredStatusOf(record.state));
        const auto entry = static_cast<std::size_t>(texts.indexOf(text));
        ASSERT_LT(entry, swatches.size()) << text.toStdString();
        EXPECT_EQ(shown.pixelColor(swatches[entry].center()), bar) << text.toStdString();
        EXPECT_NE(bar, QColor(Qt::white)) << text.toStdString();
    }
}

} // namespace
