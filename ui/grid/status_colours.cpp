#include "ui/grid/status_colours.h"

#include "report/timeline.h"

namespace chronell {

namespace {

// `colour` laid over `base` with `share` of its strength.
QColor mixed(const QColor& colour, const QColor& base, double share)
{
    const auto channel = [share](int over, int under) {
        return static_cast<int>(over * share + under * (1.0 - share) + 0.5);
    };
    return QColor(channel(colour.red(), base.red()), channel(colour.green(), base.green()),
                  channel(colour.blue(), base.blue()));
}

// The job-list file's states of jobs that failed.
constexpr std::int32_t kStateAborted = 4;
constexpr std::int32_t kStateError = 5;

constexpr double kCellShare = 0.45;
constexpr double kRowShare = 0.18;

} // namespace

QColor statusColour(std::optional<std::int32_t> state)
{
    return QColor(QString::fromLatin1(report::stateColour(state)));
}

QColor leftBehindColour()
{
    return QColor(0x6d, 0x4c, 0x41);  // brown: neither running blue nor failed red
}

QColor statusCellBackground(std::optional<std::int32_t> state, const QPalette& palette, bool leftBehind)
{
    return mixed(leftBehind ? leftBehindColour() : statusColour(state), palette.color(QPalette::Base), kCellShare);
}

QColor standingOutRowBackground(std::optional<std::int32_t> state, const QPalette& palette, bool leftBehind)
{
    if (leftBehind) return mixed(leftBehindColour(), palette.color(QPalette::Base), kRowShare);
    if (state != kStateAborted && state != kStateError) return {};
    return mixed(statusColour(state), palette.color(QPalette::Base), kRowShare);
}

} // namespace chronell
