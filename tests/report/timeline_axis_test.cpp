#include "report/timeline_axis.h"

#include <gtest/gtest.h>

#include "analysis/regional_settings.h"
#include "report/local_instant.h"
#include "support/host.h"
#include "support/time_zone.h"

namespace chronell::report {
namespace {

using std::chrono::days;
using std::chrono::hours;
using std::chrono::minutes;

const Instant kStart = Instant(std::chrono::milliseconds(1'688'169'600'000));  // 2023-07-01 00:00 UTC

double msOf(std::chrono::milliseconds span) { return static_cast<double>(span.count()); }

// Labels about as wide as the window's font draws them.
double charsWide(const std::string& text) { return 7.0 * static_cast<double>(text.size()); }

TEST(TimelineAxis, IdleStretchesLongerThanAFewHoursFold)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> busyMinutes;  // from kStart
        std::size_t folds;
        int lastStartMinute;  // of the last busy interval ...
        double lastStartAt;   // ... on the axis, in minutes
    };
    const double folded = msOf(kFoldedWidth) / 60'000;
    const Case cases[] = {
        {"a short pause stays", {{0, 60}, {180, 240}}, 0, 180, 180},
        {"exactly the limit stays", {{0, 60}, {240, 300}}, 0, 240, 240},
        {"a night folds", {{0, 60}, {1260, 1300}}, 1, 1260, 60 + folded},
        {"three evenings side by side", {{0, 240}, {1440, 1680}, {2880, 3000}}, 2, 2880, 480 + 2 * folded},
        {"a long job covers the gaps of short ones", {{0, 600}, {10, 20}, {590, 700}}, 0, 590, 590},
        {"measured from the latest end", {{0, 600}, {10, 20}, {780, 840}}, 0, 780, 780},
        {"order does not matter", {{1260, 1300}, {0, 60}}, 1, 1260, 60 + folded},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<Instant, Instant>> busy;
        for (const auto& [from, to] : c.busyMinutes) busy.emplace_back(kStart + minutes(from), kStart + minutes(to));
        const TimeAxis axis(busy);
        EXPECT_EQ(axis.folds().size(), c.folds) << c.what;
        EXPECT_DOUBLE_EQ(axis.position(kStart + minutes(c.lastStartMinute)), c.lastStartAt * 60'000) << c.what;
        // Positions rise with time, and lead back to their instants, in folds too.
        double before = -1;
        for (int minute = 0; minute <= 3000; minute += 7) {
            const Instant at = kStart + minutes(minute);
            const double position = axis.position(at);
            EXPECT_GT(position, before) << c.what << " at minute " << minute;
            before = position;
            EXPECT_LE(std::abs((axis.instantAt(position) - at).count()), 1) << c.what << " at minute " << minute;
        }
    }
}

TEST(TimelineAxis, TickStepsSuitTheSpan)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not set the Windows time zone";
    const test::ScopedTimeZone zone("UTC");
    // Labels 60 pixels wide on 1000 pixels: a step is chosen when 72 pixels
    // (label and gap) hold at most 7.2 % of the span.
    struct Case {
        std::chrono::milliseconds span;
        TickStep step;
    };
    const Case cases[] = {
        {minutes(10), {TickUnit::Minute, 1}},   {hours(1), {TickUnit::Minute, 5}},
        {hours(3), {TickUnit::Minute, 15}},     {hours(6), {TickUnit::Minute, 30}},
        {hours(12), {TickUnit::Hour, 1}},       {days(1), {TickUnit::Hour, 3}},
        {days(2), {TickUnit::Hour, 6}},         {days(6), {TickUnit::Hour, 12}},
        {days(10), {TickUnit::Day, 1}},         {days(60), {TickUnit::Week, 1}},
        {days(365), {TickUnit::Month, 1}},      {days(3 * 365), {TickUnit::Month, 3}},
        {days(10 * 365), {TickUnit::Year, 1}},  {days(50 * 365), {TickUnit::Year, 5}},
        {days(100 * 365), {TickUnit::Year, 10}},
    };
    const auto fixedWidth = [](const std::string&) { return 60.0; };
    for (const Case& c : cases) {
        const Instant from = kStart + minutes(7);  // not on a round time
        const TimeAxis axis({{from, from + c.span}});
        const auto ticks = axisTicks(axis, 0, msOf(c.span), 1000, RegionalSettings{}, fixedWidth);
        const std::string what = std::to_string(c.span.count()) + " ms";
        ASSERT_GE(ticks.size(), 2u) << what;
        EXPECT_LE(ticks.size(), 1000u / 72 + 1) << what;
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            const std::int64_t local = localMilliseconds(ticks[i].at);
            EXPECT_EQ(nextTickLocal(c.step, local), local) << what << ": a tick on the step's round time";
            if (i == 0) continue;
            const auto gap = ticks[i].at - ticks[i - 1].at;
            const auto nominal = nominalLength(c.step);
            if (c.step.unit == TickUnit::Month || c.step.unit == TickUnit::Year)
                EXPECT_NEAR(msOf(gap), msOf(nominal), msOf(days(3 * c.step.count))) << what;
            else
                EXPECT_EQ(gap, nominal) << what;
        }
    }
}

TEST(TimelineAxis, CalendarTicksFallOnMondaysAndFirstDays)
{
    constexpr std::int64_t day = 86'400'000;
    const std::int64_t july1 = (kStart.time_since_epoch().count() / day) * day;  // a Saturday
    EXPECT_EQ(nextTickLocal({TickUnit::Week, 1}, july1), july1 + 2 * day);
    EXPECT_EQ(nextTickLocal({TickUnit::Month, 1}, july1), july1);
    EXPECT_EQ(nextTickLocal({TickUnit::Month, 1}, july1 + 1), july1 + 31 * day);
    EXPECT_EQ(nextTickLocal({TickUnit::Month, 3}, july1 + 1), july1 + (31 + 31 + 30) * day);  // October
    EXPECT_EQ(nextTickLocal({TickUnit::Year, 1}, july1), july1 + 184 * day);  // 2024-01-01
    EXPECT_EQ(nextTickLocal({TickUnit::Year, 10}, july1), july1 + (184 + 4 * 365 + 2 * 366) * day);  // 2030
    EXPECT_EQ(nextTickLocal({TickUnit::Day, 1}, -1), 0) << "before 1970";
}

TEST(TimelineAxis, LabelsNeverCollide)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not set the Windows time zone";
    const test::ScopedTimeZone zone("Europe/Berlin");
    RegionalSettings german;
    german.shortDatePicture = "dd.mm.yyyy";
    german.longTimePicture = "hh:mm:ss";
    german.dateSeparator = '.';
    // One evening, a week of evenings and a year of them, on a wide and a narrow plot.
    for (const int evenings : {1, 7, 365}) {
        std::vector<std::pair<Instant, Instant>> busy;
        for (int e = 0; e < evenings; ++e)
            busy.emplace_back(kStart + days(e) + hours(18), kStart + days(e) + hours(23) + minutes(e % 50));
        const TimeAxis axis(busy);
        const double to = axis.position(busy.back().second);
        for (const double width : {1400.0, 420.0}) {
            for (const RegionalSettings& settings : {RegionalSettings{}, german}) {
                const auto ticks = axisTicks(axis, 0, to, width, settings, charsWide);
                ASSERT_FALSE(ticks.empty()) << evenings << " evenings on " << width;
                if (evenings == 1) {
                    EXPECT_NE(ticks[0].label.find(settings.dateSeparator), std::string::npos)
                        << "the first label of hours names its day: " << ticks[0].label;
                }
                for (std::size_t i = 1; i < ticks.size(); ++i)
                    EXPECT_LE(ticks[i - 1].x + charsWide(ticks[i - 1].label) / 2 + kTickLabelGap,
                              ticks[i].x - charsWide(ticks[i].label) / 2)
                        << ticks[i - 1].label << " and " << ticks[i].label << ", " << evenings << " evenings";
            }
        }
    }
}

} // namespace
} // namespace chronell::report
