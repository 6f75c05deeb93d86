#pragma once
// The statuses that the status colours tell apart, in the order a legend
// lists them, and the text a legend gives each: the job states 0 to 5 with
// their status words, every other state (and none) as one, and a job left
// behind by its runner.
#include <QColor>
#include <QPalette>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace chronell {

struct ColouredStatus {
    std::optional<std::int32_t> state;  // 0 to 5; none for every other state
    bool leftBehind = false;            // then no state
    bool operator==(const ColouredStatus&) const = default;
};

// The status whose colour a job of `state` takes.
ColouredStatus colouredStatusOf(std::optional<std::int32_t> state, bool leftBehind = false);

// Every coloured status, in legend order.
std::vector<ColouredStatus> colouredStatuses();

// The distinct statuses of `statuses`, in legend order.
std::vector<ColouredStatus> inLegendOrder(const std::vector<ColouredStatus>& statuses);

// "Waiting", "In Progress", "Done", "Postponed", "Aborted", "Error",
// "Other" or "Left behind".
QString legendText(const ColouredStatus& status);

// The status's colour at full strength, as the timeline's bars take it.
QColor fullColour(const ColouredStatus& status);
// The status's colour as the grid's Status cells take it over `palette`.
QColor cellColour(const ColouredStatus& status, const QPalette& palette);

} // namespace chronell
