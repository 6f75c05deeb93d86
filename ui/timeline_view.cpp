#include "ui/timeline_view.h"

#include <QApplication>
#include <QDateTime>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "analysis/regional_settings.h"
#include "ui/display_text.h"

namespace chronell {

namespace {

constexpr int kLegendHeight = 24;
constexpr int kAxisHeight = 36;
constexpr int kRightMargin = 12;
constexpr int kMinLaneHeight = 8;
constexpr int kMaxLaneHeight = 24;
constexpr int kLabelPadding = 6;
constexpr int kMinLabelWidth = 60;
constexpr int kMaxLabelWidth = 220;
constexpr int kTickSpacing = 110;  // pixels between axis ticks, about
constexpr double kFitMargin = 0.02;  // of the run's span, each side
constexpr double kSmallestSpanMs = 1000;
constexpr double kZoomStep = 1.25;  // per notch of the wheel
constexpr double kMsPerDay = 86'400'000;

const QColor kLaneShade(0xF2, 0xF2, 0xF2);
const QColor kGridLine(0xD8, 0xD8, 0xD8);
const QColor kPairLine(0x30, 0x30, 0x30);

double msOf(Instant instant)
{
    return static_cast<double>(instant.time_since_epoch().count());
}

Instant instantOf(double ms)
{
    return Instant(std::chrono::milliseconds(std::llround(ms)));
}

QDateTime localTime(double ms)
{
    return QDateTime::fromMSecsSinceEpoch(std::llround(ms));
}

} // namespace

TimelineView::TimelineView(std::function<void(int row)> selectRow, QWidget* owner)
    : QWidget(owner, Qt::Window), selectRow_(std::move(selectRow))
{
    setWindowTitle(QStringLiteral("Timeline"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(900, 480);
}

void TimelineView::setRecords(const std::vector<JobRecord>& records, bool formatted)
{
    timeline_ = report::buildTimeline(records);
    formatted_ = formatted;

    laneStarts_.assign(timeline_.lanes.size() + 1, timeline_.bars.size());
    for (std::size_t i = timeline_.bars.size(); i-- > 0;) laneStarts_[timeline_.bars[i].lane] = i;
    for (std::size_t lane = timeline_.lanes.size(); lane-- > 0;)
        laneStarts_[lane] = std::min(laneStarts_[lane], laneStarts_[lane + 1]);

    std::set<std::optional<std::int32_t>> states;
    barColours_.clear();
    barColours_.reserve(timeline_.bars.size());
    for (const report::TimelineBar& bar : timeline_.bars) {
        states.insert(bar.record->state);
        barColours_.push_back(QColor::fromString(report::stateColour(bar.record->state)));
    }
    legendStates_.assign(states.begin(), states.end());

    int widest = 0;
    for (const std::string& lane : timeline_.lanes)
        widest = std::max(widest, fontMetrics().horizontalAdvance(displayText(lane)));
    labelWidth_ = std::clamp(widest + 2 * kLabelPadding, kMinLabelWidth, kMaxLabelWidth);
    fit();
}

void TimelineView::clear()
{
    timeline_ = {};
    laneStarts_.assign(1, 0);
    barColours_.clear();
    legendStates_.clear();
    update();
}

void TimelineView::fit()
{
    laneScroll_ = 0;
    if (!timeline_.from || !timeline_.to) {
        setView(0, kSmallestSpanMs);
        return;
    }
    const double from = msOf(*timeline_.from);
    const double span = std::max(msOf(*timeline_.to) - from, kSmallestSpanMs);
    setView(from - span * kFitMargin, from + span * (1 + kFitMargin));
}

QRect TimelineView::plotRect() const
{
    return QRect(labelWidth_, kLegendHeight, std::max(1, width() - labelWidth_ - kRightMargin),
                 std::max(1, height() - kLegendHeight - kAxisHeight));
}

int TimelineView::laneHeight() const
{
    const int lanes = std::max<int>(1, static_cast<int>(timeline_.lanes.size()));
    return std::clamp(plotRect().height() / lanes, kMinLaneHeight, kMaxLaneHeight);
}

int TimelineView::laneTop(std::size_t lane) const
{
    return plotRect().top() + static_cast<int>(lane) * laneHeight() - laneScroll_;
}

double TimelineView::xOf(Instant instant) const
{
    const QRect plot = plotRect();
    return plot.left() + (msOf(instant) - viewFrom_) / (viewTo_ - viewFrom_) * plot.width();
}

double TimelineView::msAt(double x) const
{
    const QRect plot = plotRect();
    return viewFrom_ + (x - plot.left()) / plot.width() * (viewTo_ - viewFrom_);
}

void TimelineView::setView(double from, double to)
{
    // Never narrower than a second, never wider than a hundred runs.
    double widest = 100 * kMsPerDay;
    if (timeline_.from && timeline_.to)
        widest = 100 * std::max(msOf(*timeline_.to) - msOf(*timeline_.from), kSmallestSpanMs);
    const double middle = (from + to) / 2;
    const double span = std::clamp(to - from, kSmallestSpanMs, widest);
    viewFrom_ = middle - span / 2;
    viewTo_ = middle + span / 2;
    update();
}

void TimelineView::scrollLanes(int pixels)
{
    const int content = static_cast<int>(timeline_.lanes.size()) * laneHeight();
    laneScroll_ = std::clamp(laneScroll_ + pixels, 0, std::max(0, content - plotRect().height()));
    update();
}

const JobRecord* TimelineView::recordAt(QPoint pos) const
{
    const QRect plot = plotRect();
    if (!plot.contains(pos) || timeline_.lanes.empty()) return nullptr;
    const int offset = pos.y() - plot.top() + laneScroll_;
    const auto lane = static_cast<std::size_t>(offset / laneHeight());
    if (lane >= timeline_.lanes.size()) return nullptr;

    // The bar under the cursor, or within two pixels of it: the nearest,
    // the latest to start of those that hold it.
    const double at = msAt(pos.x());
    const double reach = 2 * (viewTo_ - viewFrom_) / plot.width();
    const report::TimelineBar* best = nullptr;
    double bestDistance = reach;
    for (std::size_t i = laneStarts_[lane]; i < laneStarts_[lane + 1]; ++i) {
        const report::TimelineBar& bar = timeline_.bars[i];
        if (msOf(bar.start) > at + reach) break;
        const double distance = std::max({0.0, msOf(bar.start) - at, at - msOf(bar.end)});
        if (distance <= bestDistance) {
            best = &bar;
            bestDistance = distance;
        }
    }
    return best ? best->record : nullptr;
}

bool TimelineView::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    if (const JobRecord* record = recordAt(help->pos()))
        QToolTip::showText(help->globalPos(), displayText(report::barTooltip(*record, formatted_, regionalSettings())), this);
    else
        QToolTip::hideText();
    return true;
}

void TimelineView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    // The time under the cursor stays where it is.
    const QRect plot = plotRect();
    const double x = std::clamp(event->position().x(), static_cast<double>(plot.left()),
                                static_cast<double>(plot.right()));
    const double anchor = msAt(x);
    const double scale = std::pow(kZoomStep, -notches);
    setView(anchor - (anchor - viewFrom_) * scale, anchor + (viewTo_ - anchor) * scale);
    event->accept();
}

void TimelineView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressed_ = true;
    dragging_ = false;
    pressAt_ = lastDragAt_ = event->position().toPoint();
}

void TimelineView::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_) return QWidget::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    if (!dragging_ && (at - pressAt_).manhattanLength() < QApplication::startDragDistance()) return;
    dragging_ = true;
    const QPoint moved = at - lastDragAt_;
    lastDragAt_ = at;
    const double shift = moved.x() * (viewTo_ - viewFrom_) / plotRect().width();
    setView(viewFrom_ - shift, viewTo_ - shift);
    scrollLanes(-moved.y());
}

void TimelineView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) return QWidget::mouseReleaseEvent(event);
    pressed_ = false;
    if (dragging_) return;
    if (const JobRecord* record = recordAt(event->position().toPoint())) selectRow_(record->row);
}

void TimelineView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Home) return QWidget::keyPressEvent(event);
    fit();
}

void TimelineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    if (timeline_.bars.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("No job of the last run has a start and an end."));
        return;
    }
    paintLegend(painter);
    paintLanes(painter);
    paintAxis(painter);
    painter.save();
    painter.setClipRect(plotRect());
    paintBars(painter);
    paintPairs(painter);
    painter.restore();
}

void TimelineView::paintLegend(QPainter& painter) const
{
    const QFontMetrics metrics = fontMetrics();
    const int swatch = metrics.height() - 4;
    int x = kLabelPadding;
    for (const std::optional<std::int32_t>& state : legendStates_) {
        const QString label = displayText(report::stateLabel(state));
        painter.fillRect(x, (kLegendHeight - swatch) / 2, swatch, swatch,
                         QColor::fromString(report::stateColour(state)));
        x += swatch + 4;
        painter.drawText(QRect(x, 0, metrics.horizontalAdvance(label) + 1, kLegendHeight), Qt::AlignVCenter, label);
        x += metrics.horizontalAdvance(label) + 3 * kLabelPadding;
    }
}

void TimelineView::paintLanes(QPainter& painter) const
{
    const QRect plot = plotRect();
    const int height = laneHeight();
    const QFontMetrics metrics = fontMetrics();
    painter.save();
    painter.setClipRect(0, plot.top(), width(), plot.height());
    for (std::size_t lane = 0; lane < timeline_.lanes.size(); ++lane) {
        const int top = laneTop(lane);
        if (top + height < plot.top()) continue;
        if (top > plot.bottom()) break;
        if (lane % 2 == 1) painter.fillRect(0, top, width(), height, kLaneShade);
        if (height < metrics.height() - 2) continue;  // too low for its name
        const QString name = metrics.elidedText(displayText(timeline_.lanes[lane]), Qt::ElideRight,
                                                labelWidth_ - 2 * kLabelPadding);
        painter.drawText(QRect(kLabelPadding, top, labelWidth_ - 2 * kLabelPadding, height), Qt::AlignVCenter, name);
    }
    painter.restore();
}

void TimelineView::paintAxis(QPainter& painter) const
{
    const QRect plot = plotRect();
    const std::vector<Instant> ticks = report::timelineTicks(instantOf(viewFrom_), instantOf(viewTo_),
                                                             std::max(2, plot.width() / kTickSpacing));
    const double step = ticks.size() > 1 ? msOf(ticks[1]) - msOf(ticks[0]) : viewTo_ - viewFrom_;
    const QString timeFormat = step < 60'000 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm");
    const int line = fontMetrics().height();
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    QDate shownDate;
    for (const Instant tick : ticks) {
        const double x = xOf(tick);
        if (x < plot.left() || x > plot.right()) continue;
        painter.setPen(kGridLine);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(palette().color(QPalette::Text));
        const QDateTime local = localTime(msOf(tick));
        const QRectF labels(x - kTickSpacing / 2.0, plot.bottom() + 3, kTickSpacing, line);
        // Days and longer steps show dates; shorter ones times, with the
        // date under the first tick and under each new day.
        if (step >= kMsPerDay) {
            painter.drawText(labels, Qt::AlignHCenter, local.date().toString(Qt::ISODate));
            continue;
        }
        painter.drawText(labels, Qt::AlignHCenter, local.time().toString(timeFormat));
        if (local.date() != shownDate)
            painter.drawText(labels.translated(0, line), Qt::AlignHCenter, local.date().toString(Qt::ISODate));
        shownDate = local.date();
    }
}

void TimelineView::paintBars(QPainter& painter) const
{
    const QRect plot = plotRect();
    const int height = laneHeight();
    const int inset = height >= 12 ? 3 : 1;
    for (const report::DrawnBar& bar :
         report::drawnBars(timeline_, instantOf(viewFrom_), instantOf(viewTo_), plot.width())) {
        const int top = laneTop(bar.lane);
        if (top + height < plot.top() || top > plot.bottom()) continue;
        painter.fillRect(QRectF(plot.left() + bar.x0, top + inset, std::max(1.0, bar.x1 - bar.x0), height - 2 * inset),
                         barColours_[bar.firstBar]);
    }
}

void TimelineView::paintPairs(QPainter& painter) const
{
    // A bracket over both bars of a pair, when it is wide enough to see.
    const QRect plot = plotRect();
    const int height = laneHeight();
    painter.setPen(kPairLine);
    for (const report::TimelinePair& pair : timeline_.pairs) {
        const report::TimelineBar& first = timeline_.bars[pair.first];
        const report::TimelineBar& second = timeline_.bars[pair.second];
        const double x0 = xOf(first.start);
        const double x1 = xOf(second.end);
        if (x1 - x0 < 3 || x1 < plot.left() || x0 > plot.right()) continue;
        const double y0 = laneTop(first.lane) + 1;
        const double y1 = laneTop(second.lane) + 1;
        if (std::max(y0, y1) + height < plot.top() || std::min(y0, y1) > plot.bottom()) continue;
        const double tick = std::max(2, height / 4);
        painter.drawLine(QPointF(x0, y0 + tick), QPointF(x0, y0));
        painter.drawLine(QPointF(x0, y0), QPointF(x1, y1));
        painter.drawLine(QPointF(x1, y1), QPointF(x1, y1 + tick));
    }
}

} // namespace chronell
