#include "ui/widgets/status_legend.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace chronell {

namespace {

constexpr int kSwatchSide = 12;
constexpr int kTextGap = 4;     // between a swatch and its text
constexpr int kEntryGap = 14;   // between an entry's text and the next swatch
constexpr int kOutlineAlpha = 110;
constexpr int kPadding = 2;     // around the widget's row

int entryWidth(const QFontMetrics& metrics, const LegendEntry& entry)
{
    return kSwatchSide + kTextGap + metrics.horizontalAdvance(entry.text);
}

} // namespace

std::vector<QRect> legendSwatches(const QFontMetrics& metrics, const QRect& area,
                                  const std::vector<LegendEntry>& entries)
{
    std::vector<QRect> swatches;
    int x = area.left();
    const int top = area.top() + (area.height() - kSwatchSide) / 2;
    for (const LegendEntry& entry : entries) {
        swatches.emplace_back(x, top, kSwatchSide, kSwatchSide);
        x += entryWidth(metrics, entry) + kEntryGap;
    }
    return swatches;
}

int legendWidth(const QFontMetrics& metrics, const std::vector<LegendEntry>& entries)
{
    int width = 0;
    for (const LegendEntry& entry : entries) width += entryWidth(metrics, entry) + kEntryGap;
    return entries.empty() ? 0 : width - kEntryGap;
}

int paintStatusLegend(QPainter& painter, const QRect& area, const std::vector<LegendEntry>& entries,
                      const QColor& textColour)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const std::vector<QRect> swatches = legendSwatches(metrics, area, entries);
    QColor outline = textColour;
    outline.setAlpha(kOutlineAlpha);
    painter.save();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QRect& swatch = swatches[i];
        if (swatch.left() + entryWidth(metrics, entries[i]) > area.right() + 1) break;  // no entry cut in half
        painter.fillRect(swatch, entries[i].swatch);
        painter.setPen(outline);
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        painter.setPen(textColour);
        const QRect text(swatch.right() + 1 + kTextGap, area.top(), metrics.horizontalAdvance(entries[i].text) + 1,
                         area.height());
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, entries[i].text);
    }
    painter.restore();
    return std::min(area.left() + legendWidth(metrics, entries), area.right() + 1);
}

StatusLegend::StatusLegend(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
}

void StatusLegend::setEntries(std::vector<LegendEntry> entries)
{
    entries_ = std::move(entries);
    QStringList texts;
    for (const LegendEntry& entry : entries_) texts << entry.text;
    setToolTip(texts.join(QStringLiteral(", ")));
    updateGeometry();
    update();
}

QSize StatusLegend::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {legendWidth(metrics, entries_) + 2 * kPadding, std::max(metrics.height(), kSwatchSide) + 2 * kPadding};
}

QSize StatusLegend::minimumSizeHint() const
{
    return {0, sizeHint().height()};  // a narrow window shows the entries that fit
}

QRect StatusLegend::rowRect() const
{
    return rect().adjusted(kPadding, kPadding, -kPadding, -kPadding);
}

std::vector<QRect> StatusLegend::swatchRects() const
{
    return legendSwatches(fontMetrics(), rowRect(), entries_);
}

void StatusLegend::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintStatusLegend(painter, rowRect(), entries_, palette().color(QPalette::WindowText));
}

} // namespace chronell
