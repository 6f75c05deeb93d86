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
constexpr double kLaneHeight = 22;
constexpr double kBarHeight = 14;
constexpr double kLegendHeight = 36;

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

double laneTop(std::size_t lane) { return kAxisHeight + static_cast<double>(lane) * kLaneHeight; }

} // namespace

std::string timelineSvg(const Timeline& timeline, const RegionalSettings& settings)
{
    const double plotLeft = kMargin + kLabelWidth;
    const double width = plotLeft + kPlotWidth + 6 * kMargin;  // room for the last tick's text
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
                       number(kLaneHeight) + "\" fill=\"#f3f5f7\"/>\n");
        out.append("<text x=\"" + number(kMargin) + "\" y=\"" + number(top + kLaneHeight - 7) + "\">");
        appendXmlText(out, timeline.lanes[lane]);
        out.append("</text>\n");
    }

    if (timeline.from && timeline.to) {
        Instant from = *timeline.from;
        Instant to = *timeline.to;
        if (to <= from) to = from + std::chrono::minutes(1);
        const double scale = kPlotWidth / static_cast<double>((to - from).count());

        // Axis: ticks at round local times, with their local date-time texts.
        out.append("<g stroke=\"#c8ccd0\">\n");
        const auto ticks = timelineTicks(from, to, 8);
        for (const Instant tick : ticks) {
            const double x = plotLeft + static_cast<double>((tick - from).count()) * scale;
            out.append("<line x1=\"" + number(x) + "\" y1=\"" + number(kAxisHeight - 6) + "\" x2=\"" + number(x) +
                       "\" y2=\"" + number(lanesBottom) + "\"/>\n");
        }
        out.append("</g>\n<g text-anchor=\"middle\" fill=\"#37474f\">\n");
        for (const Instant tick : ticks) {
            const double x = plotLeft + static_cast<double>((tick - from).count()) * scale;
            out.append("<text x=\"" + number(x) + "\" y=\"" + number(kAxisHeight - 12) + "\">");
            appendXmlText(out, localDateTimeText(tick, settings));
            out.append("</text>\n");
        }
        out.append("</g>\n");

        // Bars; those too narrow to see are merged per lane and pixel.
        const auto drawn = drawnBars(timeline, from, to, kPlotWidth);
        std::vector<bool> shown(timeline.bars.size(), false);
        for (const DrawnBar& bar : drawn) {
            const TimelineBar& first = timeline.bars[bar.firstBar];
            const double y = laneTop(bar.lane) + (kLaneHeight - kBarHeight) / 2;
            const double w = std::max(bar.x1 - bar.x0, 1.0);
            out.append("<rect x=\"" + number(plotLeft + bar.x0) + "\" y=\"" + number(y) + "\" width=\"" + number(w) +
                       "\" height=\"" + number(kBarHeight) + "\" fill=\"" + stateColour(first.record->state) +
                       "\"><title>");
            if (bar.count == 1) shown[bar.firstBar] = true;
            appendXmlText(out, drawnBarTooltip(timeline, bar, true, settings));
            out.append("</title></rect>\n");
        }

        // Two-pass pairs: the end of the first job joined to the start of the second.
        out.append("<g stroke=\"#263238\" stroke-width=\"1.5\" fill=\"none\">\n");
        for (const TimelinePair& pair : timeline.pairs) {
            if (!shown[pair.first] || !shown[pair.second]) continue;
            const TimelineBar& a = timeline.bars[pair.first];
            const TimelineBar& b = timeline.bars[pair.second];
            const double x1 = plotLeft + static_cast<double>((a.end - from).count()) * scale;
            const double x2 = plotLeft + static_cast<double>((b.start - from).count()) * scale;
            const double y1 = laneTop(a.lane) + kLaneHeight / 2;
            const double y2 = laneTop(b.lane) + kLaneHeight / 2;
            out.append("<polyline points=\"" + number(x1) + "," + number(y1) + " " + number(x2) + "," + number(y2) +
                       "\"/>\n");
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
