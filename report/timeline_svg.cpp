// The timeline as one self-contained SVG document.
#include <algorithm>
#include <charconv>
#include <set>

#include "analysis/display_text.h"
#include "report/local_instant.h"
#include "report/timeline.h"

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
constexpr double kCharWidth = 7;  // about, of the 12-pixel sans-serif font
constexpr double kNameInset = 3;
constexpr double kOpenEnd = 6;  // the arrow head of a running job's bar

// Texts are measured by their characters, not their bytes.
double textWidth(const std::string& utf8)
{
    double chars = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
    return chars * kCharWidth;
}

// As much of `utf8` as fits in `width` pixels, cut texts ending in "...".
std::string fittedText(const std::string& utf8, double width)
{
    if (textWidth(utf8) <= width) return utf8;
    const auto room = static_cast<std::size_t>(std::max(0.0, width / kCharWidth - 3));
    std::size_t chars = 0;
    std::size_t at = 0;
    for (; at < utf8.size(); ++at)
        if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80 && chars++ == room) break;
    return room == 0 ? std::string() : utf8.substr(0, at) + "...";
}

// Text content or attribute value: display text with &, <, > and " escaped.
void appendXmlText(std::string& out, std::string_view bytes)
{
    for (const char c : displayUtf8(bytes)) {
        switch (c) {
        case '&': out.append("&amp;"); break;
        case '<': out.append("&lt;"); break;
        case '>': out.append("&gt;"); break;
        case '"': out.append("&quot;"); break;
        default:
            // Control characters are not allowed in XML 1.0; a blank stands in.
            out.push_back(static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t' ? ' ' : c);
        }
    }
}

// Coordinates with one decimal, whatever the locale.
std::string number(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1).ptr);
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
    out.append("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(width) + "\" height=\"" + number(height) +
               "\" viewBox=\"0 0 " + number(width) + " " + number(height) +
               "\" font-family=\"sans-serif\" font-size=\"12\">\n");
    out.append("<title>Job queue timeline</title>\n");
    out.append("<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");

    // Lanes: a stripe every other lane, and the lane's name.
    for (std::size_t lane = 0; lane < timeline.lanes.size(); ++lane) {
        const double top = laneTop(lane);
        if (lane % 2 == 1)
            out.append("<rect x=\"0\" y=\"" + number(top) + "\" width=\"" + number(width) + "\" height=\"" +
                       number(laneHeight) + "\" fill=\"#f3f5f7\"/>\n");
        out.append("<text x=\"" + number(kMargin) + "\" y=\"" + number(top + laneHeight / 2 + 4) + "\">");
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
            out.append("<rect x=\"" + number(x0) + "\" y=\"" + number(kAxisHeight) + "\" width=\"" +
                       number(x1 - x0) + "\" height=\"" + number(lanesBottom - kAxisHeight) +
                       "\" fill=\"#eceff1\"/>\n");
            out.append("<path d=\"M" + number(x0 - 3) + "," + number(kAxisHeight + 4) + " l6,-10 M" + number(x1 - 3) +
                       "," + number(kAxisHeight + 4) + " l6,-10\" stroke=\"#78909c\" stroke-width=\"1.5\"/>\n");
        }

        // Axis: ticks at round local times whose labels stand apart.
        const auto ticks = axisTicks(timeline.axis, from, to, kPlotWidth, settings, textWidth);
        out.append("<g stroke=\"#c8ccd0\">\n");
        for (const AxisTick& tick : ticks) {
            const double x = plotLeft + tick.x;
            out.append("<line x1=\"" + number(x) + "\" y1=\"" + number(kAxisHeight - 6) + "\" x2=\"" + number(x) +
                       "\" y2=\"" + number(lanesBottom) + "\"/>\n");
        }
        out.append("</g>\n<g text-anchor=\"middle\" fill=\"#37474f\">\n");
        for (const AxisTick& tick : ticks) {
            out.append("<text x=\"" + number(plotLeft + tick.x) + "\" y=\"" + number(kAxisHeight - 12) + "\">");
            appendXmlText(out, tick.label);
            out.append("</text>\n");
        }
        out.append("</g>\n");

        // Bars; those too narrow to see are merged per lane and pixel. A
        // running job's bar ends in an arrow head; a bar wide enough holds its job's name.
        const auto drawn = drawnBars(timeline, from, to, kPlotWidth);
        std::vector<bool> shown(timeline.bars.size(), false);
        for (const DrawnBar& bar : drawn) {
            const TimelineBar& first = timeline.bars[bar.firstBar];
            const double y = laneTop(bar.lane) + (laneHeight - barHeight) / 2;
            const double x = plotLeft + bar.x0;
            const double w = std::max(bar.x1 - bar.x0, 1.0);
            const char* colour = stateColour(first.record->state);
            out.append("<rect x=\"" + number(x) + "\" y=\"" + number(y) + "\" width=\"" + number(w) +
                       "\" height=\"" + number(barHeight) + "\" fill=\"" + colour + "\"><title>");
            if (bar.count == 1) shown[bar.firstBar] = true;
            appendXmlText(out, drawnBarTooltip(timeline, bar, true, settings));
            out.append("</title></rect>\n");
            if (bar.count == 1 && first.open)
                out.append("<path d=\"M" + number(x + w) + "," + number(y) + " l" + number(kOpenEnd) + "," +
                           number(barHeight / 2) + " l-" + number(kOpenEnd) + "," + number(barHeight / 2) +
                           "z\" fill=\"" + colour + "\" opacity=\"0.6\"/>\n");
            std::string name;
            if (bar.count == 1) name = fittedText(displayUtf8(first.record->name), w - 2 * kNameInset);
            if (!name.empty() && name != "...") {
                out.append("<text x=\"" + number(x + kNameInset) + "\" y=\"" + number(y + barHeight / 2 + 4) +
                           "\" fill=\"#ffffff\" pointer-events=\"none\">");
                appendXmlText(out, name);
                out.append("</text>\n");
            }
        }

        // Two-pass pairs: the end of the first job joined to the start of the second.
        out.append("<g stroke=\"#263238\" stroke-width=\"1.5\" fill=\"none\">\n");
        for (const TimelinePair& pair : timeline.pairs) {
            if (!shown[pair.first] || !shown[pair.second]) continue;
            const TimelineBar& a = timeline.bars[pair.first];
            const TimelineBar& b = timeline.bars[pair.second];
            out.append("<polyline points=\"" + number(xOf(a.end)) + "," + number(laneTop(a.lane) + laneHeight / 2) +
                       " " + number(xOf(b.start)) + "," + number(laneTop(b.lane) + laneHeight / 2) + "\"/>\n");
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
        out.append("<rect x=\"" + number(x) + "\" y=\"" + number(y) + "\" width=\"12\" height=\"12\" fill=\"" +
                   stateColour(value) + "\"/>\n");
        out.append("<text x=\"" + number(x + 16) + "\" y=\"" + number(y + 11) + "\">" + stateLabel(value) + "</text>\n");
        x += 110;
    }
    out.append("<text x=\"" + number(x) + "\" y=\"" + number(y + 11) + "\" fill=\"#37474f\">" +
               (timeline.bars.empty() ? std::string("No job with start and end times.")
                                      : std::to_string(timeline.bars.size()) + " jobs") +
               "</text>\n");
    out.append("</svg>\n");
    return out;
}

} // namespace chronell::report
