#include "ui/grid/coloured_status.h"

#include <algorithm>

#include "report/timeline.h"
#include "ui/grid/status_colours.h"

namespace chronell {

namespace {

constexpr std::int32_t kStatesWithWords = 6;  // 0 to 5

} // namespace

ColouredStatus colouredStatusOf(std::optional<std::int32_t> state, bool leftBehind)
{
    if (leftBehind) return {std::nullopt, true};
    if (state && *state >= 0 && *state < kStatesWithWords) return {state, false};
    return {};
}

std::vector<ColouredStatus> colouredStatuses()
{
    std::vector<ColouredStatus> all;
    for (std::int32_t state = 0; state < kStatesWithWords; ++state) all.push_back({state, false});
    all.push_back({});
    all.push_back({std::nullopt, true});
    return all;
}

std::vector<ColouredStatus> inLegendOrder(const std::vector<ColouredStatus>& statuses)
{
    std::vector<ColouredStatus> ordered;
    for (const ColouredStatus& status : colouredStatuses())
        if (std::find(statuses.begin(), statuses.end(), status) != statuses.end()) ordered.push_back(status);
    return ordered;
}

QString legendText(const ColouredStatus& status)
{
    if (status.leftBehind) return QStringLiteral("Left behind");
    return QString::fromStdString(report::stateLabel(status.state));
}

QColor fullColour(const ColouredStatus& status)
{
    return status.leftBehind ? leftBehindColour() : statusColour(status.state);
}

QColor cellColour(const ColouredStatus& status, const QPalette& palette)
{
    return statusCellBackground(status.state, palette, status.leftBehind);
}

} // namespace chronell
