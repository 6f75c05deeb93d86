// The timeline as one self-contained SVG document.
#include <algorithm>
#include <set>
#include <string_view>

#include "analysis/display_text.h"
#include "report/timeline.h"
#include "report/timeline_svg_text.h"

namespace chronell::report {

namespace {

constexpr double kLabelWidth = 200;
constexpr double kPlotWidth = 1400;
constexpr double kMargin = 10;
constexpr double kAxisHeight = 40;
constexpr double kPlotHeight = 480;  // lanes share this height, as in a window of the usual size
constexpr double kMinLaneHeight = 22;
constexpr double kMaxLaneHeight = 48;
constexpr double kLegendHeight = 36;
constexpr double kNameInset = 3;
constexpr double kOpenEnd = 6;  // the arrow head of a running job's bar
constexpr std::size_t kBytesPerBar = 160;  // about, without its tooltip

void putPart(std::string& out, std::string_view text) { out.append(text); }
void putPart(std::string& out, double coordinate) { appendCoordinate(out, coordinate); }

// Texts as they are and numbers as coordinates, one after the other.
template <typename... Parts>
void put(std::string& out, const Parts&... parts)
{
    (putPart(out, parts), ...);
}

double laneHeightFor(std::size_t lanes)
{
    return std::clamp(kPlotHeight / static_cast<double>(std::max<std::size_t>(lanes, 1)), kMinLaneHeight,
                      kMaxLaneHeight);
}

} // namespace

std::string timelineSvg(const Timeline& timeline, const RegionalSettings& settings)
{
    const double plotLeft = kMargin + kLabelWidth;
    const double width = plotLeft + kPlotWidth + 6 * kMargin;  // room for the last tick's text
    const double laneHeight = laneHeightFor(timeline.lanes.size());
    const double barHeight = laneHeight - 2 * std::max(2.0, laneHeight / 6);
    const auto laneTop = [laneHeight](std::size_t lane) { return kAxisHeight + static_cast<double>(lane) * laneHeight; };
    const double lanesBottom = laneTop(timeline.lanes.size());
    const double height = lanesBottom + kLegendHeight;
    std::string out;
    out.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    put(out, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"", width, "\" height=\"", height, "\" viewBox=\"0 0 ",
        width, " ", height, "\" font-family=\"sans-serif\" font-size=\"12\">\n");
    out.append("<title>Job queue timeline</title>\n");
    out.append("<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");

    // Lanes: a stripe every other lane, and the lane's name.
    for (std::size_t lane = 0; lane < timeline.lanes.size(); ++lane) {
        const double top = laneTop(lane);
        if (lane % 2 == 1)
            put(out, "<rect x=\"0\" y=\"", top, "\" width=\"", width, "\" height=\"", laneHeight,
                "\" fill=\"#f3f5f7\"/>\n");
        put(out, "<text x=\"", kMargin, "\" y=\"", top + laneHeight / 2 + 4, "\">");
        appendXmlText(out, timeline.lanes[lane]);
        out.append("</text>\n");
    }

    if (timeline.from && timeline.to) {
        // Named values, not a structured binding: lambdas below use them.
        const auto view = fittedView(timeline);
        const double from = view.first;
        const double to = view.second;
        const double scale = kPlotWidth / (to - from);
        const auto xOf = [&](Instant at) { return plotLeft + (timeline.axis.position(at) - from) * scale; };

        // Folded idle stretches: a pale band with a break mark on the axis.
        for (const AxisFold& fold : timeline.axis.folds()) {
            const double x0 = xOf(fold.from);
            const double x1 = xOf(fold.to);
            put(out, "<rect x=\"", x0, "\" y=\"", kAxisHeight, "\" width=\"", x1 - x0, "\" height=\"",
                lanesBottom - kAxisHeight, "\" fill=\"#eceff1\"/>\n");
            put(out, "<path d=\"M", x0 - 3, ",", kAxisHeight + 4, " l6,-10 M", x1 - 3, ",", kAxisHeight + 4,
                " l6,-10\" stroke=\"#78909c\" stroke-width=\"1.5\"/>\n");
        }

        // Axis: ticks at round local times whose labels stand apart.
        const auto ticks = axisTicks(timeline.axis, from, to, kPlotWidth, settings,
                                     [](const std::string& text) { return textWidth(text); });
        out.append("<g stroke=\"#c8ccd0\">\n");
        for (const AxisTick& tick : ticks) {
            const double x = plotLeft + tick.x;
            put(out, "<line x1=\"", x, "\" y1=\"", kAxisHeight - 6, "\" x2=\"", x, "\" y2=\"", lanesBottom, "\"/>\n");
        }
        out.append("</g>\n<g text-anchor=\"middle\" fill=\"#37474f\">\n");
        for (const AxisTick& tick : ticks) {
            put(out, "<text x=\"", plotLeft + tick.x, "\" y=\"", kAxisHeight - 12, "\">");
            appendXmlText(out, tick.label);
            out.append("</text>\n");
        }
        out.append("</g>\n");

        // Bars; those too narrow to see are merged per lane and pixel. A
        // running job's bar ends in an arrow head; a bar wide enough holds its job's name.
        const auto drawn = drawnBars(timeline, from, to, kPlotWidth);
        out.reserve(out.size() + drawn.size() * kBytesPerBar);
        const BarTooltips tooltips(settings);
        std::string tooltip;
        std::string name;
        std::vector<bool> shown(timeline.bars.size(), false);
        for (const DrawnBar& bar : drawn) {
            const TimelineBar& first = timeline.bars[bar.firstBar];
            const double y = laneTop(bar.lane) + (laneHeight - barHeight) / 2;
            const double x = plotLeft + bar.x0;
            const double w = std::max(bar.x1 - bar.x0, 1.0);
            const char* colour = stateColour(first.record->state);
            put(out, "<rect x=\"", x, "\" y=\"", y, "\" width=\"", w, "\" height=\"", barHeight, "\" fill=\"", colour,
                "\"><title>");
            if (bar.count == 1) shown[bar.firstBar] = true;
            tooltip.clear();
            tooltips.appendDrawn(tooltip, timeline, bar, true);
            appendXmlText(out, tooltip);
            out.append("</title></rect>\n");
            if (bar.count != 1) continue;
            if (first.open)
                put(out, "<path d=\"M", x + w, ",", y, " l", kOpenEnd, ",", barHeight / 2, " l-", kOpenEnd, ",",
                    barHeight / 2, "z\" fill=\"", colour, "\" opacity=\"0.6\"/>\n");
            // The name as displayed: the bytes themselves unless they need converting.
            const std::string& bytes = first.record->name;
            const bool asDisplayed = isValidUtf8(bytes);
            if (!asDisplayed) name = displayUtf8(bytes);
            const FittedText fitted = fittedText(asDisplayed ? bytes : name, w - 2 * kNameInset);
            if (fitted.kept.empty() || (!fitted.cut && fitted.kept == "...")) continue;
            put(out, "<text x=\"", x + kNameInset, "\" y=\"", y + barHeight / 2 + 4,
                "\" fill=\"#ffffff\" pointer-events=\"none\">");
            appendXmlText(out, fitted.kept);
            if (fitted.cut) out.append("...");
            out.append("</text>\n");
        }

        // Two-pass pairs: the end of the first job joined to the start of the second.
        out.append("<g stroke=\"#263238\" stroke-width=\"1.5\" fill=\"none\">\n");
        for (const TimelinePair& pair : timeline.pairs) {
            if (!shown[pair.first] || !shown[pair.second]) continue;
            const TimelineBar& a = timeline.bars[pair.first];
            const TimelineBar& b = timeline.bars[pair.second];
            put(out, "<polyline points=\"", xOf(a.end), ",", laneTop(a.lane) + laneHeight / 2, " ", xOf(b.start), ",",
                laneTop(b.lane) + laneHeight / 2, "\"/>\n");
        }
        out.append("</g>\n");
    }

    // Legend: the states that occur.
    std::set<std::int32_t> states;
    for (const TimelineBar& bar : timeline.bars) states.insert(bar.record->state.value_or(-1));
    double x = kMargin;
    const double y = lanesBottom + 12;
    for (const std::int32_t state : states) {
        const std::optional<std::int32_t> value = state < 0 ? std::nullopt : std::optional<std::int32_t>(state);
        put(out, "<rect x=\"", x, "\" y=\"", y, "\" width=\"12\" height=\"12\" fill=\"", stateColour(value), "\"/>\n");
        put(out, "<text x=\"", x + 16, "\" y=\"", y + 11, "\">", stateLabel(value), "</text>\n");
        x += 110;
    }
    put(out, "<text x=\"", x, "\" y=\"", y + 11, "\" fill=\"#37474f\">");
    if (timeline.bars.empty()) out.append("No job with start and end times.");
    else out.append(std::to_string(timeline.bars.size())).append(" jobs");
    out.append("</text>\n</svg>\n");
    return out;
}

} // namespace chronell::report
