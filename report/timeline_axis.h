#pragma once
// The timeline's time axis, drawn the same by the SVG picture and the window:
// idle stretches longer than a few hours folded into a narrow break, so that
// several evenings sit side by side, and ticks at round local times whose
// step suits the span in view, with labels that never overlap.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/instant.h"

namespace chronell {
struct RegionalSettings;
}

namespace chronell::report {

// Idle stretches longer than this are folded ...
inline constexpr std::chrono::milliseconds kFoldAfter = std::chrono::hours(3);
// ... into a break as wide as this much time.
inline constexpr std::chrono::milliseconds kFoldedWidth = std::chrono::minutes(20);

struct AxisFold {
    Instant from;
    Instant to;
};

// Positions along the axis: milliseconds from its origin, each fold counting
// kFoldedWidth whatever its length.
class TimeAxis {
public:
    TimeAxis() = default;
    // Folds the idle stretches between the busy intervals (start, end) that
    // last longer than kFoldAfter.
    explicit TimeAxis(std::vector<std::pair<Instant, Instant>> busy);

    double position(Instant instant) const;
    Instant instantAt(double position) const;
    const std::vector<AxisFold>& folds() const { return folds_; }

private:
    Instant origin_{};
    std::vector<AxisFold> folds_;        // by time, apart
    std::vector<double> foldPositions_;  // where each fold begins on the axis
};

enum class TickUnit { Minute, Hour, Day, Week, Month, Year };

struct TickStep {
    TickUnit unit = TickUnit::Minute;
    int count = 1;
    bool operator==(const TickStep&) const = default;
};

// The steps from 1 minute to 100 years, shortest first.
const std::vector<TickStep>& tickSteps();

// About how long a step is (a month 30 days, a year 365).
std::chrono::milliseconds nominalLength(TickStep step);

// The first tick of `step` at or after the local wall-clock time `local`
// (milliseconds since 1970 as if local time were UTC): minutes and hours on
// their multiples of the day, weeks on Mondays, months and years on their
// first day.
std::int64_t nextTickLocal(TickStep step, std::int64_t local);

struct AxisTick {
    Instant at;
    double x = 0;  // pixels from the left of the plot
    std::string label;
};

// How wide a text is drawn, in pixels.
using TextWidth = std::function<double(const std::string& text)>;

inline constexpr double kTickLabelGap = 12;  // pixels at least between two labels

// The labelled ticks between the axis positions `from` and `to` on a plot
// `width` pixels wide: the shortest step whose labels fit side by side;
// ticks in a fold stand in its break. Labels of steps under a day show the
// time, and the date too at the first and where the day changes. A tick
// whose label would come nearer than kTickLabelGap to the one before is left out.
std::vector<AxisTick> axisTicks(const TimeAxis& axis, double from, double to, double width,
                                const RegionalSettings& settings, const TextWidth& textWidth);

} // namespace chronell::report
